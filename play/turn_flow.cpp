#include "play/turn_flow.h"

#include <cmath>

#include "core/app_state.h"
#include "core/audio.h"
#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "play/computer_player.h"
#include "play/course_objects.h"
#include "play/play_overlay.h"
#include "play/play_state.h"
#include "render/vector_math.h"
#include "render/camera.h"
#include "render/particles.h"

namespace {

constexpr float kMaxPower = 12;
constexpr float kStrokeSpeedPerPower = 1.15f;  // units/s of ball speed per step of power
constexpr float kRestTime = 8;                 // restTimer units (5 per second): 1.6 s of stillness
constexpr float kReplayLimit = 20;
constexpr int kReplayCameraPoints = 20;        // the replay looks only at the first camera points
constexpr float kReplayReach = 5;              // a camera point this close to the ball takes over
constexpr float kWaterSequenceEnd = 20;
constexpr float kScorecardShown = 25;          // the holed sequence waits for a click after this
constexpr float kHoledTimerLimit = 26;
constexpr float kIntroStart = 9.0f;            // viewTimer as the hole load leaves it
constexpr int kOverview = 3;                   // the overview view neither aims nor strikes
constexpr float kComputerScorecardSeconds = 2.5f;  // a computer's scorecard stays this long unclicked

// Seconds the scorecard of the current holed sequence has been shown; reset as each begins.
float scorecardSeconds = 0;

void clampPower() {
  if (strikePower < 0) strikePower = 0;
  if (strikePower > kMaxPower) strikePower = kMaxPower;
}

// Power and heading from the keys ("$" and "*" step the power, the arrows slide it and turn).
void readAimKeys() {
  const float fps = frameClock.fps;
  if (input.typedChar == '$') strikePower += 1;
  clampPower();
  if (input.typedChar == '*') strikePower -= 1;
  clampPower();
  if (input.keyUp) strikePower += 14 / fps;
  clampPower();
  if (input.keyDown) strikePower -= 14 / fps;
  clampPower();
  if (input.keyLeft) aimAngle -= 64 / fps;
  if (input.keyRight) aimAngle += 64 / fps;
}

void selectView(bool pressed, int view) {
  if (!pressed || cameraMode == view) return;
  cameraMode = view;
  playSample(Whoosh, 40000, 250, 128);
  viewIconFade = 7.0f;
}

void readViewKeys() {
  const char typed = input.typedChar;
  selectView(input.keyF1 || typed == '1', 0);
  selectView(input.keyF2 || typed == '2', 1);
  selectView(input.keyF3 || typed == '3', 2);
  selectView(input.keyF4 || typed == '4', kOverview);
}

Vec3 ballPoint() {
  return {static_cast<float>(ball.position.x), static_cast<float>(ball.position.y),
          static_cast<float>(ball.position.z)};
}

// The replay camera keeps the aiming view for the first second, then jumps near the ball or to
// a nearby fixed camera point, and chooses again about every 2.8 seconds.
void moveReplayCamera() {
  followTimer += 5 / frameClock.fps;
  if (followTimer > kReplayLimit) followTimer = 5.1f;
  if (followTimer <= 5) return;
  const Vec3 b = ballPoint();
  camera.savedTarget = b;
  if (followTimer >= 6) return;
  camera.savedEye = b + Vec3{2, 2, 2};
  for (int i = 0; i < kReplayCameraPoints; ++i) {
    const std::array<float, 3>& point = holeSetup.cameraPoints[i];
    if (point[0] == 0) continue;
    if (std::hypot(point[0] - b.x, point[2] - b.z) < kReplayReach) camera.savedEye = {point[0], point[1], point[2]};
  }
  followTimer = 6;
}

// Strict rotation by slot, skipping the players already in the cup; the wrap compares, so
// no player count can divide by zero or leave the slot outside the tables.
void passTurn() {
  const int count = activePlayerCount();
  auto advance = [count]() { players.currentPlayer = currentSlot() + 1 >= count ? 0 : currentSlot() + 1; };
  advance();
  for (int step = 0; step < kPlayerSlots - 1 && players.holedOut[currentSlot()] == 1; ++step) advance();
}

int holedPlayers() {
  int holed = 0;
  for (int slot = 0; slot < activePlayerCount(); ++slot) holed += players.holedOut[slot] == 1;
  return holed;
}

void putBallAtRest(int slot) {
  const std::array<float, 3>& rest = players.restPosition[slot];
  ball.position = {rest[0], rest[1], rest[2]};
}

// The next frame's rolling step finds the ball long still and ends the stroke at once.
void endStrokeNextFrame() {
  restTimer = 20;
  strokeClock = 0;
  followTimer = -10;
  shotPhase = Rolling;
}

void runScriptedView() {
  switch (cameraMode) {
    case HoleIntro: runHoleIntro(); break;
    case InWater: runWaterSequence(); break;
    case Holed: runHoledSequence(); break;
    default: break;
  }
}

// The stroke ran out of time: it ends as in the water, the ball lifted back at once to where it
// was struck from, so that nothing it meets during the water view (the cup, a bumper) counts.
void endStrokeOutOfTime() {
  putBallAtRest(currentSlot());
  ball.velocity = {};
  cameraMode = InWater;
  shotPhase = Halted;
  viewTimer = 0;
  playSample(Water, 20000, 250, 128);
}

}  // namespace

float strokeTimeLimit = kStrokeTimeLimit;

float aimAngleTowardsCup(float x, float z) {
  return std::atan2(z - holeSetup.cupZ, x - holeSetup.cupX) * kRadToDeg - 348;
}

void updatePlay() {
  runPlayFlow();
  placeCamera();
  drawPlayOverlay();
}

void runPlayFlow() {
  if (shotPhase == Rolling) runRollingStep();
  else if (shotPhase == Aiming) runAimingStep();
  runScriptedView();
}

SampleId holedSample() {
  return players.strokes[currentSlot()] <= holeSetup.par ? HoleGood : HoleBad;
}

void runAimingStep() {
  const int viewAtStart = cameraMode;
  ball.velocity.x = 0;
  ball.velocity.z = 0;
  const bool computer = isComputerPlayer(players.currentPlayer);
  if (viewAtStart != kOverview && !computer) readAimKeys();
  readViewKeys();
  if (computer) {
    runComputerAiming();
    return;
  }
  const bool strike = input.clickState == 1 || input.typedChar == ' ';
  if (strike && viewAtStart != kOverview && strikePower > 0) {
    players.savedCameraMode[currentSlot()] = viewAtStart;
    strikeBall();
  }
}

void strikeBall() {
  const int slot = currentSlot();
  players.strokes[slot] += 1;
  if (trainingMode) players.strokes[slot] = 0;
  shotPhase = Rolling;
  if (holeNumber >= 1 && holeNumber <= kHolesPerCourse) scores.strokes[slot][holeNumber] = players.strokes[slot];
  const float heading = (aimAngle + 180) * kDegToRad;
  ball.velocity.x = std::cos(heading) * strikePower * kStrokeSpeedPerPower;
  ball.velocity.z = std::sin(heading) * strikePower * kStrokeSpeedPerPower;
  playSample(Shot, static_cast<int>(40000 + 1000 * strikePower), 250, 128);
  playSample(ShotSwish, 40000, static_cast<int>(17 * strikePower), 128);
  if (strikePower > 2) spawnEffect(ball.position.x, ball.position.y, ball.position.z, SmokePuff);
  viewIconFade = 0;
  camera.savedEye = camera.eye;
  camera.savedTarget = camera.target;
  followTimer = 0;
  strikePower = 0;
  strokeClock = 0;
}

void runRollingStep() {
  moveReplayCamera();
  cameraMode = ShotReplay;
  strokeClock += 1 / frameClock.fps;
  if (std::fabs(ball.velocity.x) >= kRestSpeed || std::fabs(ball.velocity.z) >= kRestSpeed) {
    restTimer = 0;
  } else {
    restTimer += 5 / frameClock.fps;
  }
  if (restTimer > kRestTime) {
    // A ball that squeezed through the corner between walls can stop with its centre inside a
    // wall block, where every stroke is pushed back: it goes back to where it was struck from,
    // as after a stroke out of time, rather than stay there for good.
    const bool wedged = behaviourAt(static_cast<int>(std::floor(ball.position.x)),
                                    static_cast<int>(std::floor(ball.position.z))) == WallBlock;
    if (wedged) endStrokeOutOfTime();
    else endStroke();
  } else if (strokeClock > strokeTimeLimit) {
    endStrokeOutOfTime();
  }
}

void endStroke() {
  turnBannerFade = -3.0f;
  slideOffset = 0;
  const int slot = currentSlot();
  players.restPosition[slot] = {static_cast<float>(ball.position.x), static_cast<float>(ball.position.y),
                                static_cast<float>(ball.position.z)};
  restTimer = 0;
  followTimer = 0;
  shotPhase = Aiming;
  ball.velocity = {};
  passTurn();
  cameraMode = players.savedCameraMode[currentSlot()];
  putBallAtRest(currentSlot());
  aimAngle = aimAngleTowardsCup(static_cast<float>(ball.position.x), static_cast<float>(ball.position.z));
}

// From the loader's 9.0 the fly-in lasts 3.2 s; aiming then starts in the far view. The banner
// sound plays here, on the introduction's first step, because by the time the overlay draws
// the timer has already moved on in every frame but the one of a hole loaded after a holed ball.
void runHoleIntro() {
  if (viewTimer == kIntroStart) playSample(Transit, 5000, 100, 128);
  shotPhase = Intro;
  viewTimer -= 2.5f / frameClock.fps;
  if (viewTimer < 1) {
    cameraMode = kFarView;
    shotPhase = Aiming;
  }
}

// After about 3.3 s the ball goes back where it was struck from; the stroke counts.
void runWaterSequence() {
  shotPhase = Halted;
  viewTimer += 6 / frameClock.fps;
  if (viewTimer <= kWaterSequenceEnd) return;
  endStrokeNextFrame();
  putBallAtRest(currentSlot());
}

void runHoledSequence() {
  shotPhase = HoleDone;
  if (viewTimer == 0) {
    playSample(holedSample(), 22000, 200, 128);
    playSample(Cup, 20000, 150, 0);
    playSample(Cup, 22000, 150, 255);
    scorecardSeconds = 0;
  }
  if (viewTimer < kHoledTimerLimit) viewTimer += 6 / frameClock.fps;
  if (viewTimer <= kScorecardShown) return;
  // Nobody need click for a computer: its scorecard goes on by itself.
  scorecardSeconds += 1 / frameClock.fps;
  const bool computerDone = isComputerPlayer(players.currentPlayer) && scorecardSeconds > kComputerScorecardSeconds;
  if (input.clickState != 1 && !computerDone) return;
  endStrokeNextFrame();
  if (holedPlayers() < activePlayerCount()) return;
  shotPhase = Aiming;
  holeNumber += 1;
  // Past the last hole there is nothing to load: the main loop leaves play this frame.
  if (holeNumber <= courseHoleCount()) loadHoleMap();
}
