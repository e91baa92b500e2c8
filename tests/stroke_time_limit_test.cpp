// Every stroke ends: one that neither rests nor reaches water within the time limit ends as a
// stroke into the water does, in the play flow and in the headless simulator.
#include <gtest/gtest.h>

#include <cmath>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "play/turn_flow.h"
#include "tests/support/play_hole.h"

namespace {

// Play frames (physics, objects, flow) while the condition holds; returns how many ran.
template <typename Condition>
int playWhile(Condition holds) {
  int frames = 0;
  for (; holds() && frames < 1000; ++frames) {
    frameClock.fps = 60;
    simulatePlayFrame();
    runPlayFlow();
  }
  return frames;
}

TEST(StrokeTimeLimit, ALongRollEndsAtTheLimitAsIntoTheWaterAndTheNextPlayerPlays) {
  buildFlatHole();
  players.playerCount = 2;
  players.restPosition[0] = {3.5f, kTestGround, 12.5f};
  placeBall(3.5, 12.5);
  strokeTimeLimit = 3;  // a roll along +x at power 6 is still going at 1.1 units/s then
  aimAngle = 180;
  strikePower = 6;
  input.typedChar = ' ';
  playWhile([] { return shotPhase == Aiming; });
  input.typedChar = kNoTypedChar;
  const int frames = playWhile([] { return cameraMode != InWater; });
  strokeTimeLimit = kStrokeTimeLimit;
  EXPECT_NEAR(frames, 180, 1) << "3 s at 60 frames a second";
  EXPECT_EQ(shotPhase, Halted);
  EXPECT_NEAR(ball.position.x, 3.5, 1e-4) << "the ball is back where it was struck from";
  playWhile([] { return shotPhase != Aiming; });
  EXPECT_EQ(players.currentPlayer, 1);
  EXPECT_EQ(players.strokes[0], 1);
  EXPECT_NEAR(players.restPosition[0][0], 3.5, 1e-4);
}

// A bumper at the foot of a bowl throws the ball up the slope, the slope brings it back to the
// bumper, for ever: the simulator reports the stroke as a timeout at the limit, the ball back
// at its start.
TEST(StrokeTimeLimit, ABumperInABowlNeverRestsAndTheSimulatorReportsATimeout) {
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
  EXPECT_STREQ(strokeResultName(o.result), "timeout");
  EXPECT_NEAR(o.frames, kStrokeTimeLimit * kSimulationFps, 1);
  EXPECT_NEAR(o.rest.x, start.x, 1e-3);
  EXPECT_NEAR(o.rest.z, start.z, 1e-3);
}

}  // namespace
