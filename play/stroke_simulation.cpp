#include "play/stroke_simulation.h"

#include <cmath>
#include <cstdlib>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/turn_flow.h"

namespace {

constexpr int kSettleFrames = 30;
constexpr float kCoarseAimStep = 5;       // degrees
constexpr float kCoarsePowerStep = 1;
constexpr float kFineAimSpan = 4;         // degrees either side of the coarse best
constexpr float kFineAimStep = 0.5f;
constexpr float kFinePowerSpan = 0.75f;
constexpr float kFinePowerStep = 0.25f;
constexpr float kMaxPower = 12;

// Everything a stroke can change, over the playable part of the grid.
struct SimulationSnapshot {
  std::array<std::array<TerrainCell, kGridVertices>, kGridVertices> cells;
  BallState ballState;
  float clock, fan, air, flag;
  std::array<float, 3> target;
  int stars;
};

void takeSnapshot(SimulationSnapshot& s) {
  for (int x = 0; x < kGridVertices; ++x)
    for (int z = 0; z < kGridVertices; ++z) s.cells[x][z] = terrainGrid.cells[x][z];
  s.ballState = ball;
  s.clock = objectClock;
  s.fan = fanAngle;
  s.air = airTimer;
  s.flag = flagOffset;
  s.target = passageTarget;
  s.stars = players.starsCollected[0];
}

void restoreSnapshot(const SimulationSnapshot& s) {
  for (int x = 0; x < kGridVertices; ++x)
    for (int z = 0; z < kGridVertices; ++z) terrainGrid.cells[x][z] = s.cells[x][z];
  ball = s.ballState;
  objectClock = s.clock;
  fanAngle = s.fan;
  airTimer = s.air;
  flagOffset = s.flag;
  passageTarget = s.target;
  players.starsCollected[0] = s.stars;
}

float distanceToCup(const BallVector& p) { return std::hypot(p.x - holeSetup.cupX, p.z - holeSetup.cupZ); }

// Lower is better: a holed ball first, then the fewest frames; otherwise the rest nearest the cup.
float strokeScore(const StrokeOutcome& o) {
  if (o.result == StrokeHoled) return -1000.0f + o.frames * 0.001f;
  if (o.result != StrokeAtRest) return 1000.0f;
  return distanceToCup(o.rest);
}

struct SearchRange {
  float aimFrom, aimTo, aimStep;
  float powerFrom, powerTo, powerStep;
};

// Tries the strokes of the range from the saved state and keeps the best in `best`; a holed
// stroke ends the search, since nothing can take fewer strokes.
void searchRange(const SearchRange& range, const SimulationSnapshot& start, unsigned seed, StrokeOutcome& best) {
  for (float aim = range.aimFrom; aim < range.aimTo && best.result != StrokeHoled; aim += range.aimStep) {
    for (float power = range.powerFrom; power <= range.powerTo + 1e-4f && best.result != StrokeHoled;
         power += range.powerStep) {
      if (power <= 0 || power > kMaxPower) continue;
      restoreSnapshot(start);
      std::srand(seed);
      const StrokeOutcome o = simulateStroke(aim, power);
      if (strokeScore(o) < strokeScore(best)) best = o;
    }
  }
}

}  // namespace

void simulatePlayFrame() {
  updateCupAndFlag();
  runBallPhysics();
  runObjectBehaviours(false);
}

void settleBall() {
  frameClock.fps = kSimulationFps;
  shotPhase = Aiming;
  for (int frame = 0; frame < kSettleFrames; ++frame) {
    ball.velocity.x = 0;
    ball.velocity.z = 0;
    simulatePlayFrame();
  }
}

StrokeOutcome simulateStroke(float aim, float power) {
  frameClock.fps = kSimulationFps;
  players.playerCount = 1;
  players.currentPlayer = 0;
  players.holedOut[0] = 0;
  players.restPosition[0] = {static_cast<float>(ball.position.x), static_cast<float>(ball.position.y),
                             static_cast<float>(ball.position.z)};
  cameraMode = kFarView;
  restTimer = 0;
  const int starsBefore = players.starsCollected[0];
  StrokeOutcome outcome;
  outcome.aim = aim;
  outcome.power = power;
  aimAngle = aim;
  strikePower = power;
  strikeBall();
  for (outcome.frames = 1; outcome.frames <= kMaxStrokeFrames; ++outcome.frames) {
    simulatePlayFrame();
    if (cameraMode == Holed) {
      outcome.result = StrokeHoled;
      break;
    }
    if (cameraMode == InWater) {
      // The ball goes back where the stroke was played from.
      outcome.result = StrokeInWater;
      const std::array<float, 3>& back = players.restPosition[0];
      ball.position = {back[0], back[1], back[2]};
      ball.velocity = {};
      break;
    }
    runRollingStep();
    if (shotPhase == Aiming) {
      outcome.result = StrokeAtRest;
      break;
    }
  }
  outcome.rest = ball.position;
  outcome.stars = players.starsCollected[0] - starsBefore;
  shotPhase = Aiming;
  return outcome;
}

StrokeSequence searchStrokes(int maxStrokes, unsigned seed) {
  StrokeSequence sequence;
  if (maxStrokes > kMaxSearchStrokes) maxStrokes = kMaxSearchStrokes;
  SimulationSnapshot start;
  while (sequence.count < maxStrokes && !sequence.holed) {
    takeSnapshot(start);
    StrokeOutcome best;
    best.result = StrokeTimedOut;
    // Power from the softest up: the first stroke found to hole is also the gentlest at its aim.
    searchRange({0, 360, kCoarseAimStep, kCoarsePowerStep, kMaxPower, kCoarsePowerStep}, start, seed, best);
    const SearchRange fine{best.aim - kFineAimSpan, best.aim + kFineAimSpan, kFineAimStep,
                           best.power - kFinePowerSpan, best.power + kFinePowerSpan, kFinePowerStep};
    searchRange(fine, start, seed, best);
    // Replay the chosen stroke so that the grid and clocks carry its effects into the next one.
    restoreSnapshot(start);
    std::srand(seed);
    const StrokeOutcome played = simulateStroke(best.aim, best.power);
    sequence.strokes[sequence.count++] = played;
    sequence.holed = played.result == StrokeHoled;
    if (played.result == StrokeTimedOut) break;
  }
  return sequence;
}

const char* strokeResultName(int result) {
  switch (result) {
    case StrokeHoled: return "holed";
    case StrokeInWater: return "water";
    case StrokeAtRest: return "rest";
    default: return "timeout";
  }
}
