// The play drawing under Xvfb: the aiming aid checked on pixels, and the drawn object pass
// checked against the headless one. Screenshots land in the build tree
// (play_*.png) for a person to look at.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <string>

#include "core/app_state.h"
#include "core/automation.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/aiming_aid.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/scene.h"
#include "tests/support/play_hole.h"
#include "tests/support/scene_test_hole.h"
#include "tests/support/scratch_dir.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr float kBallX = 12.5f, kBallZ = 12.5f;

// Pixels in a window box (bottom-left origin) that pass a colour test.
template <typename Test>
int countPixels(int x0, int y0, int x1, int y1, Test test) {
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) count += test(readPixel(x, y));
  return count;
}

bool lit(const Pixel& c) { return c.r + c.g + c.b > 60; }

class PlayDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openSceneWindow(kWidth, kHeight)) << "the drawing checks need a display (Xvfb)";
    ScopedWorkingDirectory inBuild(QUILLMOOR_BINARY_DIR);
    ASSERT_TRUE(loadModel(SmallBallModel, "./data/object/ptitball.obj", 1));
    buildFlatHole(6, 12);
    placeBall(kBallX, kBallZ);
  }

  // A steep close view from the +z side onto the ball, on a black background.
  static void startView() {
    shotPhase = Aiming;
    camera.eye = {kBallX, 3.5f, kBallZ + 1.5f};
    camera.target = camera.previousTarget = {kBallX, 1, kBallZ};
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setupCamera();
    extractFrustum(sceneFrustum);
    glDisable(GL_DEPTH_TEST);
  }

  static void screenshot(const std::string& name) {
    writeScreenshot((std::string(QUILLMOOR_BINARY_DIR) + "/play_" + name + ".png").c_str());
  }
};

// The arrow and the power beads lie along the stroke, which goes towards aimAngle + 180.
TEST_F(PlayDrawing, AimingAidPointsAlongTheStroke) {
  strikePower = 12;
  aimAngle = 180;  // stroke towards +x: the right of the picture
  startView();
  const std::array<int, 2> at = projectToWindow(kBallX, kTestGround, kBallZ);
  drawAimingAid(kTestGround);
  screenshot("aim_right");
  const int rightOfBall = countPixels(at[0] + 4, 0, kWidth, kHeight, lit);
  const int leftOfBall = countPixels(0, 0, at[0] - 4, kHeight, lit);
  EXPECT_GT(rightOfBall, 150);
  EXPECT_LT(leftOfBall, rightOfBall / 10);

  aimAngle = 0;  // towards -x
  startView();
  drawAimingAid(kTestGround);
  EXPECT_GT(countPixels(0, 0, at[0] - 4, kHeight, lit), 150);
  EXPECT_LT(countPixels(at[0] + 4, 0, kWidth, kHeight, lit), 15);

  strikePower = 0;  // no power: only the base of the arrow at the ball
  startView();
  drawAimingAid(kTestGround);
  EXPECT_LT(countPixels(0, 0, kWidth, kHeight, lit), rightOfBall / 4);
}

// The drawn pass runs the same behaviours as the headless one when everything is in view.
TEST_F(PlayDrawing, DrawnObjectPassActsLikeTheHeadlessPass) {
  struct Outcome {
    BallState ballState;
    std::array<float, 6> states;
    int stars;
    float clock;
  };
  const std::array<std::array<int, 2>, 6> cells{{{8, 8}, {9, 12}, {12, 9}, {14, 14}, {16, 10}, {7, 15}}};
  auto run = [&cells](bool drawn) {
    buildFlatHole(20, 20);
    placeObject(8, 8, BumperPost);
    placeObject(9, 12, StarPickup, 0, kTestGround);
    placeObject(12, 9, WallBlock, 90, kTestGround, kTurningFanFrames);
    placeObject(14, 14, SteadyEmitter, 0, kTestGround, 0, 12);
    placeObject(16, 10, Mud);
    placeObject(7, 15, Decoration, 0, kTestGround, 4, 9);
    placeBall(6.5, 6.5, 3, 3);
    std::srand(11);
    for (int frame = 0; frame < 240; ++frame) {
      frameClock.fps = 60;
      updateCupAndFlag();
      runBallPhysics();
      if (drawn) {
        camera.eye = {12.5f, 30, 13};  // the whole hole in view
        camera.target = camera.previousTarget = {12.5f, 0, 12.5f};
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setupCamera();
        extractFrustum(sceneFrustum);
        mirrorPass = false;
        drawCourseObjects();
      } else {
        runObjectBehaviours(false);
      }
    }
    Outcome o{ball, {}, players.starsCollected[0], objectClock};
    for (size_t i = 0; i < cells.size(); ++i) o.states[i] = terrainGrid.cells[cells[i][0]][cells[i][1]].objectState;
    return o;
  };
  const float clockBefore = objectClock;
  const Outcome headless = run(false);
  objectClock = clockBefore;
  const Outcome drawn = run(true);
  screenshot("objects_overview");
  EXPECT_DOUBLE_EQ(drawn.ballState.position.x, headless.ballState.position.x);
  EXPECT_DOUBLE_EQ(drawn.ballState.position.z, headless.ballState.position.z);
  EXPECT_DOUBLE_EQ(drawn.ballState.velocity.x, headless.ballState.velocity.x);
  EXPECT_DOUBLE_EQ(drawn.ballState.velocity.z, headless.ballState.velocity.z);
  EXPECT_EQ(drawn.stars, headless.stars);
  EXPECT_EQ(drawn.clock, headless.clock);
  for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(drawn.states[i], headless.states[i]) << "cell " << i;
}

}  // namespace
