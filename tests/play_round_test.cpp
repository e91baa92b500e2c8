// A hole of a world written to disk, played to the cup by two players through the game's own
// play screen (scene, physics, objects, flow, overlay) in a real GL window, with the input a
// player would give. Screenshots land in the build tree (round_*.png) for a person to look at.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/automation.h"
#include "core/playing_screen.h"
#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/vector_math.h"
#include "tests/support/play_hole.h"
#include "tests/support/scene_test_hole.h"
#include "tests/support/temp_data_tree.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kFrameLimit = 3000;

class PlayRound : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openSceneWindow(kWidth, kHeight)) << "the round needs a display (Xvfb)";
    // Hole 1 of "Test Green": a flat fairway, the start on (6, 12) aiming along +x, the cup
    // four cells further on.
    buildFlatHole();
    terrainGrid.cells[6][12].interaction = StartMarker;
    terrainGrid.cells[6][12].interactionRotation = 90;
    terrainGrid.cells[10][12].interaction = HoleMarker;
    terrainGrid.cells[8][6].interaction = CameraMarker;
    tree.write("data/levels/level1.vorpel", "Level_Name Test-Green\nMAINpath ./data\n");
    ASSERT_TRUE(writeHoleMap(tree.path("data/levels/1-Test-Green.map").c_str(), terrainGrid, 2));
    // The shared models and floor pictures come from the game's generated data.
    for (const char* folder : {"object", "floor"}) {
      std::filesystem::create_directory_symlink(std::string(QUILLMOOR_BINARY_DIR) + "/data/" + folder,
                                                tree.path(std::string("data/") + folder));
    }
  }

  // The course start as the LoadCourse screen makes it, for two players.
  void startCourse() {
    buildCourseCatalogue();
    ASSERT_EQ(catalogue.worldCount, 1);
    catalogue.currentWorld = 0;
    players = PlayerTable{};
    players.playerCount = 2;
    scores = ScoreTable{};
    holeNumber = 1;
    trainingMode = 0;
    loadWorldTheme();
    loadHoleMap();
    screenState = Playing;
  }

  // One frame of the play screen at 60 frames a second; the click lasts one frame as the main
  // loop's click edge makes it.
  void frame(bool clicked = false) {
    frameClock.fps = 60;
    input.clickState = clicked ? 1 : (input.clickState == 1 ? -1 : 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updatePlayingScreen();
    input.typedChar = kNoTypedChar;
    ++frames;
  }

  bool runUntil(int phase) {
    for (int i = 0; i < kFrameLimit; ++i) {
      frame();
      if (shotPhase == phase) return true;
    }
    return false;
  }

  // The player turns the aim at the cup (as mouse-look would) and strikes with this power.
  void strokeTowardsCup(float power) {
    aimAngle = std::atan2(ball.position.z - holeSetup.cupZ, ball.position.x - holeSetup.cupX) * kRadToDeg;
    strikePower = power;
    frame(true);
  }

  // After a holed ball: wait for the scorecard, then click on.
  void clickThroughScorecard() {
    for (int i = 0; i < kFrameLimit && viewTimer <= 25; ++i) frame();
    frame(true);
  }

  void screenshot(const std::string& name) {
    writeScreenshot((std::string(QUILLMOOR_BINARY_DIR) + "/round_" + name + ".png").c_str());
  }

  TempDataTree tree;
  long frames = 0;
};

TEST_F(PlayRound, TwoPlayersTakeTurnsAndHoleOut) {
  ScopedWorkingDirectory inTree(tree.root());
  startCourse();
  EXPECT_EQ(cameraMode, HoleIntro);
  ASSERT_TRUE(runUntil(Aiming)) << "the introduction hands over to aiming";
  EXPECT_EQ(players.currentPlayer, 0);
  EXPECT_NEAR(aimAngle, 180, 1e-4) << "the start marker's heading";
  strikePower = 6;
  frame();
  screenshot("aiming");

  // Player 0 plays short.
  strikePower = 1;
  frame(true);
  EXPECT_EQ(shotPhase, Rolling);
  for (int i = 0; i < 20; ++i) frame();
  screenshot("rolling");
  ASSERT_TRUE(runUntil(Aiming));
  EXPECT_EQ(players.currentPlayer, 1);
  const float shortX = players.restPosition[0][0];
  EXPECT_GT(shortX, 7.5f);
  EXPECT_LT(shortX, 10.3f);

  // Player 1 holes in one.
  strokeTowardsCup(3.5f);
  ASSERT_TRUE(runUntil(HoleDone));
  EXPECT_EQ(players.holedOut[1], 1);
  screenshot("holed");
  clickThroughScorecard();
  ASSERT_TRUE(runUntil(Aiming));
  EXPECT_EQ(players.currentPlayer, 0) << "back to the player still to hole";
  EXPECT_NEAR(ball.position.x, shortX, 1e-5);

  // Player 0 holes with a second stroke; the click after the result loads the next hole.
  strokeTowardsCup(2.5f);
  ASSERT_TRUE(runUntil(HoleDone));
  clickThroughScorecard();
  EXPECT_EQ(holeNumber, 2);
  EXPECT_EQ(scores.strokes[0][1], 2);
  EXPECT_EQ(scores.strokes[1][1], 1);
  EXPECT_EQ(players.holedOut[0], 0) << "the next hole starts afresh";
  EXPECT_EQ(cameraMode, HoleIntro);
  frame();
  screenshot("next_hole");
  std::printf("round played in %ld frames\n", frames);
}

}  // namespace
