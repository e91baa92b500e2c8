// Model file texts for tests, and a way back to empty model pools between tests.
#pragma once

#include <string>

// Gives back every slot's pool ranges (and display lists, when a GL context made them).
void clearModelPools();

// A cube of side 2 units (file coordinates +-100) around the origin: eight shared vertices,
// six outward-facing quads in one group named `group`.
std::string cubeModel(const std::string& group);

// One quad from (x0, y0) to (x1, y1) at z 0 in file coordinates, facing +z, with its own four
// vertices and coordinates (v = 0 at the bottom edge, 1 at the top), preceded by "g <group>"
// unless `group` is empty.
std::string quadModel(const std::string& group, int x0, int y0, int x1, int y1);
