#include <gtest/gtest.h>

#include <cmath>

#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "play/turn_flow.h"
#include "tests/support/play_hole.h"

namespace {

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

// A bumper at the foot of a bowl throws the ball up the slope, the slope brings it back to the
// bumper, for ever: the simulator reports the stroke as a timeout at the limit, the ball back
// at its start.
TEST(StrokeSimulation, ABumperInABowlNeverRestsAndTheSimulatorReportsATimeout) {
  buildFlatHole(3, 3);
  for (int x = 1; x < kGridCells; ++x)
    for (int z = 1; z < kGridCells; ++z)
      terrainGrid.cells[x][z].height = 1 + 0.25f * std::hypot(x - 12.5f, z - 12.5f);
  placeObject(12, 12, BumperPost, 0, 1.18f);
  placeBall(15.5, 12.5, 0, 0, 2);
  settleBall();
  const BallVector start = ball.position;
  const StrokeOutcome o = simulateStroke(0, 2);
  EXPECT_EQ(o.result, StrokeTimedOut);
  EXPECT_NEAR(o.frames, kStrokeTimeLimit * kSimulationFps, 1);
  EXPECT_NEAR(o.rest.x, start.x, 1e-3);
  EXPECT_NEAR(o.rest.z, start.z, 1e-3);
}

}  // namespace
