// Hole map files: the line rules of the reader, the hole load with its resets, markers and rim,
// the writer's layout and round trip, and the lighting normals.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>

#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "tests/support/scratch_dir.h"

namespace {

// One nine-line cell record as the hole files hold it.
struct Record {
  int interaction = -1, interactionRotation = 0;
  float interactionHeight = 0.0f;
  int object = -1, objectRotation = 0;
  float objectHeight = -1.0f;
  int textureRotation = 0, texture = 1;
  float height = 1.0f;
};

std::string recordText(const Record& r) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "@I %d\n@Ir %d\n@Ih %f\n@O %d\n@Or %d\n@Oh %f\n@r %d\n@t %d\n@x %f\n",
                r.interaction, r.interactionRotation, double(r.interactionHeight), r.object,
                r.objectRotation, double(r.objectHeight), r.textureRotation, r.texture,
                double(r.height));
  return buffer;
}

// A whole map in the game's layout; cellAt gives the record of each cell x 0..24, z 0..25.
template <typename CellAt>
std::string mapText(CellAt cellAt, int par) {
  std::string text = "Vorpelgames map data\n\n";
  for (int z = 0; z < kGridVertices; ++z) {
    for (int x = 0; x < kGridCells; ++x) text += recordText(cellAt(x, z));
    text += "@y 0000\n";
  }
  return text + "@Pa " + std::to_string(par) + "\n";
}

// Every test works on a fresh scratch tree that stands as the current world's data root.
class HoleMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    catalogue.currentWorld = 0;
    catalogue.worldCount = 1;
    copyRoot(tree.root().string());
    std::snprintf(worldTheme.levelName.data(), worldTheme.levelName.size(), "Palm Bay");
    holeNumber = 3;
  }
  static void copyRoot(const std::string& root) {
    std::snprintf(catalogue.worldRoots[0].data(), catalogue.worldRoots[0].size(), "%s",
                  root.c_str());
  }
  void writeHole(const std::string& text) const { tree.write("levels/3-Palm-Bay.map", text); }
  // Reads a bare list of lines through the reader, after the hole's reset.
  void readLines(const std::string& lines) const {
    tree.write("lines.map", lines);
    resetTerrainCells();
    ASSERT_TRUE(readHoleMapFile(tree.path("lines.map").c_str()));
  }
  static const TerrainCell& cell(int x, int z) { return terrainGrid.cells[x][z]; }
  ScratchDir tree;
};

// Every stored field of a cell, for comparing whole grids.
auto cellFields(const TerrainCell& c) {
  return std::make_tuple(c.height, c.texture, c.textureRotation, c.object, c.objectRotation,
                         c.objectHeight, c.interaction, c.interactionRotation,
                         c.interactionHeight, c.cornerNormals);
}

// Compares the cells x 0..25, z 0..25, stopping at the first difference.
void expectSameGrid(const TerrainGrid& a, const TerrainGrid& b) {
  for (int x = 0; x < kGridVertices; ++x) {
    for (int z = 0; z < kGridVertices; ++z) {
      ASSERT_EQ(cellFields(a.cells[x][z]), cellFields(b.cells[x][z])) << "cell " << x << ", " << z;
    }
  }
}

TEST_F(HoleMapTest, ObjectHeightOfMinusOneStandsOnTheVertexHeight) {
  Record r;
  r.object = 2;
  r.height = 2.5f;
  std::string lines = recordText(r);  // objectHeight -1
  for (float h : {0.0f, 3.25f}) r.objectHeight = h, lines += recordText(r);
  readLines(lines);
  EXPECT_FLOAT_EQ(cell(0, 0).objectHeight, 2.5f);
  EXPECT_FLOAT_EQ(cell(1, 0).objectHeight, 0.0f);
  EXPECT_FLOAT_EQ(cell(2, 0).objectHeight, 3.25f);
  EXPECT_FLOAT_EQ(cell(2, 0).height, 2.5f);
}

// A record without "@x": its fields and the next record's land on the same cell.
TEST_F(HoleMapTest, CursorMovesOnlyOnHeightAndGroupLines) {
  readLines("@t 5\n@I 3\n@O 4\n@x 2.0\n@t 6\n@x 3.0\n@y 0000\n@t 7\n@x 4.0\n@y 1.5\n@x 9\n");
  EXPECT_EQ(cell(0, 0).texture, 5);
  EXPECT_EQ(cell(0, 0).interaction, 3);
  EXPECT_EQ(cell(0, 0).object, 4);
  EXPECT_FLOAT_EQ(cell(0, 0).height, 2.0f);
  EXPECT_EQ(cell(1, 0).texture, 6);
  EXPECT_FLOAT_EQ(cell(1, 0).height, 3.0f);
  EXPECT_EQ(cell(0, 1).texture, 7);
  EXPECT_FLOAT_EQ(cell(0, 1).height, 4.0f);
  EXPECT_FLOAT_EQ(cell(0, 2).height, 9.0f);
  EXPECT_FLOAT_EQ(cell(1, 1).height, 1.0f);
}

TEST_F(HoleMapTest, LinesMatchOnlyWithTheirKeyFirstAndAConvertingValue) {
  readLines(
      " @t 9\n"        // the key must start the line
      "@t\n"           // no value
      "@x high\n"      // no number: the cursor stays
      "@Ih 0.75\n"     // not the "@I" key
      "@Oh -1.0\n"     // not the "@O" key
      "@Ir 180\n"      // not the "@I" key
      "@t12junk\n"     // blanks after the key are optional; the number ends at the junk
      "@Pa 5\n"
      "@Pa 4\n"        // the last par wins
      "@x 2.0\n");
  EXPECT_EQ(cell(0, 0).texture, 12);
  EXPECT_EQ(cell(0, 0).interaction, -1);
  EXPECT_FLOAT_EQ(cell(0, 0).interactionHeight, 0.75f);
  EXPECT_EQ(cell(0, 0).interactionRotation, 180);
  EXPECT_EQ(cell(0, 0).object, -1);
  EXPECT_FLOAT_EQ(cell(0, 0).objectHeight, 2.0f);
  EXPECT_FLOAT_EQ(cell(0, 0).height, 2.0f);
  EXPECT_EQ(holeSetup.par, 4);

  // The tail of an overlong line (254 characters are read) is not a line of its own.
  readLines("@t 8" + std::string(250, ' ') + "@x 7.0\n@x 2.0\n");
  EXPECT_EQ(cell(0, 0).texture, 8);
  EXPECT_FLOAT_EQ(cell(0, 0).height, 2.0f);
  EXPECT_FLOAT_EQ(cell(1, 0).height, 1.0f);
}

TEST_F(HoleMapTest, RecordsPastTheStorageAreDropped) {
  std::string lines;
  for (int x = 0; x < kGridStorageX + 5; ++x) lines += "@t " + std::to_string(x) + "\n@x 2.0\n";
  lines += "@y 0000\n";
  for (int z = 1; z < kGridStorageZ + 3; ++z) lines += "@y 0000\n";
  lines += "@t 77\n@x 5.0\n";
  readLines(lines);
  EXPECT_EQ(cell(kGridStorageX - 1, 0).texture, kGridStorageX - 1);
  EXPECT_EQ(cell(kGridStorageX - 1, kGridStorageZ - 1).texture, 1);
  EXPECT_EQ(cell(0, 0).texture, 0);
}

TEST_F(HoleMapTest, FileNameWritesTheBlanksOfTheLevelNameAsDashes) {
  std::array<char, kPathLength> path{};
  holeMapPath(path, "./data", 3, "Palm Bay");
  EXPECT_STREQ(path.data(), "./data/levels/3-Palm-Bay.map");
  holeMapPath(path, "../../../addon2/data", 18, "Forest-Path");
  EXPECT_STREQ(path.data(), "../../../addon2/data/levels/18-Forest-Path.map");
  const std::string longRoot(kPathLength + 50, 'r');
  holeMapPath(path, longRoot.c_str(), 1, "X");
  EXPECT_EQ(std::strlen(path.data()), size_t(kPathLength - 1));

  writeHole("@x 4.5\n@Pa 5\n");  // the rim is forced whatever the file says
  loadHoleMap();
  EXPECT_FLOAT_EQ(cell(0, 0).height, kRimHeight);
  EXPECT_FLOAT_EQ(cell(kGridCells, 7).height, kRimHeight);
  EXPECT_EQ(holeSetup.par, 5);
  EXPECT_STREQ(worldTheme.levelName.data(), "Palm Bay");
}

TEST_F(HoleMapTest, MissingAndEmptyFilesGiveTheSameFlatHole) {
  // Leave traces of an earlier hole everywhere.
  writeHole(mapText([](int x, int z) {
              Record r;
              r.height = 2.0f + 0.1f * float(x + z);
              r.object = 3;
              r.texture = 4;
              r.interaction = (x == 5 && z == 5) ? HoleMarker : -1;
              return r;
            }, 6));
  loadHoleMap();
  ASSERT_EQ(holeSetup.par, 6);
  ASSERT_EQ(cell(7, 7).object, 3);

  holeNumber = 4;  // no such file
  loadHoleMap();
  // The grid is megabytes: copies live on the heap, not the stack.
  const auto afterMissing = std::make_unique<TerrainGrid>(terrainGrid);
  EXPECT_EQ(holeSetup.par, 3);
  for (int x = 0; x < kGridVertices; ++x) {
    for (int z = 0; z < kGridVertices; ++z) {
      const bool rim = x == 0 || z == 0 || x == kGridCells || z == kGridCells;
      EXPECT_FLOAT_EQ(cell(x, z).height, rim ? kRimHeight : 1.0f) << x << ", " << z;
    }
  }
  EXPECT_EQ(cell(7, 7).object, -1);
  EXPECT_EQ(cell(7, 7).texture, 1);
  EXPECT_EQ(cell(7, 7).objectHeight, -1.0f);

  tree.write("levels/4-Palm-Bay.map", "");
  loadHoleMap();
  expectSameGrid(*afterMissing, terrainGrid);
  EXPECT_EQ(holeSetup.par, 3);
}

// A hole load also starts the turns afresh: nothing of the hole before stays.
TEST_F(HoleMapTest, LaterStartAndHoleMarkersWinAndTheTurnResets) {
  players.strokes = {4, 4, 4, 4, 4, 4};
  players.holedOut = {1, 1, 1, 1, 1, 1};
  players.currentPlayer = 2;
  cameraMode = 1;
  ball.velocity = {1.0, 2.0, 3.0};
  writeHole(mapText([](int x, int z) {
              Record r;
              r.height = 1.0f + 0.05f * float(x);
              if ((x == 4 && z == 20) || (x == 9 && z == 2)) r.interaction = StartMarker;
              if (x == 9 && z == 2) r.interactionRotation = 270;
              if ((x == 3 && z == 3) || (x == 3 && z == 11)) r.interaction = HoleMarker;
              return r;
            }, 3));
  loadHoleMap();
  EXPECT_DOUBLE_EQ(ball.position.x, 9.49);
  EXPECT_DOUBLE_EQ(ball.position.z, 2.49);
  EXPECT_EQ(ball.position.y, -50.0);
  EXPECT_FLOAT_EQ(aimAngle, 360.0f);
  EXPECT_FLOAT_EQ(holeSetup.cupX, 3.5f);
  EXPECT_FLOAT_EQ(holeSetup.cupZ, 11.5f);
  EXPECT_FLOAT_EQ(holeSetup.cupHeight, 1.15f);
  EXPECT_EQ(players.strokes, (std::array<int, kPlayerSlots>{}));
  EXPECT_EQ(players.holedOut, (std::array<int, kPlayerSlots>{}));
  EXPECT_EQ(players.currentPlayer, 0);
  EXPECT_EQ(cameraMode, HoleIntro);
  EXPECT_EQ(ball.velocity.x, 0.0);
}

TEST_F(HoleMapTest, WrittenHoleHasTheFileLayoutAndLoadsBackTheSameGrid) {
  writeHole(mapText([](int x, int z) {
              Record r;
              r.height = 0.5f + 0.125f * float((x * 7 + z * 3) % 11);
              r.texture = (x + z) % 5;
              r.textureRotation = (x * z) % 4;
              r.object = (x % 6 == 2) ? x % 4 : -1;
              r.objectRotation = 90 * (z % 4);
              r.objectHeight = (z % 3 == 0) ? -1.0f : 1.333333f;
              r.interaction = (x == 10 && z == 10) ? StartMarker : (x == 20 && z == 4) ? HoleMarker : -1;
              r.interactionRotation = 45;
              r.interactionHeight = 0.25f * float(x % 3);
              return r;
            }, 4));
  loadHoleMap();
  const auto loaded = std::make_unique<TerrainGrid>(terrainGrid);
  const HoleSetup loadedSetup = holeSetup;

  ASSERT_TRUE(writeHoleMap(tree.path("levels/5-Palm-Bay.map").c_str(), terrainGrid, holeSetup.par));
  const std::string written = tree.read("levels/5-Palm-Bay.map");
  EXPECT_EQ(written.rfind("Vorpelgames map data\n\n@I ", 0), 0u);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 2 + 26 * (25 * 9 + 1) + 1);
  EXPECT_EQ(written.substr(written.size() - 14), "@y 0000\n@Pa 4\n");

  holeNumber = 5;
  // The rotations are kept across loads, so only the file can bring them back.
  for (int x = 0; x < kGridCells; ++x) {
    for (TerrainCell& c : terrainGrid.cells[x]) c.textureRotation = c.objectRotation = 99;
  }
  loadHoleMap();
  expectSameGrid(*loaded, terrainGrid);
  EXPECT_EQ(holeSetup.par, 4);
  EXPECT_EQ(holeSetup.cupX, loadedSetup.cupX);
  EXPECT_EQ(holeSetup.cupHeight, loadedSetup.cupHeight);
  EXPECT_FALSE(writeHoleMap(tree.path("no/such/dir/1-x.map").c_str(), terrainGrid, 3))
      << "a file that cannot be created is reported";
}

// Every corner of every cell of a tilted plane carries the plane's own unit normal.
TEST(TerrainNormals, TiltedPlaneGivesItsExactUpwardNormalEverywhere) {
  const float a = 0.5f, b = -0.25f;
  for (int x = 0; x < kGridVertices; ++x)
    for (int z = 0; z < kGridVertices; ++z) terrainGrid.cells[x][z].height = a * float(x) + b * float(z);
  computeTerrainNormals();
  const float length = std::sqrt(a * a + 1.0f + b * b);
  for (int x = 0; x < kGridCells; ++x)
    for (int z = 0; z < kGridCells; ++z)
      for (const auto& n : terrainGrid.cells[x][z].cornerNormals) {
        EXPECT_NEAR(n[0], -a / length, 1e-5f);
        EXPECT_NEAR(n[1], 1.0f / length, 1e-5f);
        EXPECT_NEAR(n[2], -b / length, 1e-5f);
      }
}

}  // namespace
