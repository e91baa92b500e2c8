// Hole sources: one small text file per hole (content/holes/<world>/NN.hole),
// read together with the shared legend (content/holes/legend.txt) and the
// world's own legend (content/holes/<world>/legend.txt), and compiled into the
// game's hole map files through the game's own hole map writer. The format is
// described in the README ("How to add a course").
#pragma once

#include "worlds.h"

#include <string>

// Compiles the source text of one hole of `world` into the global terrain
// grid and returns its par, or -1 after printing "<name>:<line>: <problem>"
// lines for every fault found. `legend` is the legend text that comes before
// the hole's own lines.
int compileHoleSource(const WorldSpec &world, const std::string &name, const std::string &legend,
                      const std::string &source);

// Compiles one hole source of the world with list number `listNumber` (1..5)
// into a map file, with the legends of the content tree. For checking a hole
// while designing it, and for the tests.
bool compileOneHole(int listNumber, const std::string &sourceFile, const std::string &mapFile);

// Compiles every hole of every world into data/levels/ and renders each
// world's course picture from its first hole. False when any hole failed.
bool compileAllHoles();
