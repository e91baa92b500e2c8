// The ball's sub-steps on small holes built in memory. Expected figures come from the rules of
// motion (gravity 8, slope push 20 x cosine of the slope angle, rolling resistance 0.6 per
// second, bounce keeping half the speed), worked out by hand, never read back from the code.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "render/particles.h"
#include "tests/support/play_hole.h"

namespace {

// Rolling resistance: the speed decays as e^-0.6 per second, twice as fast on rough ground.
TEST(BallRolling, LevelGroundKeepsFiftyFivePercentAfterOneSecondRoughGroundThirty) {
  for (bool rough : {false, true}) {
    buildFlatHole();
    if (rough)
      for (int x = 2; x <= 15; ++x) placeObject(x, 12, RoughGround);
    placeBall(3.5, 12.5, 10, 0);
    runFrames(60);
    EXPECT_NEAR(horizontalSpeed() / 10, std::exp(rough ? -1.2 : -0.6), 0.01) << rough;
    EXPECT_NEAR(ball.position.y, kTestGround, 0.02) << "the ball stays on level ground";
    EXPECT_NEAR(ball.position.z, 12.5, 1e-6) << "nothing pushes it sideways";
  }
}

// A slope falling 0.2 per unit pushes at 20 x 0.2 / sqrt(1.04) = 3.92 units/s^2 against the
// rolling resistance: from rest v(t) = 3.92 / 0.6 x (1 - e^(-0.6 t)), 1.69 after half a second.
TEST(BallRolling, GentleSlopePushesDownhillAtItsCosineAlongEitherAxis) {
  const double push = 20 * 0.2 / std::sqrt(1.04);
  const double expected = push / 0.6 * (1 - std::exp(-0.3));
  for (bool alongZ : {false, true}) {
    buildFlatHole();
    for (int a = 5; a <= 15; ++a)
      for (int b = 10; b <= 15; ++b)
        (alongZ ? terrainGrid.cells[b][a] : terrainGrid.cells[a][b]).height = kTestGround - (a - 5) * 0.2f;
    placeBall(alongZ ? 12.5 : 6.2, alongZ ? 6.2 : 12.5, 0, 0, kTestGround - 0.24);
    runFrames(30);
    EXPECT_NEAR(alongZ ? ball.velocity.z : ball.velocity.x, expected, 0.02) << "along z: " << alongZ;
    EXPECT_NEAR(alongZ ? ball.velocity.x : ball.velocity.z, 0, 1e-6) << "along z: " << alongZ;
  }
}

// A face climbing 2 per unit (63 degrees) turns a ball at 4 units/s back the moment it touches
// it, along x and along z and from either side. Slowed by its slope alone the ball would run
// 16 / (2 x 17.9) = 0.45 units up the face first.
TEST(BallRolling, SteepFacesTurnTheBallBackAtOnceAlongBothAxes) {
  for (bool alongZ : {false, true}) {
    for (int heading : {1, -1}) {
      SCOPED_TRACE(std::string(alongZ ? "along z" : "along x") + (heading > 0 ? ", climbing +" : ", climbing -"));
      buildFlatHole();
      // Cell 10 rises by 2 towards the ball's heading: the far vertex lines are raised.
      for (int a = 1; a < kGridCells; ++a)
        for (int b = 1; b < kGridCells; ++b)
          if (heading > 0 ? a >= 11 : a <= 10)
            (alongZ ? terrainGrid.cells[b][a] : terrainGrid.cells[a][b]).height = kTestGround + 2;
      const double start = heading > 0 ? 9.5 : 11.5;
      placeBall(alongZ ? 12.5 : start, alongZ ? start : 12.5, alongZ ? 0 : 4 * heading, alongZ ? 4 * heading : 0);
      double deepest = 0;  // how far the ball got onto the face
      for (int step = 0; step < 8 * 60; ++step) {
        runSubSteps(1);
        const double along = alongZ ? ball.position.z : ball.position.x;
        deepest = std::max(deepest, heading > 0 ? along - 10 : 11 - along);
      }
      EXPECT_LT(deepest, 0.03);
      EXPECT_LT(heading * (alongZ ? ball.velocity.z : ball.velocity.x), 0) << "the ball rolls back";
    }
  }
}

// Dropped from one unit the ball falls for sqrt(2 / 8) = 0.5 s and lands at 4 units/s; each
// rebound keeps half the speed (2, then 1, ...).
TEST(BallBounce, DropFromOneUnitLandsAfterHalfASecondAndReboundsAtHalfSpeed) {
  buildFlatHole();
  placeBall(8.5, 8.5, 0, 0, kTestGround + 1);
  std::vector<double> rebounds;
  int firstLanding = 0;
  double lastVy = 0;
  for (int step = 1; step <= 8 * 240; ++step) {
    runSubSteps(1);
    if (lastVy < 0 && ball.velocity.y > 0) {
      if (rebounds.empty()) firstLanding = step;
      rebounds.push_back(ball.velocity.y);
    }
    lastVy = ball.velocity.y;
  }
  ASSERT_GE(rebounds.size(), 3u);
  EXPECT_NEAR(firstLanding / 480.0, 0.5, 0.006);
  EXPECT_NEAR(rebounds[0], 2.0, 0.03);
  EXPECT_NEAR(rebounds[1] / rebounds[0], 0.5, 0.02);
  EXPECT_NEAR(ball.position.y, kTestGround, 0.02) << "the ball comes to rest on the ground";
}

// The cup: within 0.08 the ball sinks; below cupHeight - 0.1 it is holed, exactly once.
TEST(BallCup, BallWithinTheCaptureRadiusIsHoledOnceAndOneOutsideRollsOn) {
  buildFlatHole(10, 10);
  placeBall(9.8, 10.5, 1.5, 0);
  shotPhase = Rolling;
  runFrames(60);
  EXPECT_EQ(cameraMode, Holed);
  EXPECT_EQ(shotPhase, Halted);
  EXPECT_EQ(players.holedOut[0], 1);
  EXPECT_NEAR(ball.position.x, 10.5, 1e-6);
  EXPECT_NEAR(ball.position.y, kTestGround - 0.15, 0.02);
  EXPECT_EQ(liveParticles(SmokePuff), 4);
  viewTimer = 5;  // a second pass with the holed view on changes nothing
  shotPhase = HoleDone;
  runFrames(30);
  EXPECT_EQ(viewTimer, 5);
  EXPECT_EQ(liveParticles(SmokePuff), 4);

  buildFlatHole(10, 10);  // a fast ball already deep in the cup stops whatever its speed
  placeBall(10.45, 10.5, 12, 0, kTestGround - 0.095);
  shotPhase = Rolling;
  runSubSteps(1);
  EXPECT_EQ(cameraMode, Holed);
  EXPECT_LT(horizontalSpeed(), 1e-6);

  buildFlatHole(10, 10);
  placeBall(9.5, 10.6, 2, 0);  // passes 0.1 from the centre
  shotPhase = Rolling;
  runFrames(60);
  EXPECT_NE(cameraMode, Holed);
  EXPECT_GT(ball.position.x, 11);
}

// The sea: over deep water the ball floats 0.1 under the surface and is lost exactly once; a
// sea at most 0.1 above the ground is no water.
TEST(BallWater, FloatsBelowTheSurfaceAndIsLostOnceButShallowSeaIsNoWater) {
  buildFlatHole();
  setGround(12, 8, 16, 16, -1.0f);
  placeBall(10.5, 12.5, 4, 0);
  shotPhase = Rolling;
  runFrames(120);
  EXPECT_EQ(cameraMode, InWater);
  EXPECT_EQ(shotPhase, Halted);
  EXPECT_EQ(horizontalSpeed(), 0);
  EXPECT_GT(ball.position.x, 12) << "the ball stops over the water, not on the shore";
  const double surface = seaHeightAt(static_cast<float>(ball.position.x), static_cast<float>(ball.position.z));
  EXPECT_NEAR(ball.position.y, surface - 0.1, 0.06);
  EXPECT_EQ(liveParticles(SmokePuff), 4);
  viewTimer = 3;
  runFrames(30);
  EXPECT_EQ(viewTimer, 3) << "a ball already lost is not lost again";
  EXPECT_EQ(liveParticles(SmokePuff), 4);

  buildFlatHole();
  setGround(12, 8, 16, 16, -0.05f);
  placeBall(10.5, 12.5, 4, 0);
  shotPhase = Rolling;
  runFrames(120);
  EXPECT_NE(cameraMode, InWater);
}

// Wall blocks: a side sends the ball straight back at its speed, an inside corner both ways.
TEST(BallWalls, HeadOnComesBackAtTheSameSpeedAndACornerSendsItBackFromBoth) {
  buildFlatHole();
  placeObject(12, 12, WallBlock);
  placeBall(10.5, 12.5, 5, 0);
  double before = 0;
  bool bounced = false;
  for (int frame = 0; frame < 60 && !bounced; ++frame) {
    ball.previousPosition = ball.position;
    for (int s = 0; s < kPhysicsSubSteps && !bounced; ++s) {
      before = ball.velocity.x;
      runSubSteps(1);
      bounced = ball.velocity.x < 0;
    }
  }
  ASSERT_TRUE(bounced);
  EXPECT_NEAR(ball.velocity.x, -before, before * 0.6 / 480 + 1e-6);
  EXPECT_NEAR(ball.velocity.z, 0, 1e-6);
  EXPECT_LT(ball.position.x, 12) << "the ball stays out of the wall cell";

  buildFlatHole();
  for (int z = 8; z <= 13; ++z) placeObject(13, z, WallBlock);
  for (int x = 8; x <= 12; ++x) placeObject(x, 13, WallBlock);
  placeBall(10.2, 10.3, 3, 3);
  runFrames(90);
  EXPECT_LT(ball.velocity.x, 0);
  EXPECT_LT(ball.velocity.z, 0);
  EXPECT_LT(ball.position.x, 13);
  EXPECT_LT(ball.position.z, 13);
}

// One collision probe at 480 frames a second: the objects placed, the ball moving from
// `previous` to `position` with velocity (vx, vz), and the horizontal velocity it leaves with.
struct Placed {
  int x, z, behaviour, rotation;
  float height;
};
struct Probe {
  const char* what;
  std::vector<Placed> objects;
  float clock;  // object clock: the bobbing platforms' phase
  BallVector previous, position;
  double vx, vz, expectVx, expectVz;
};

TEST(BallCollisions, ProbesTurnTheBallOnlyWhereAWallStands) {
  const float g = kTestGround;
  const std::vector<Placed> corner{{12, 12, WallBlock, 0, g}, {13, 12, WallBlock, 0, g}, {12, 13, WallBlock, 0, g}};
  const std::vector<Placed> edges{{0, 12, WallBlock, 0, g}, {25, 12, WallBlock, 0, g}, {24, 12, WallBlock, 0, g}};
  const std::vector<Placed> raised{{10, 10, RaisedPlatform, 0, g + 0.5f}};
  const std::vector<Placed> raisedPair{{10, 10, RaisedPlatform, 0, g + 0.5f}, {9, 10, RaisedPlatform, 0, g + 0.5f}};
  const std::vector<Placed> bobbing{{10, 10, BobbingPlatform, 0, g + 0.1f}};
  const Probe probes[] = {
      {"inside a corner crossing no side: both ways", corner, 0, {12.5, g, 12.5}, {12.5, g, 12.5}, 2, 3, -2, -3},
      {"a wall on the rim column is no wall", edges, 0, {1.2, g, 12.5}, {0.9, g, 12.5}, -3, 0, -3, 0},
      {"a wall past the last column is no wall", edges, 0, {23.9, g, 12.5}, {25.1, g, 12.5}, 3, 0, 3, 0},
      {"the same wall one cell in turns the ball", edges, 0, {23.9, g, 12.5}, {24.5, g, 12.5}, 3, 0, -3, 0},
      {"a diagonal's open half lets the ball through", {{12, 12, DiagonalWall, 0, g}}, 0, {11.9, g, 12.1},
       {12.3, g, 12.1}, 3, 0, 3, 0},
      {"heading 0 mirrors across fx + fz = 1", {{12, 12, DiagonalWall, 0, g}}, 0, {11.9, g, 12.8}, {12.3, g, 12.8},
       3, 0, 0, -3},
      {"heading 90 mirrors across fx = fz", {{12, 12, DiagonalWall, 90, g}}, 0, {11.9, g, 12.2}, {12.3, g, 12.2}, 3,
       0, 0, 3},
      {"a pad does not throw a ball above it", {{10, 10, JumpPad, 90, g}}, 0, {10.4, g + 0.25, 10.5},
       {10.4, g + 0.25, 10.5}, -1, 0, -1, 0},
      {"a raised block's side stops a ball from lower ground", raised, 0, {9.9, g, 10.5}, {10.1, g, 10.5}, 3, 0, -3, 0},
      {"on a raised block's far half the side test does not apply", raised, 0, {9.95, g, 10.5}, {10.6, g, 10.5}, 3, 0,
       3, 0},
      {"no side between blocks of the same height", raisedPair, 0, {9.9, g, 10.5}, {10.1, g, 10.5}, 3, 0, 3, 0},
      {"a ball on top of a raised block rolls over", raised, 0, {9.9, g + 0.5, 10.5}, {10.1, g + 0.5, 10.5}, 3, 0, 3,
       0},
      {"a bobbing platform at the top of its bob is a wall", bobbing, 0, {10.9, g + 0.25, 10.5},
       {10.8, g + 0.25, 10.5}, -3, 0, 3, 0},
      {"at the bottom of its bob the same ball passes over", bobbing, 18, {10.9, g + 0.25, 10.5},
       {10.8, g + 0.25, 10.5}, -3, 0, -3, 0},
  };
  for (const Probe& p : probes) {
    buildFlatHole();
    for (const Placed& o : p.objects) placeObject(o.x, o.z, o.behaviour, o.rotation, o.height);
    objectClock = p.clock;
    frameClock.fps = 480;
    ball.previousPosition = p.previous;
    ball.position = p.position;
    ball.velocity = {p.vx, 0, p.vz};
    collideBallAt(static_cast<float>(p.position.x), static_cast<float>(p.position.z));
    EXPECT_EQ(ball.velocity.x, p.expectVx) << p.what;
    EXPECT_EQ(ball.velocity.z, p.expectVz) << p.what;
    if (p.expectVx == p.vx) {
      EXPECT_EQ(ball.position.x, p.position.x) << p.what << ": the ball is not moved";
    }
  }
}

// A pad throws the ball from its centre at 8 up and 8 along its launch direction once the probe
// has crossed the centre line.
TEST(JumpPads, LaunchOnlyPastTheCentreLine) {
  struct Case {
    int rotation;
    float beforeX, beforeZ;  // probe not yet past the centre line: nothing
    float afterX, afterZ;    // probe past it: launch
    double vx, vz;
  };
  const Case cases[] = {{0, 10.5f, 10.6f, 10.5f, 10.4f, 0, -8}, {90, 10.6f, 10.5f, 10.4f, 10.5f, -8, 0},
                        {180, 10.5f, 10.4f, 10.5f, 10.6f, 0, 8}, {270, 10.4f, 10.5f, 10.6f, 10.5f, 8, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE("heading " + std::to_string(c.rotation));
    buildFlatHole();
    placeObject(10, 10, JumpPad, c.rotation);
    frameClock.fps = 480;
    placeBall(c.beforeX, c.beforeZ, 1, 1);
    collideBallAt(c.beforeX, c.beforeZ);
    EXPECT_EQ(ball.velocity.y, 0) << "no launch before the centre line";
    placeBall(c.afterX, c.afterZ, 1, 1);
    collideBallAt(c.afterX, c.afterZ);
    EXPECT_EQ(ball.velocity.x, c.vx);
    EXPECT_EQ(ball.velocity.y, 8);
    EXPECT_EQ(ball.velocity.z, c.vz);
    EXPECT_DOUBLE_EQ(ball.position.x, 10.5);
    EXPECT_NEAR(ball.position.y, kTestGround + 0.2, 1e-6);
    EXPECT_DOUBLE_EQ(ball.position.z, 10.5);
  }
}

// A ball right over the cup is pulled to its centre at 14 units/s^2 unless already sinking.
TEST(BallCup, ABallOverTheCupIsPulledToItsCentre) {
  buildFlatHole(10, 10);
  placeBall(10.55, 10.46, 0, 0, kTestGround + 0.01);
  frameClock.fps = 50;
  pullBallToCup();
  EXPECT_NEAR(ball.velocity.x, -14.0 / 50, 1e-9);
  EXPECT_NEAR(ball.velocity.z, 14.0 / 50, 1e-9);
  placeBall(10.55, 10.46, 0, 0, kTestGround - 0.07);
  pullBallToCup();
  EXPECT_EQ(horizontalSpeed(), 0);
}

}  // namespace
