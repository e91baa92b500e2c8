#include "play/stroke_simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/turn_flow.h"
#include "render/camera.h"
#include "render/particles.h"
#include "render/vector_math.h"

namespace {

constexpr int kSettleFrames = 30;
constexpr float kMaxPower = 12;

// Everything a simulated stroke can change: the playable part of the grid (collected stars), the ball, the object
// clocks, the player and score records, the stroke and view globals, the camera, the effects,
// the frame rate and the effect volume (silenced while simulating).
struct PlayWorld {
  std::array<std::array<TerrainCell, kGridVertices>, kGridVertices> cells;
  BallState ballState;
  float clock, fan, air, flag;
  std::array<float, 3> target;
  PlayerTable playerTable;
  ScoreTable scoreTable;
  int view, phase;
  float aim, power, timer, rest, follow, banner, iconFade, slide;
  Camera eye;
  ParticlePool particles;
  float fps;
  int volume;
};

void capture(PlayWorld& w) {
  for (int x = 0; x < kGridVertices; ++x)
    for (int z = 0; z < kGridVertices; ++z) w.cells[x][z] = terrainGrid.cells[x][z];
  w.ballState = ball;
  w.clock = objectClock;
  w.fan = fanAngle;
  w.air = airTimer;
  w.flag = flagOffset;
  w.target = passageTarget;
  w.playerTable = players;
  w.scoreTable = scores;
  w.view = cameraMode;
  w.phase = shotPhase;
  w.aim = aimAngle;
  w.power = strikePower;
  w.timer = viewTimer;
  w.rest = restTimer;
  w.follow = followTimer;
  w.banner = turnBannerFade;
  w.iconFade = viewIconFade;
  w.slide = slideOffset;
  w.eye = camera;
  w.particles = particlePool;
  w.fps = frameClock.fps;
  w.volume = soundVolume;
}

void restore(const PlayWorld& w) {
  for (int x = 0; x < kGridVertices; ++x)
    for (int z = 0; z < kGridVertices; ++z) terrainGrid.cells[x][z] = w.cells[x][z];
  ball = w.ballState;
  objectClock = w.clock;
  fanAngle = w.fan;
  airTimer = w.air;
  flagOffset = w.flag;
  passageTarget = w.target;
  players = w.playerTable;
  scores = w.scoreTable;
  cameraMode = w.view;
  shotPhase = w.phase;
  aimAngle = w.aim;
  strikePower = w.power;
  viewTimer = w.timer;
  restTimer = w.rest;
  followTimer = w.follow;
  turnBannerFade = w.banner;
  viewIconFade = w.iconFade;
  slideOffset = w.slide;
  camera = w.eye;
  particlePool = w.particles;
  frameClock.fps = w.fps;
  soundVolume = w.volume;
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

// The stroke a simulation has under way; stars holds minus the count before the stroke until
// the stroke ends.
void beginStroke(float aim, float power, StrokeOutcome& outcome, float fps) {
  frameClock.fps = fps;
  players.playerCount = 1;
  players.currentPlayer = 0;
  players.holedOut[0] = 0;
  players.restPosition[0] = {static_cast<float>(ball.position.x), static_cast<float>(ball.position.y),
                             static_cast<float>(ball.position.z)};
  cameraMode = kFarView;
  restTimer = 0;
  outcome = StrokeOutcome{};
  outcome.stars = -players.starsCollected[0];
  outcome.aim = aim;
  outcome.power = power;
  aimAngle = aim;
  strikePower = power;
  strikeBall();
}

bool finishStroke(StrokeOutcome& outcome, int result) {
  outcome.result = result;
  outcome.rest = ball.position;
  outcome.stars += players.starsCollected[0];
  shotPhase = Aiming;
  return true;
}

// One frame of the stroke under way; true once it has ended.
bool advanceStroke(StrokeOutcome& outcome) {
  ++outcome.frames;
  if (outcome.frames > kMaxStrokeFrames) return finishStroke(outcome, StrokeTimedOut);
  simulatePlayFrame();
  if (cameraMode == Holed) return finishStroke(outcome, StrokeHoled);
  if (cameraMode == InWater) {
    // The ball goes back where the stroke was played from.
    const std::array<float, 3>& back = players.restPosition[0];
    ball.position = {back[0], back[1], back[2]};
    ball.velocity = {};
    return finishStroke(outcome, StrokeInWater);
  }
  runRollingStep();
  // The flow ended a stroke that ran out of time, or that stopped wedged in a wall (lost like
  // one into the water), the ball already back at its start.
  if (cameraMode == InWater) return finishStroke(outcome, strokeClock > strokeTimeLimit ? StrokeTimedOut : StrokeInWater);
  return shotPhase == Aiming && finishStroke(outcome, StrokeAtRest);
}

// The look-ahead first plays the frames until the strike with the ball waiting, then the grids.
enum SearchPhase : int { LookingAhead = 0, CoarseGrid = 1, FineGrid = 2, SearchDone = 3 };

// The search under way; reset by beginStrokeSearch. Large (two copies of the play records),
// so it lives here rather than on a stack.
struct SearchState {
  SearchGrid grid{};
  unsigned seed = 0;
  float fps = kSimulationFps;
  int phase = SearchDone;
  int leadFrames = 0;         // frames of the look-ahead still to play
  float cupAim = 0;           // degrees: the aim straight at the cup
  int candidate = 0;          // next candidate of the phase
  long candidateFrames = 0;   // frames simulated by the candidates that ended
  int candidatesRun = 0;
  bool running = false;       // a candidate stroke is part-way, its records in `paused`
  StrokeOutcome current;
  StrokeChoice choice;
  PlayWorld start;            // where every candidate starts (while looking ahead, how far it got)
  PlayWorld paused;
  PlayWorld game;             // the game's records while a call simulates
};
SearchState search;

int coarsePowerCount(const SearchGrid& g) {
  return static_cast<int>(std::floor((kMaxPower - g.powerFrom) / g.powerStep + 1e-3f)) + 1;
}

int coarseCount(const SearchGrid& g) {
  return static_cast<int>(std::ceil(360 / g.aimStep - 1e-3f)) * coarsePowerCount(g);
}

int finePowerCount(const SearchGrid& g) {
  return static_cast<int>(std::floor(2 * g.finePowerSpan / g.finePowerStep + 1e-3f)) + 1;
}

int fineCount(const SearchGrid& g) {
  if (g.fineAimStep <= 0) return 0;
  return static_cast<int>(std::ceil(2 * g.fineAimSpan / g.fineAimStep - 1e-3f)) * finePowerCount(g);
}

// The aim and power of candidate i of the current phase (powers rise fastest, so that the
// first stroke found to hole at an aim is also the gentlest there).
void candidateStroke(int i, float& aim, float& power) {
  const SearchGrid& g = search.grid;
  if (search.phase == CoarseGrid) {
    const int powers = coarsePowerCount(g);
    const int k = i / powers;  // with cupFirst: aims 0, +1, -1, +2, -2, ... steps from the cup's
    aim = g.cupFirst ? search.cupAim + static_cast<float>(k % 2 == 1 ? (k + 1) / 2 : -(k / 2)) * g.aimStep
                     : static_cast<float>(k) * g.aimStep;
    power = g.powerFrom + static_cast<float>(i % powers) * g.powerStep;
    return;
  }
  const int powers = finePowerCount(g);
  aim = search.choice.best.aim - g.fineAimSpan + static_cast<float>(i / powers) * g.fineAimStep;
  power = search.choice.best.power - g.finePowerSpan + static_cast<float>(i % powers) * g.finePowerStep;
}

// Starts the next candidate with a valid power, moving on through the phases; false when the
// search has ended. A holed stroke ends it, since nothing can take fewer strokes.
bool startNextCandidate() {
  for (;;) {
    if (search.choice.best.result == StrokeHoled) search.phase = SearchDone;
    if (search.phase == SearchDone) return false;
    const int count = search.phase == CoarseGrid ? coarseCount(search.grid) : fineCount(search.grid);
    if (search.candidate >= count) {
      search.phase += 1;
      search.candidate = 0;
      continue;
    }
    float aim = 0, power = 0;
    candidateStroke(search.candidate++, aim, power);
    if (power <= 0 || power > kMaxPower + 1e-4f) continue;
    restore(search.start);
    soundVolume = 0;
    std::srand(search.seed);
    beginStroke(aim, power, search.current, search.fps);
    search.running = true;
    return true;
  }
}

// Plays up to `budget` frames of the look-ahead on the course as the search found it, the ball
// waiting; returns the frames played. The random source is seeded from the frames still to
// play, so that one seed and one budget repeat exactly.
int lookAhead(int budget) {
  const int frames = std::min(budget, search.leadFrames);
  restore(search.start);
  soundVolume = 0;
  frameClock.fps = search.fps;
  std::srand(search.seed + static_cast<unsigned>(search.leadFrames));
  for (int frame = 0; frame < frames; ++frame) {
    ball.velocity.x = 0;
    ball.velocity.z = 0;
    simulatePlayFrame();
  }
  capture(search.start);
  search.start.volume = search.game.volume;
  search.start.fps = search.game.fps;
  search.leadFrames -= frames;
  if (search.leadFrames == 0) search.phase = CoarseGrid;
  return frames;
}

void considerCandidate(const StrokeOutcome& o) {
  StrokeChoice& c = search.choice;
  if (strokeScore(o) < strokeScore(c.best)) c.best = o;
  if (o.result == StrokeAtRest && strokeScore(o) < strokeScore(c.layUp)) c.layUp = o;
}

}  // namespace

long simulatedFrames = 0;

void simulatePlayFrame() {
  ++simulatedFrames;
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
  StrokeOutcome outcome;
  beginStroke(aim, power, outcome, kSimulationFps);
  while (!advanceStroke(outcome)) {
  }
  return outcome;
}

void beginStrokeSearch(const SearchGrid& grid, unsigned seed, float fps, int leadFrames) {
  buildCupDistances();
  search.grid = grid;
  search.fps = fps;
  search.seed = seed;
  search.leadFrames = std::max(leadFrames, 0);
  // A stroke at aim a leaves along (a + 180) degrees.
  search.cupAim = static_cast<float>(std::atan2(holeSetup.cupZ - ball.position.z, holeSetup.cupX - ball.position.x)) * kRadToDeg - 180;
  search.phase = search.leadFrames > 0 ? LookingAhead : CoarseGrid;
  search.candidate = 0;
  search.running = false;
  search.choice = StrokeChoice{};
  search.candidateFrames = 0;
  search.candidatesRun = 0;
  // The strokes start from the course as it will be when the ball is struck: the clocks run on
  // while the ball waits. The look-ahead to then shares the frame budget with the strokes.
  capture(search.game);
  capture(search.start);
}

int searchCandidateCount(const SearchGrid& grid) { return coarseCount(grid) + fineCount(grid); }

float strokeSearchFramesPerCandidate() {
  return search.candidatesRun > 0 ? static_cast<float>(search.candidateFrames) / static_cast<float>(search.candidatesRun) : 0;
}

bool continueStrokeSearch(int frameBudget) {
  if (search.phase == SearchDone) return true;
  const unsigned resumeSeed = static_cast<unsigned>(std::rand());
  capture(search.game);
  int budget = frameBudget;
  if (search.phase == LookingAhead) budget -= lookAhead(budget);
  if (search.running) {
    restore(search.paused);
    std::srand(search.seed + static_cast<unsigned>(search.current.frames));
  }
  while (budget > 0) {
    if (!search.running && !startNextCandidate()) break;
    while (budget > 0) {
      --budget;
      if (advanceStroke(search.current)) {
        search.running = false;
        search.candidateFrames += search.current.frames;
        search.candidatesRun += 1;
        considerCandidate(search.current);
        break;
      }
    }
  }
  if (search.running) capture(search.paused);
  restore(search.game);
  std::srand(resumeSeed);
  return search.phase == SearchDone;
}

const StrokeChoice& strokeSearchResult() { return search.choice; }

StrokeSequence searchStrokes(int maxStrokes, unsigned seed) {
  StrokeSequence sequence;
  if (maxStrokes > kMaxSearchStrokes) maxStrokes = kMaxSearchStrokes;
  while (sequence.count < maxStrokes && !sequence.holed) {
    beginStrokeSearch(kThoroughSearch, seed);
    while (!continueStrokeSearch(std::numeric_limits<int>::max())) {
    }
    const StrokeOutcome best = strokeSearchResult().best;
    // Replay the chosen stroke so that the grid and clocks carry its effects into the next one.
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
