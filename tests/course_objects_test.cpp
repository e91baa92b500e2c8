#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "render/particles.h"
#include "render/sea.h"
#include "tests/support/play_hole.h"

namespace {

constexpr float kDegToRad = 0.017453292f;

// A star within 0.2 of the ball and at its height is collected once, emptying the cell; one out
// of reach stays.
TEST(Stars, CollectedOnceWithinReachAndOutOfReachStarsStay) {
  buildFlatHole();
  placeObject(6, 6, StarPickup, 0, kTestGround);
  players.currentPlayer = 1;
  players.starsCollected[1] = 4;
  placeBall(6.55, 6.45, 0, 0, kTestGround + 0.1);
  runObjectBehaviours(false);
  EXPECT_EQ(terrainGrid.cells[6][6].object, -1);
  EXPECT_EQ(players.starsCollected[1], 5);
  EXPECT_EQ(liveParticles(Sparkle), 1);
  runObjectBehaviours(false);
  EXPECT_EQ(players.starsCollected[1], 5);

  buildFlatHole();
  placeObject(6, 6, StarPickup, 0, kTestGround + 1);
  placeBall(6.5, 6.5, 0, 0, kTestGround);  // under the star, 1 unit low
  runObjectBehaviours(false);
  placeBall(6.75, 6.5, 0, 0, kTestGround + 1);  // beside it, 0.25 off centre
  runObjectBehaviours(false);
  EXPECT_NE(terrainGrid.cells[6][6].object, -1);
  EXPECT_EQ(players.starsCollected[0], 0);
}

// A fan blows over the three cells in front of it, along its heading: 20 units/s^2 along +z
// (heading 0), 15 along +x (90), 15 along -z (180), 20 along -x (270), at the peak of its cycle.
TEST(Fans, EachHeadingBlowsItsOwnWayAtItsOwnStrengthOverThreeCells) {
  struct Spot {
    int rotation, x, z;
    double vx, vz;  // after one frame at 50 frames a second
  };
  const Spot spots[] = {{0, 5, 6, 0, 0.4},   {0, 5, 8, 0, 0.4},   {0, 5, 9, 0, 0},    {0, 6, 6, 0, 0},
                        {0, 5, 4, 0, 0},     {90, 6, 5, 0.3, 0},  {90, 8, 5, 0.3, 0}, {90, 9, 5, 0, 0},
                        {180, 5, 4, 0, -0.3}, {180, 5, 2, 0, -0.3}, {180, 5, 1, 0, 0}, {270, 4, 5, -0.4, 0},
                        {270, 2, 5, -0.4, 0}, {270, 4, 6, 0, 0}};
  for (const Spot& s : spots) {
    buildFlatHole();
    placeObject(5, 5, WallBlock, s.rotation, kTestGround, kTurningFanFrames);
    placeBall(s.x + 0.5, s.z + 0.5);
    frameClock.fps = 50;
    blowFan(5, 5);
    EXPECT_NEAR(ball.velocity.x, s.vx, 1e-6) << "heading " << s.rotation << " cell " << s.x << ", " << s.z;
    EXPECT_NEAR(ball.velocity.z, s.vz, 1e-6) << "heading " << s.rotation << " cell " << s.x << ", " << s.z;
  }
  // Decorations carry no fan even with the turning fan's frames.
  buildFlatHole();
  placeObject(5, 5, Decoration, 0, kTestGround, kTurningFanFrames);
  placeBall(5.5, 6.5);
  runObjectBehaviours(false);
  EXPECT_EQ(ball.velocity.z, 0);
}

TEST(Vents, LiftABallLyingInTheirCellInOnScreenPassesOnly) {
  buildFlatHole();
  placeObject(8, 8, UpdraftVent, 0, kTestGround);
  placeBall(8.5, 8.5);
  runObjectBehaviours(false);
  EXPECT_GT(ball.velocity.y, 0);
  const double lifted = ball.velocity.y;
  runObjectBehaviours(true);
  EXPECT_EQ(ball.velocity.y, lifted) << "vents stand still in off-screen passes";
}

// A bumper throws a touching ball at 7.5 from its rim, roughly away from its centre.
TEST(Bumpers, ThrowATouchingBallFromTheRimAwayFromTheCentre) {
  const float angles[] = {0, 45, 130, 200, 300};
  std::srand(7);
  for (float degrees : angles) {
    buildFlatHole();
    placeObject(8, 8, BumperPost, 0, kTestGround);
    const float a = degrees * kDegToRad;
    placeBall(8.5 + 0.25 * std::cos(a), 8.5 + 0.25 * std::sin(a), 1, 1, kTestGround + 0.1);
    runObjectBehaviours(false);
    const double dx = ball.position.x - 8.5, dz = ball.position.z - 8.5;
    EXPECT_NEAR(std::hypot(dx, dz), 0.4, 1e-4) << degrees;
    EXPECT_NEAR(std::atan2(dz, dx), std::atan2(std::sin(a), std::cos(a)), 1e-3) << degrees;
    // Each component takes its own few degrees of spread, so the speed is 7.5 give or take.
    EXPECT_NEAR(horizontalSpeed(), 7.5, 0.65) << degrees;
    const double leave = std::atan2(ball.velocity.z, ball.velocity.x) / kDegToRad;
    double off = std::fmod(leave - degrees + 540.0, 360.0) - 180;
    EXPECT_LT(std::fabs(off), 8) << degrees;
    EXPECT_LT(terrainGrid.cells[8][8].objectState, 0) << "the hit flash starts";
  }
  buildFlatHole();
  placeObject(8, 8, BumperPost, 0, kTestGround);
  placeBall(8.6, 8.5, 1, 0, kTestGround + 0.6);
  runObjectBehaviours(false);
  EXPECT_EQ(ball.velocity.x, 1) << "a ball passing above is left alone";
}

// The windmill passage: blades open let the ball through along +z, blades closed throw it to the
// last exit point, or the origin when the hole has none.
TEST(WindmillPassages, OpenBladesLetTheBallThroughClosedOnesThrowItToTheExit) {
  buildFlatHole();
  placeObject(10, 10, WindmillPassage, 0, kTestGround);
  terrainGrid.cells[10][11].objectState = 45;  // the blade angle the wheel beyond would give
  placeBall(10.5, 9.8, 0, 2);
  runObjectBehaviours(false);
  EXPECT_NEAR(ball.position.z, 11.1, 1e-6);
  EXPECT_EQ(ball.velocity.z, 2);

  buildFlatHole();
  placeObject(3, 20, PassageExit, 0, kTestGround);
  placeObject(10, 10, WindmillPassage, 0, kTestGround);
  runObjectBehaviours(false);  // the exit, further down the grid, marks itself
  placeBall(10.5, 9.8, 0, 2);
  runObjectBehaviours(false);
  EXPECT_NEAR(ball.position.x, 3.5, 1e-5);
  EXPECT_NEAR(ball.position.y, waveHeightAt(3.5f, 20.5f) + 2.5, 1e-5);
  EXPECT_NEAR(ball.position.z, 20.5, 1e-5);
  EXPECT_EQ(ball.velocity.y, 2);
  EXPECT_EQ(ball.velocity.z, 6);
  EXPECT_LE(std::fabs(ball.velocity.x), 0.5 / 6 + 1e-9);
  EXPECT_FLOAT_EQ(followTimer, 5.1f);

  buildFlatHole();
  placeObject(10, 10, WindmillPassage, 0, kTestGround);
  placeBall(10.5, 9.8, 0, 2);
  runObjectBehaviours(false);
  EXPECT_EQ(ball.position.x, 0);
  EXPECT_EQ(ball.position.z, 0);
}

// Mud brakes at 7 per second in every pass; code 50 is neither wall nor animation.
TEST(Mud, BrakesTheBallInItsCellAndCodeFiftyIsPassedThrough) {
  buildFlatHole();
  placeObject(8, 8, Mud, 0, kTestGround);
  placeBall(8.5, 8.5, 2, -1);
  frameClock.fps = 50;
  runObjectBehaviours(false);
  EXPECT_NEAR(ball.velocity.x, 2 * (1 - 7.0 / 50), 1e-9);
  EXPECT_NEAR(ball.velocity.z, -1 * (1 - 7.0 / 50), 1e-9);
  runObjectBehaviours(true);
  EXPECT_NEAR(ball.velocity.x, 2 * std::pow(1 - 7.0 / 50, 2), 1e-9);
  placeBall(9.5, 8.5, 2, 0);
  runObjectBehaviours(false);
  EXPECT_EQ(ball.velocity.x, 2);

  buildFlatHole();
  placeObject(12, 12, 50);
  placeBall(10.5, 12.5, 4, 0);
  runFrames(60);
  EXPECT_GT(ball.position.x, 13) << "no wall on a code-50 cell";
  EXPECT_GT(ball.velocity.x, 0);
  EXPECT_EQ(terrainGrid.cells[12][12].objectState, 0) << "no animation either";
}

}  // namespace
