#include "play/stroke_simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
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

// How far each cell is from the cup's cell walking over the ground, round walls, cliffs and the
// sea: straight-line distance alone sends the search into every wall between the ball and the
// cup. Rebuilt at each search, since the hole may have changed.
using CellDistances = std::array<std::array<float, kGridCells>, kGridCells>;
CellDistances cupDistances;
constexpr float kUnreachable = 1e6f;
// Added to the straight line from rests the ground does not lead from (an island reached by a
// jump, a plank end): small enough that distances keep their fine steps as floats.
constexpr float kOffTheWay = 500;
constexpr float kLostStroke = 1e5f;  // water or a stroke that never came to rest
constexpr float kSteepCell = 1.2f;  // corner heights further apart than this make a wall face

bool walkable(int x, int z) {
  const TerrainGrid& g = terrainGrid;
  const float a = g.cells[x][z].height, b = g.cells[x + 1][z].height;
  const float c = g.cells[x][z + 1].height, d = g.cells[x + 1][z + 1].height;
  const float low = std::min(std::min(a, b), std::min(c, d));
  const float high = std::max(std::max(a, b), std::max(c, d));
  const int object = g.cells[x][z].object;
  const int behaviour = object >= 0 && object < kMaxObjectTypes ? worldTheme.objectTypes[object].behaviour : -1;
  if (behaviour == Plank) return true;  // a way over the sea
  // The sea, a face too steep to roll up, or a wall.
  return low >= 0 && high - low <= kSteepCell && behaviour != WallBlock;
}

// Dijkstra over the 625 cells with straight and diagonal steps; small enough to scan for the
// nearest open cell each time.
void buildCupDistances() {
  std::array<std::array<bool, kGridCells>, kGridCells> done{};
  for (auto& row : cupDistances) row.fill(kUnreachable);
  const int cupX = static_cast<int>(std::floor(holeSetup.cupX));
  const int cupZ = static_cast<int>(std::floor(holeSetup.cupZ));
  if (cupX < 0 || cupX >= kGridCells || cupZ < 0 || cupZ >= kGridCells) return;
  cupDistances[cupX][cupZ] = 0;
  for (;;) {
    int bx = -1, bz = -1;
    for (int x = 0; x < kGridCells; ++x)
      for (int z = 0; z < kGridCells; ++z)
        if (!done[x][z] && cupDistances[x][z] < kUnreachable &&
            (bx < 0 || cupDistances[x][z] < cupDistances[bx][bz])) {
          bx = x;
          bz = z;
        }
    if (bx < 0) return;
    done[bx][bz] = true;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dz = -1; dz <= 1; ++dz) {
        const int x = bx + dx, z = bz + dz;
        if ((dx == 0 && dz == 0) || x < 0 || z < 0 || x >= kGridCells || z >= kGridCells) continue;
        // A diagonal step needs both cells beside it open, so that it cannot cut a wall's corner.
        if (!walkable(x, z) || (dx != 0 && dz != 0 && (!walkable(bx, z) || !walkable(x, bz)))) continue;
        const float step = (dx != 0 && dz != 0) ? 1.41421f : 1.0f;
        cupDistances[x][z] = std::min(cupDistances[x][z], cupDistances[bx][bz] + step);
      }
  }
}

// The way to the cup from a rest: never shorter than the straight line.
float wayToCup(const BallVector& p) {
  const int x = static_cast<int>(std::floor(p.x));
  const int z = static_cast<int>(std::floor(p.z));
  const float straight = distanceToCup(p);
  if (x < 0 || z < 0 || x >= kGridCells || z >= kGridCells || cupDistances[x][z] >= kUnreachable) {
    return straight + kOffTheWay;
  }
  return std::max(straight, cupDistances[x][z]);
}

// Lower is better: a holed ball first, then the fewest frames; otherwise the rest nearest the
// cup along the ground.
float strokeScore(const StrokeOutcome& o) {
  if (o.result == StrokeHoled) return -1000.0f + o.frames * 0.001f;
  if (o.result != StrokeAtRest) return kLostStroke;
  return wayToCup(o.rest);
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
  buildCupDistances();
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
