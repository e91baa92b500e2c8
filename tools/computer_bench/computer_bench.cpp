// computer_bench: how well the computer players play. Every hole of every world of the data
// tree is played headless by one computer of each strength, from several seeds, through the
// game's own turn flow (hole introduction, search spread over frames, aim, gauge, stroke,
// water and holed sequences) at a fixed 60 frames per second. Prints, per world and strength,
// the average strokes against par; per strength the worst hole against par; and the longest
// frame of a computer turn, in processor and wall time (both grow with the machine's load) and
// as a load-independent estimate: the most play frames simulated within one drawn frame times
// the median processor time of one simulated frame over the search's long batches.
//
//   computer_bench [--root DIR] [--seeds N] [--world W] [--hole H] [--strength K] [--verbose 1]
//
// DIR is the game's working directory (the one holding ./data); W limits the run to one world
// (numbered from 0 in catalogue order), H to one hole of each world, K to one strength (1 rookie,
// 2 club, 3 ace). The load average is printed at the start and the end, beside the times.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/computer_player.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "play/turn_flow.h"
#include "render/sea.h"

namespace {

constexpr int kStrokeCap = 20;             // a hole is given up after this many strokes
constexpr int kFrameCap = 60 * 60 * 20;    // or twenty minutes of play

struct BenchOptions {
  const char* root = nullptr;
  int seeds = 3;
  int world = -1;
  int hole = 0;  // 0: every hole
  int strength = 0;
  int verbose = 0;  // 1: a line for every hole
};

// A drawn frame that simulated at least this many play frames is a batch long enough to time
// one simulated frame by.
constexpr long kLongBatch = 200;
constexpr int kMaxBatches = 4096;

struct HoleResult {
  int strokes = 0;
  double longestFrameMs = 0;      // processor time
  double longestWallMs = 0;
  long mostSimulatedFrames = 0;   // in one drawn frame of a computer turn
  int batches = 0;
  std::array<double, kMaxBatches> batchMicroseconds{};  // processor time per simulated frame
};

// Of one hole over its seeds: the load-independent estimate of its longest frame.
struct FrameEstimate {
  long mostSimulatedFrames = 0;
  double medianMicroseconds = 0;
  double ms() const { return mostSimulatedFrames * medianMicroseconds / 1000.0; }
};

// Over all holes of a run for one strength.
struct StrengthFigures {
  double worstOverPar = -100;
  int worstWorld = 0, worstHole = 0;
  double longestFrameMs = 0, longestWallMs = 0;
  int longestWorld = 0, longestHole = 0;
  FrameEstimate estimate;
  int estimateWorld = 0, estimateHole = 0;
  double overParSum = 0;
  int holes = 0;
};

double milliseconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

bool parseOptions(int argc, char** argv, BenchOptions& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--root") == 0) o.root = argv[i + 1];
    else if (std::strcmp(argv[i], "--seeds") == 0) o.seeds = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--world") == 0) o.world = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--hole") == 0) o.hole = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--strength") == 0) o.strength = std::atoi(argv[i + 1]);
    else if (std::strcmp(argv[i], "--verbose") == 0) o.verbose = std::atoi(argv[i + 1]);
    else return false;
  }
  return argc % 2 == 1 && o.seeds >= 1;
}

// One frame of play as the game runs it, without drawing: the cup, the physics and the
// objects, then the turn flow.
void playFrame() {
  simulatePlayFrame();
  runPlayFlow();
}

// Plays the loaded hole to the end with one computer player of this kind.
HoleResult playHole(int kind, unsigned seed) {
  static HoleResult result;  // large: kept off the stack
  result = HoleResult{};
  std::srand(seed);
  loadHoleMap();
  seaPhase = 0;
  waveAmplitude = 0.05f;
  frameClock.fps = kSimulationFps;
  players.playerCount = 1;
  playerKinds[0] = kind;
  for (int frame = 0; frame < kFrameCap && cameraMode != Holed && players.strokes[0] < kStrokeCap; ++frame) {
    const bool computerTurn = shotPhase == Aiming;
    const long framesBefore = simulatedFrames;
    const double wallBefore = milliseconds(CLOCK_MONOTONIC);
    const double before = milliseconds(CLOCK_THREAD_CPUTIME_ID);
    playFrame();
    const double spent = milliseconds(CLOCK_THREAD_CPUTIME_ID) - before;
    const double wall = milliseconds(CLOCK_MONOTONIC) - wallBefore;
    const long simulated = simulatedFrames - framesBefore;
    if (!computerTurn) continue;
    result.longestFrameMs = std::max(result.longestFrameMs, spent);
    result.longestWallMs = std::max(result.longestWallMs, wall);
    result.mostSimulatedFrames = std::max(result.mostSimulatedFrames, simulated);
    if (simulated >= kLongBatch && result.batches < kMaxBatches) {
      result.batchMicroseconds[result.batches++] = spent * 1000.0 / simulated;
    }
  }
  result.strokes = players.strokes[0];
  return result;
}

double median(double* values, int count) {
  if (count == 0) return 0;
  std::nth_element(values, values + count / 2, values + count);
  return values[count / 2];
}

void noteHole(StrengthFigures& f, int world, int hole, double overPar, const HoleResult& longest, const FrameEstimate& e) {
  f.overParSum += overPar;
  f.holes += 1;
  if (overPar > f.worstOverPar) {
    f.worstOverPar = overPar;
    f.worstWorld = world;
    f.worstHole = hole;
  }
  f.longestWallMs = std::max(f.longestWallMs, longest.longestWallMs);
  if (longest.longestFrameMs > f.longestFrameMs) {
    f.longestFrameMs = longest.longestFrameMs;
    f.longestWorld = world;
    f.longestHole = hole;
  }
  if (e.ms() > f.estimate.ms()) {
    f.estimate = e;
    f.estimateWorld = world;
    f.estimateHole = hole;
  }
}

// Plays every hole of the world with every seed; prints the world's line for this strength.
void benchWorld(int world, int kind, const BenchOptions& o, StrengthFigures& all) {
  catalogue.currentWorld = world;
  loadWorldTheme();
  double overParSum = 0;
  int worstStrokes = 0, holes = 0;
  for (int hole = 1; hole <= courseHoleCount(); ++hole) {
    if (o.hole != 0 && o.hole != hole) continue;
    holes += 1;
    double holeOverPar = 0;
    HoleResult longest;  // the longest frames over the seeds
    static std::array<double, kMaxBatches> batches;
    int batchCount = 0;
    for (int s = 0; s < o.seeds; ++s) {
      holeNumber = hole;
      const HoleResult& r = playHole(kind, static_cast<unsigned>(1 + s * 7919));
      const int over = r.strokes - catalogue.holePars[world][hole];
      holeOverPar += over;
      if (over > worstStrokes) worstStrokes = over;
      longest.longestFrameMs = std::max(longest.longestFrameMs, r.longestFrameMs);
      longest.longestWallMs = std::max(longest.longestWallMs, r.longestWallMs);
      longest.mostSimulatedFrames = std::max(longest.mostSimulatedFrames, r.mostSimulatedFrames);
      for (int b = 0; b < r.batches && batchCount < kMaxBatches; ++b) batches[batchCount++] = r.batchMicroseconds[b];
    }
    holeOverPar /= o.seeds;
    const FrameEstimate estimate{longest.mostSimulatedFrames, median(batches.data(), batchCount)};
    if (o.verbose) {
      std::printf("  hole %2d par %d: %+.2f, longest frame %.2f ms processor, %.2f ms wall, %ld simulated frames x %.2f us = %.2f ms\n",
                  hole, catalogue.holePars[world][hole], holeOverPar, longest.longestFrameMs, longest.longestWallMs,
                  estimate.mostSimulatedFrames, estimate.medianMicroseconds, estimate.ms());
    }
    overParSum += holeOverPar;
    noteHole(all, world, hole, holeOverPar, longest, estimate);
  }
  std::printf("world %d %-18s %-6s average %+.2f strokes a hole against par, worst single round of a hole %+d\n",
              world, catalogue.worldNames[world].data(), computerKindName(kind),
              overParSum / std::max(holes, 1), worstStrokes);
  std::fflush(stdout);
}

// The machine's load average beside the times, which grow with it.
void printLoad(const char* when) {
  std::array<double, 3> load{};
  if (getloadavg(load.data(), 3) == 3) std::printf("load average at the %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

}  // namespace

int main(int argc, char** argv) {
  BenchOptions o;
  if (!parseOptions(argc, argv, o)) {
    std::fprintf(stderr, "usage: computer_bench [--root DIR] [--seeds N] [--world W] [--hole H] [--strength K] [--verbose 1]\n");
    return 2;
  }
  if (o.root && chdir(o.root) != 0) {
    std::fprintf(stderr, "computer_bench: cannot enter %s\n", o.root);
    return 1;
  }
  buildCourseCatalogue();
  printLoad("start");
  for (int kind = RookieComputer; kind <= AceComputer; ++kind) {
    if (o.strength != 0 && o.strength != kind) continue;
    StrengthFigures all;
    for (int world = 0; world < catalogue.worldCount; ++world) {
      if (o.world < 0 || o.world == world) benchWorld(world, kind, o, all);
    }
    if (all.holes == 0) continue;
    std::printf("%-6s over %d holes: average %+.2f against par; worst hole %+.2f (world %d hole %d, average of %d seeds)\n",
                computerKindName(kind), all.holes, all.overParSum / all.holes, all.worstOverPar, all.worstWorld,
                all.worstHole, o.seeds);
    std::printf("%-6s longest frame of a computer turn: %.2f ms processor (world %d hole %d), %.2f ms wall; "
                "estimate %ld simulated frames x %.2f us median = %.2f ms (world %d hole %d)\n",
                computerKindName(kind), all.longestFrameMs, all.longestWorld, all.longestHole, all.longestWallMs,
                all.estimate.mostSimulatedFrames, all.estimate.medianMicroseconds, all.estimate.ms(), all.estimateWorld,
                all.estimateHole);
    std::fflush(stdout);
  }
  printLoad("end");
  return 0;
}
