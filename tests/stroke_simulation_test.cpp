#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/play_hole.h"
#include "tests/support/temp_data_tree.h"

namespace {

TEST(StrokeSimulation, StraightShotIntoTheCupIsFoundInOneStroke) {
  buildFlatHole(14, 12);
  placeBall(6.5, 12.5, 0, 0, kBallStartDepth);
  settleBall();
  const StrokeSequence found = searchStrokes(3, 1);
  ASSERT_EQ(found.count, 1);
  EXPECT_TRUE(found.holed);
  EXPECT_EQ(found.strokes[0].result, StrokeHoled);
  // The stroke goes towards aim + 180: straight along +x.
  EXPECT_NEAR(std::fmod(found.strokes[0].aim + 360, 360), 180, 6);
}

TEST(StrokeSimulation, ADetourAroundAWallIsFoundThoughItFirstLeadsAwayFromTheCup) {
  // A high wall from the top rim down most of the hole between the start and the cup: the
  // nearest rests to the cup lie against the wall, the way round is through the gap below it.
  buildFlatHole(18, 6);
  setGround(11, 1, 12, 19, 4.0f);
  placeBall(6.5, 6.5, 0, 0, kBallStartDepth);
  settleBall();
  const StrokeSequence found = searchStrokes(4, 1);
  ASSERT_TRUE(found.holed);
  bool wentRound = false;
  for (int i = 0; i < found.count; ++i) wentRound = wentRound || found.strokes[i].rest.z > 19;
  EXPECT_TRUE(wentRound) << "the ball never went through the gap";
}

TEST(StrokeSimulation, OutcomesReportWaterRestAndStars) {
  buildFlatHole(20, 20);
  setGround(12, 1, 24, 24, -1.0f);
  placeBall(6.5, 12.5, 0, 0, kBallStartDepth);
  settleBall();
  const BallVector start = ball.position;
  const StrokeOutcome wet = simulateStroke(180, 10);
  EXPECT_EQ(wet.result, StrokeInWater);
  EXPECT_NEAR(wet.rest.x, start.x, 1e-5) << "after water the next stroke is played from the start";
  EXPECT_NEAR(wet.rest.z, start.z, 1e-5);

  placeObject(8, 12, StarPickup, 0, kTestGround);
  const StrokeOutcome dry = simulateStroke(180, 2);
  EXPECT_EQ(dry.result, StrokeAtRest);
  EXPECT_EQ(dry.stars, 1);
  EXPECT_GT(dry.rest.x, 8.5);
  EXPECT_LT(dry.rest.x, 12);
  EXPECT_GT(dry.frames, 96) << "a stroke ends only after 1.6 s at rest";
}

// The command-line tool on a world written to disk: one line of JSON per run.
class SimulateTool : public ::testing::Test {
 protected:
  void SetUp() override {
    buildFlatHole(14, 12);
    terrainGrid.cells[6][12].interaction = StartMarker;
    terrainGrid.cells[6][12].interactionRotation = 90;
    terrainGrid.cells[14][12].interaction = HoleMarker;
    // A floor image too: the tool has no window and must load the world without uploading it.
    tree.write("data/levels/level1.vorpel",
               "Level_Name Test-Green\nMAINpath ./data\ntexture grass.tga\nobject wall.obj 1 0 0\n");
    std::filesystem::create_directories(tree.path("data/floor"));
    writeSolidImage(tree.path("data/floor/grass.tga"), 16, 16, {60, 170, 60});
    ASSERT_TRUE(writeHoleMap(tree.path("data/levels/1-Test-Green.map").c_str(), terrainGrid, 2));
  }

  std::string run(const std::string& arguments) {
    const std::string command = std::string(QUILLMOOR_BINARY_DIR) + "/tools/simulate/simulate --root " +
                                tree.root().string() + " " + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    if (!pipe) return out;
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), pipe)) out += chunk.data();
    pclose(pipe);
    return out;
  }

  TempDataTree tree;
};

TEST_F(SimulateTool, PlaysOneStrokeAndFindsTheHole) {
  const std::string straight = run("--world 0 --hole 1 --aim 180 --power 7");
  EXPECT_NE(straight.find("\"outcome\":\"holed\""), std::string::npos) << straight;
  EXPECT_NE(straight.find("\"par\":2"), std::string::npos) << straight;
  const std::string wide = run("--world 0 --hole 1 --aim 90 --power 3");
  EXPECT_NE(wide.find("\"outcome\":\"rest\""), std::string::npos) << wide;
  const std::string search = run("--world 0 --hole 1 --search");
  EXPECT_NE(search.find("\"holed\":true,\"strokes\":1,"), std::string::npos) << search;
  EXPECT_EQ(run("--world 3 --hole 1 --search").find('{'), std::string::npos) << "no such world";
}

}  // namespace
