// The worlds the game offers: found once at start-up in the five base list files and the
// seven add-on packs, with the par of every hole.
#pragma once

#include <array>

#include "core/app_state.h"
#include "play/play_state.h"

constexpr int kMaxWorlds = 20;
constexpr int kCatalogueTextLength = 255;

using CatalogueText = std::array<char, kCatalogueTextLength>;

// Built once at start-up and never rebuilt; currentWorld changes with course selection.
struct CourseCatalogue {
  int worldCount = 0;
  std::array<CatalogueText, kMaxWorlds> worldNames{};  // display names, '-' shown as blanks
  std::array<CatalogueText, kMaxWorlds> worldFiles{};  // list file the world was found in
  std::array<CatalogueText, kMaxWorlds> worldRoots{};  // data directory of that list file
  std::array<std::array<int, kHolesPerCourse + 1>, kMaxWorlds> holePars{};  // holes 1..18
  std::array<int, kMaxWorlds> holeCounts{};  // holes 1..n have map files (shipped worlds: 18)
  int currentWorld = 4;  // start-up begins with the fifth world
};
extern CourseCatalogue catalogue;

// Scans the twelve list files in order; every "Level_Name" line adds one world. Worlds past
// kMaxWorlds are refused with one line each.
void buildCourseCatalogue();

// The holes of the current world's course: it ends after the last of the holes 1, 2, ...
// whose map files exist (a missing hole would leave a grid with no cup). 18 when the current
// index is no world of the catalogue, or its first hole is missing too.
int courseHoleCount();

// True for the index of a world the catalogue found (0 .. worldCount - 1).
bool isCatalogueWorld(int world);

// The picture shown for a world in course selection: its list file path with ".tga"
// appended and blanks turned into '-'. False (out empty) when the index is no world.
bool coursePicturePath(std::array<char, kPathLength>& out, int world);
