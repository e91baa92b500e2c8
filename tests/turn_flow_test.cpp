#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <tuple>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "play/turn_flow.h"
#include "render/particles.h"
#include "tests/support/play_hole.h"

namespace {

constexpr float kDegToRad = 0.017453292f;

// One game frame without drawing: the scene's physics and objects, then the flow; the typed key
// and the click last one frame, as in the main loop.
void playFrame() {
  frameClock.fps = 60;
  simulatePlayFrame();
  runPlayFlow();
  input.typedChar = kNoTypedChar;
  if (input.clickState == 1) input.clickState = -1;
}

// Plays frames while `going` holds (at least one, at most `limit`); returns the frames run.
template <typename Condition>
int playWhile(Condition going, int limit = 3000) {
  int frames = 0;
  do {
    playFrame();
    ++frames;
  } while (going() && frames < limit);
  return frames;
}
int playUntilAiming() { return playWhile([] { return shotPhase != Aiming; }); }

void click() { input.clickState = 1; }

void startPlayers(int count) {
  players.playerCount = count;
  for (int slot = 0; slot < kPlayerSlots; ++slot) {
    players.restPosition[slot] = {3.5f + slot, kTestGround, 3.5f};
    players.savedCameraMode[slot] = kFarView;
  }
  placeBall(3.5, 3.5);
}

double degreesBetween(double a, double b) { return std::fmod(a - b + 540.0, 360.0) - 180; }

TEST(Strokes, FullPowerLeavesAtThirteenPointEightOppositeTheAim) {
  buildFlatHole();
  startPlayers(1);
  cameraMode = 2;
  aimAngle = 60;
  strikePower = 12;
  click();
  playFrame();
  EXPECT_EQ(shotPhase, Rolling);
  EXPECT_EQ(players.strokes[0], 1);
  EXPECT_EQ(scores.strokes[0][holeNumber], 1);
  EXPECT_EQ(players.savedCameraMode[0], 2) << "the view of the stroke comes back with the turn";
  EXPECT_EQ(strikePower, 0);
  EXPECT_EQ(liveParticles(SmokePuff), 1);
  // 12 x 1.15 towards aimAngle + 180 = 240 degrees; the physics has not run since.
  EXPECT_NEAR(ball.velocity.x, -13.8 * 0.5, 1e-3);
  EXPECT_NEAR(ball.velocity.z, -13.8 * std::sqrt(0.75), 1e-3);
}

TEST(Strokes, ClickAtPowerZeroAndAnyClickInTheOverviewDoNothing) {
  buildFlatHole();
  startPlayers(1);
  strikePower = 0;
  click();
  playFrame();
  EXPECT_EQ(shotPhase, Aiming);
  EXPECT_EQ(players.strokes[0], 0);

  cameraMode = 3;
  strikePower = 6;
  click();
  playFrame();
  input.typedChar = ' ';
  playFrame();
  EXPECT_EQ(shotPhase, Aiming);
  EXPECT_EQ(players.strokes[0], 0);
  EXPECT_EQ(horizontalSpeed(), 0);

  input.typedChar = '$';  // power keys are off in the overview too
  input.keyLeft = 1;
  const float aim = aimAngle;
  playFrame();
  EXPECT_EQ(strikePower, 6);
  EXPECT_EQ(aimAngle, aim);
  input.keyLeft = 0;

  cameraMode = 1;
  input.typedChar = ' ';
  playFrame();
  EXPECT_EQ(shotPhase, Rolling) << "the space bar strikes outside the overview";
}

TEST(Strokes, PowerKeysStayWithinZeroToTwelve) {
  buildFlatHole();
  startPlayers(1);
  input.typedChar = '*';
  playFrame();
  EXPECT_EQ(strikePower, 0);
  input.typedChar = '$';
  playFrame();
  EXPECT_EQ(strikePower, 1);
  input.keyUp = 1;
  for (int i = 0; i < 60; ++i) playFrame();
  EXPECT_EQ(strikePower, 12);
  input.keyUp = 0;
  input.keyDown = 1;
  playFrame();
  EXPECT_NEAR(strikePower, 12 - 14.0 / 60, 1e-4);
  input.keyDown = 0;
  input.keyRight = 1;
  const float aim = aimAngle;
  for (int i = 0; i < 30; ++i) playFrame();
  EXPECT_NEAR(aimAngle - aim, 32, 0.01);
  input.keyRight = 0;
  input.keyLeft = 1;
  for (int i = 0; i < 60; ++i) playFrame();
  EXPECT_NEAR(aimAngle - aim, -32, 0.01);
}

// Turns: strict rotation, skipping the holed; one player keeps the turn with the aim 12 degrees
// off the cup.
TEST(Turns, OnePlayerKeepsTheTurnAimedTwelveDegreesOffTheCup) {
  buildFlatHole(20, 14);
  startPlayers(1);
  aimAngle = 200;
  strikePower = 4;
  click();
  playUntilAiming();
  EXPECT_EQ(players.currentPlayer, 0);
  EXPECT_EQ(cameraMode, kFarView);
  EXPECT_EQ(players.restPosition[0][0], static_cast<float>(ball.position.x));
  // The stroke (aimAngle + 180) points 12 degrees round from the cup's direction, towards
  // larger angles: 348 degrees back from it.
  const double toCup = std::atan2(holeSetup.cupZ - ball.position.z, holeSetup.cupX - ball.position.x) / kDegToRad;
  EXPECT_NEAR(degreesBetween(aimAngle + 180, toCup), 12, 0.01);
  EXPECT_EQ(turnBannerFade, -3.0f);
}

TEST(Turns, CreepingBallCountsAsStillAfterOnePointSixSecondsAndTheNextPlayersViewComesBack) {
  buildFlatHole();
  startPlayers(2);
  players.savedCameraMode[1] = 2;
  shotPhase = Rolling;
  const int frames = playWhile([] {
    ball.velocity.x = 0.1;  // creeping along, too slowly to count
    return shotPhase == Rolling;
  });
  EXPECT_NEAR(frames, 96, 1);
  EXPECT_EQ(players.currentPlayer, 1);
  EXPECT_EQ(cameraMode, 2);
}

TEST(Turns, HoledPlayersAreSkipped) {
  buildFlatHole();
  startPlayers(4);
  players.holedOut = {1, 1, 1, 0, 0, 0};
  players.currentPlayer = 3;
  shotPhase = Rolling;
  playUntilAiming();
  EXPECT_EQ(players.currentPlayer, 3) << "the last player plays on until holed";
  EXPECT_DOUBLE_EQ(ball.position.x, players.restPosition[3][0]);

  players.holedOut = {0, 1, 0, 0, 0, 0};
  players.playerCount = 3;
  players.currentPlayer = 0;
  shotPhase = Rolling;
  playUntilAiming();
  EXPECT_EQ(players.currentPlayer, 2);
  shotPhase = Rolling;
  playUntilAiming();
  EXPECT_EQ(players.currentPlayer, 0);

  // Whatever a file set the player count to, the turn passes round the slots that exist; from a
  // slot past the count it goes to the first.
  players.holedOut = {};
  for (const auto& [count, from, order] : {std::tuple{0, 0, std::array{0, 0, 0}}, {-3, 0, {0, 0, 0}},
                                           {7, 0, {1, 2, 3}}, {INT_MAX, 0, {1, 2, 3}}, {2, 2, {0, 1, 0}}}) {
    players.playerCount = count;
    players.currentPlayer = from;
    for (int turn : order) {
      endStroke();
      EXPECT_EQ(players.currentPlayer, turn) << "count " << count;
    }
  }
}

// Water: the stroke counts, the ball returns to where it was struck, and the next player plays.
TEST(Water, StrokeCountsTheBallGoesBackAfterThreeSecondsAndTheNextPlayerPlays) {
  buildFlatHole();
  setGround(8, 1, 24, 24, -1.0f);
  startPlayers(2);
  aimAngle = 180;  // towards +x, into the sea
  strikePower = 5;
  click();
  playWhile([] { return cameraMode != InWater; }, 600);
  ASSERT_EQ(cameraMode, InWater);
  playUntilAiming();
  EXPECT_EQ(players.strokes[0], 1);
  EXPECT_EQ(scores.strokes[0][holeNumber], 1);
  EXPECT_NEAR(players.restPosition[0][0], 3.5, 1e-6) << "player 0 plays again from the same spot";
  EXPECT_NEAR(players.restPosition[0][2], 3.5, 1e-6);
  EXPECT_EQ(players.currentPlayer, 1);
  EXPECT_NEAR(ball.position.x, 4.5, 1e-6);

  cameraMode = InWater;  // the sequence lasts 20 / 6 seconds: 201 frames at 60
  viewTimer = 0;
  shotPhase = Halted;
  EXPECT_NEAR(playWhile([] { return shotPhase == Halted; }), 201, 1);
}

// A stroke that neither rests nor reaches water within the time limit, or that stops wedged inside
// a wall block, ends as one into the water.
TEST(Water, ALongRollOrABallWedgedInAWallEndsAsIntoTheWater) {
  buildFlatHole();
  startPlayers(2);
  strokeTimeLimit = 3;  // a roll along +x at power 6 is still going at 1.1 units/s then
  aimAngle = 180;
  strikePower = 6;
  click();
  playFrame();
  const int frames = playWhile([] { return cameraMode != InWater; }, 1000);
  strokeTimeLimit = kStrokeTimeLimit;
  EXPECT_NEAR(frames, 180, 1) << "3 s at 60 frames a second";
  playUntilAiming();
  EXPECT_EQ(players.currentPlayer, 1);
  EXPECT_EQ(players.strokes[0], 1);
  EXPECT_NEAR(players.restPosition[0][0], 3.5, 1e-4) << "the ball is back where it was struck from";

  // The ball squeezed into the middle of a block of walls, where every stroke is pushed back.
  for (int x = 11; x <= 13; ++x)
    for (int z = 11; z <= 13; ++z) placeObject(x, z, WallBlock);
  strikePower = 1;
  click();
  playFrame();
  placeBall(12.5, 12.5);
  ASSERT_NEAR(playWhile([] { return cameraMode != InWater; }, 600), 96, 1) << "still for 1.6 s, then lost";
  playUntilAiming();
  EXPECT_EQ(players.strokes[1], 1);
  EXPECT_NEAR(players.restPosition[1][0], 4.5, 1e-4);
}

// The holed sequence: a click after 25, the turn passing or the next hole.
TEST(Holed, SequenceWaitsForAClickAfterTheResult) {
  buildFlatHole(10, 3);
  startPlayers(2);
  placeBall(8.5, 3.5);
  aimAngle = 180;
  strikePower = 2;
  click();
  playWhile([] { return cameraMode != Holed; }, 600);
  ASSERT_EQ(cameraMode, Holed);
  EXPECT_EQ(players.holedOut[0], 1);
  for (int i = 0; i < 300; ++i) {
    if (viewTimer < 24.5f) click();
    playFrame();
  }
  EXPECT_EQ(shotPhase, HoleDone) << "clicks before the scorecard shows are ignored";
  EXPECT_GE(viewTimer, 25);
  EXPECT_LT(viewTimer, 26.2);
  click();
  playFrame();
  playFrame();
  EXPECT_EQ(shotPhase, Aiming);
  EXPECT_EQ(players.currentPlayer, 1);
  EXPECT_EQ(holeNumber, 1);

  holeNumber = kHolesPerCourse;  // the last player holed ends the hole; past 18 nothing is loaded
  players.holedOut = {1, 1, 0, 0, 0, 0};
  players.currentPlayer = 1;
  cameraMode = Holed;
  viewTimer = 25.5f;
  click();
  playFrame();
  EXPECT_EQ(holeNumber, kHolesPerCourse + 1);
  EXPECT_EQ(shotPhase, Aiming);
}

TEST(Strokes, TrainingCountsNothing) {
  buildFlatHole();
  startPlayers(1);
  trainingMode = 1;
  for (int stroke = 0; stroke < 3; ++stroke) {
    strikePower = 1;
    click();
    playUntilAiming();
  }
  EXPECT_EQ(players.strokes[0], 0);
  EXPECT_EQ(scores.strokes[0][holeNumber], 0);
}

TEST(HoleIntro, FlyInLastsThreePointTwoSecondsThenFarView) {
  buildFlatHole();
  startPlayers(2);
  shotPhase = Rolling;  // left over from a stroke the pause menu cut short
  resetPlayersForHole();
  const int frames = playWhile([] {
    EXPECT_TRUE(cameraMode != HoleIntro || shotPhase == Intro) << "no aiming during the fly-in";
    return cameraMode == HoleIntro;
  });
  EXPECT_NEAR(frames, 192, 1);
  EXPECT_EQ(cameraMode, kFarView);
  EXPECT_EQ(shotPhase, Aiming);
  EXPECT_EQ(players.currentPlayer, 0) << "the first turn of a hole is slot 0's";
}

}  // namespace
