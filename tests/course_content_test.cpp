// The courses the game ships: the catalogue offers every designed world with its pars, and every
// compiled hole has one start, one cup on level ground and only object types its world defines,
// with the windmill and fan parts where the game looks for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <filesystem>
#include <string>
#include <vector>

#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/play_state.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kContent = std::string(QUILLMOOR_SOURCE_DIR) + "/content";
const std::string kLevels = std::string(QUILLMOOR_BINARY_DIR) + "/data/levels";

// Reads a compiled map into the grid as the loader does, without touching GL.
void readMap(const std::string& path) {
  resetTerrainCells();
  ASSERT_TRUE(readHoleMapFile(path.c_str()));
  forceTerrainRim();
  placeHoleMarkers();
}

}  // namespace

// The compiled worlds, read by the game's own catalogue and loaders from a copy of the
// build's levels (no images or models: nothing here needs a window).
class ShippedCourses : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(tree.root() / "game/bin/run/data");
    fs::copy(kLevels, tree.root() / "game/bin/run/data/levels", fs::copy_options::recursive);
    here = std::make_unique<ScopedWorkingDirectory>(tree.root() / "game/bin/run");
    buildCourseCatalogue();
  }
  ScratchDir tree;
  std::unique_ptr<ScopedWorkingDirectory> here;
};

// Worlds whose holes are designed: one folder each under content/holes.
int designedWorlds() {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(kContent + "/holes")) count += entry.is_directory();
  return count;
}

TEST_F(ShippedCourses, CatalogueListsTheDesignedWorldsWithTheirPars) {
  ASSERT_EQ(catalogue.worldCount, designedWorlds());
  for (int w = 0; w < catalogue.worldCount; ++w) {
    const std::string name = catalogue.worldNames[w].data();
    SCOPED_TRACE(name);
    EXPECT_FALSE(name.empty());
    std::array<char, kPathLength> picture{};
    ASSERT_TRUE(coursePicturePath(picture, w));
    EXPECT_TRUE(fs::exists(picture.data())) << picture.data();
    for (int h = 1; h <= kHolesPerCourse; ++h) {
      std::array<char, kPathLength> path{};
      holeMapPath(path, catalogue.worldRoots[w].data(), h, catalogue.worldNames[w].data());
      ASSERT_TRUE(fs::exists(path.data())) << path.data();
      holeSetup.par = 0;  // the whole-map reader, which the catalogue's tail look-up must match
      ASSERT_TRUE(readHoleMapFile(path.data()));
      EXPECT_EQ(catalogue.holePars[w][h], holeSetup.par);
      EXPECT_GE(catalogue.holePars[w][h], 2);
      EXPECT_LE(catalogue.holePars[w][h], 6);
    }
  }
}

namespace {

struct HoleCensus {
  int starts = 0, cups = 0, exits = 0;
  std::vector<std::string> faults;
};

// Checks the cell's object against the world's types: a placed object is a real kind (the
// extra models of animations and two-part objects carry behaviour 0 and are never placed).
void checkObject(int x, int z, HoleCensus& census) {
  const TerrainCell& cell = terrainGrid.cells[x][z];
  if (cell.object < 0) return;
  const std::string where = " at " + std::to_string(x) + "," + std::to_string(z);
  const int behaviour = objectBehaviour(cell.object);
  if (behaviour <= 0) {
    census.faults.push_back("object " + std::to_string(cell.object) + " has no type" + where);
    return;
  }
  const ObjectType& type = worldTheme.objectTypes[static_cast<size_t>(cell.object)];
  if (type.frameCount != 0 && cell.object + std::max(type.frameCount, 1) > worldTheme.objectCount + 1)
    census.faults.push_back("animation frames or turning part past the list" + where);
  if (behaviour == 103) ++census.exits;
  if (behaviour == 102 && objectBehaviour(terrainGrid.cells[x][z + 1].object) != 13)
    census.faults.push_back("windmill passage without its wheel below" + where);
}

HoleCensus surveyHole() {
  HoleCensus census;
  for (int x = 1; x < kGridCells; ++x)
    for (int z = 1; z < kGridCells; ++z) {
      const TerrainCell& cell = terrainGrid.cells[x][z];
      if (cell.interaction == StartMarker) ++census.starts;
      if (cell.interaction == HoleMarker) {
        ++census.cups;
        const float h = cell.height;
        if (terrainGrid.cells[x + 1][z].height != h || terrainGrid.cells[x][z + 1].height != h ||
            terrainGrid.cells[x + 1][z + 1].height != h || h <= 0)
          census.faults.push_back("the cup is not on level ground above the sea");
      }
      checkObject(x, z, census);
    }
  return census;
}

}  // namespace

TEST_F(ShippedCourses, EveryHoleHasOneStartOneCupAndOnlyItsWorldsObjects) {
  ASSERT_GE(catalogue.worldCount, 1);
  for (int w = 0; w < catalogue.worldCount; ++w) {
    catalogue.currentWorld = w;
    loadWorldTheme();
    ASSERT_GT(worldTheme.objectCount, 20);
    for (int h = 1; h <= kHolesPerCourse; ++h) {
      SCOPED_TRACE(std::string(catalogue.worldNames[w].data()) + " hole " + std::to_string(h));
      std::array<char, kPathLength> path{};
      holeMapPath(path, catalogue.worldRoots[w].data(), h, catalogue.worldNames[w].data());
      readMap(path.data());
      const HoleCensus census = surveyHole();
      EXPECT_EQ(census.starts, 1);
      EXPECT_EQ(census.cups, 1);
      for (const std::string& fault : census.faults) ADD_FAILURE() << fault;
    }
  }
}
