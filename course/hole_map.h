// Hole map files: reading one into the terrain grid, reading only its par, and writing a grid
// back out in the same layout, so that tools can produce files the game reads.
#pragma once

#include <array>
#include <cstddef>

#include "core/app_state.h"
#include "course/terrain_grid.h"

constexpr int kMapLineLength = 255;  // lines are read into a buffer of this size

// Loads hole holeNumber of the current world into the terrain grid and hole set-up: resets the
// hole's globals, reads the file (a missing or empty file leaves the flat reset grid), forces
// the rim, places the markers, computes the normals, loads the hole textures and bakes the
// shadow and surf textures (those two steps only when the GL window is open).
void loadHoleMap();

// Builds "<root>/levels/<hole>-<level name>.map" with the blanks of the level name written as
// '-'. The result is cut to the buffer.
void holeMapPath(std::array<char, kPathLength>& out, const char* root, int hole,
                 const char* levelName);

// Reads a hole map file into the terrain grid and par, without resetting anything first.
// Returns false when the file cannot be opened (the grid is then untouched).
bool readHoleMapFile(const char* path);

// The par of a hole map file into par: the last "@Pa" line, or 3 when there is none or no file.
// Usually only the file's end is read. Returns whether the file opened.
bool readHolePar(const char* path, int& par);

// Writes the cells x 0..24, z 0..25 of the grid and the par in the hole map layout.
// Returns false (with one line on standard error) when the file cannot be written.
bool writeHoleMap(const char* path, const TerrainGrid& grid, int par);
