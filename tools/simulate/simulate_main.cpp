// simulate: plays strokes on one hole of a world without a window, at a fixed 60 frames per
// second, with the game's own physics and object behaviours. Prints one JSON line.
//
//   simulate [--root DIR] --world N --hole H --aim DEG --power P [--start X Z] [--seed S]
//   simulate [--root DIR] --world N --hole H --search [--strokes N] [--seed S]
//   simulate --benchmark [--root DIR --world N --hole H]
//
// DIR is the game's working directory (the one holding ./data). Worlds are numbered from 0 in
// catalogue order. The benchmark plays a fan of strokes and prints the CPU time per simulated
// second; without a world it uses a small built-in hole.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "render/sea.h"

namespace {

constexpr int kBenchmarkStrokes = 36;
constexpr float kBenchmarkPower = 7;

enum class Mode { Stroke, Search, Benchmark };

struct SimulateOptions {
  Mode mode = Mode::Stroke;
  const char* root = nullptr;
  int world = -1;
  int hole = 1;
  float aim = 0;
  float power = 0;
  bool startGiven = false;
  float startX = 0, startZ = 0;
  int strokes = 6;
  unsigned seed = 1;
};

void printUsage() {
  std::fprintf(stderr,
               "usage: simulate [--root DIR] --world N --hole H --aim DEG --power P [--start X Z] [--seed S]\n"
               "       simulate [--root DIR] --world N --hole H --search [--strokes N] [--seed S]\n"
               "       simulate --benchmark [--root DIR --world N --hole H]\n");
}

bool parseOptions(int argc, char** argv, SimulateOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(a, "--search") == 0) o.mode = Mode::Search;
    else if (std::strcmp(a, "--benchmark") == 0) o.mode = Mode::Benchmark;
    else if (std::strcmp(a, "--root") == 0 && hasValue) o.root = argv[++i];
    else if (std::strcmp(a, "--world") == 0 && hasValue) o.world = std::atoi(argv[++i]);
    else if (std::strcmp(a, "--hole") == 0 && hasValue) o.hole = std::atoi(argv[++i]);
    else if (std::strcmp(a, "--aim") == 0 && hasValue) o.aim = static_cast<float>(std::atof(argv[++i]));
    else if (std::strcmp(a, "--power") == 0 && hasValue) o.power = static_cast<float>(std::atof(argv[++i]));
    else if (std::strcmp(a, "--strokes") == 0 && hasValue) o.strokes = std::atoi(argv[++i]);
    else if (std::strcmp(a, "--seed") == 0 && hasValue) o.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    else if (std::strcmp(a, "--start") == 0 && i + 2 < argc) {
      o.startGiven = true;
      o.startX = static_cast<float>(std::atof(argv[++i]));
      o.startZ = static_cast<float>(std::atof(argv[++i]));
    } else {
      return false;
    }
  }
  if (o.mode != Mode::Benchmark && o.world < 0) return false;
  if (o.hole < 1 || o.hole > kHolesPerCourse) return false;
  return o.mode != Mode::Stroke || (o.power > 0 && o.power <= 12);
}

// Loads the world's theme and the hole with the game's own loaders. Without a window their
// texture and model uploads do nothing; the grid, markers and object types are all play needs.
bool loadHole(const SimulateOptions& o) {
  if (o.root && chdir(o.root) != 0) {
    std::fprintf(stderr, "simulate: cannot enter %s\n", o.root);
    return false;
  }
  buildCourseCatalogue();
  if (o.world >= catalogue.worldCount) {
    std::fprintf(stderr, "simulate: no world %d (the catalogue has %d)\n", o.world, catalogue.worldCount);
    return false;
  }
  catalogue.currentWorld = o.world;
  loadWorldTheme();
  holeNumber = o.hole;
  loadHoleMap();
  return true;
}

// A small hole for the benchmark when no world is given: a walled box with a bumper, a fan and
// rough ground, so that strokes meet every common kind of object.
void buildBenchmarkHole() {
  resetTerrainCells();
  resetPlayersForHole();
  worldTheme.objectCount = 3;
  worldTheme.objectTypes[0] = ObjectType{1, 0, 0};
  worldTheme.objectTypes[1] = ObjectType{100, 0, 0};
  worldTheme.objectTypes[2] = ObjectType{3, 0, 0};
  worldTheme.objectTypes[3] = ObjectType{1, -1, 0};
  for (int i = 4; i <= 20; ++i) {
    terrainGrid.cells[i][4].object = terrainGrid.cells[i][20].object = 0;
    terrainGrid.cells[4][i].object = terrainGrid.cells[20][i].object = 0;
  }
  terrainGrid.cells[12][9].object = 1;
  terrainGrid.cells[15][15].object = 2;
  terrainGrid.cells[5][12].object = 3;
  terrainGrid.cells[5][12].objectRotation = 90;
  for (int x = 4; x <= 20; ++x)
    for (int z = 4; z <= 20; ++z) terrainGrid.cells[x][z].objectHeight = terrainGrid.cells[x][z].height;
  forceTerrainRim();
  holeSetup.cupX = 17.5f;
  holeSetup.cupZ = 17.5f;
  holeSetup.cupHeight = 1;
  ball.position = {8.5, kBallStartDepth, 8.5};
}

void placeStart(const SimulateOptions& o) {
  seaPhase = 0;
  waveAmplitude = 0.05f;
  if (o.startGiven) ball.position = {o.startX, kBallStartDepth, o.startZ};
  std::srand(o.seed);
  settleBall();
}

void printVector(const BallVector& v) { std::printf("[%.4f,%.4f,%.4f]", v.x, v.y, v.z); }

void printStrokeFields(const StrokeOutcome& s) {
  std::printf("\"aim\":%.2f,\"power\":%.2f,\"outcome\":\"%s\",\"rest\":", s.aim, s.power,
              strokeResultName(s.result));
  printVector(s.rest);
  std::printf(",\"frames\":%d,\"stars\":%d", s.frames, s.stars);
}

void printHoleFields(const SimulateOptions& o) {
  std::printf("\"world\":%d,\"hole\":%d,\"par\":%d,", o.world, o.hole, holeSetup.par);
}

void runStroke(const SimulateOptions& o) {
  const StrokeOutcome s = simulateStroke(o.aim, o.power);
  std::printf("{");
  printHoleFields(o);
  printStrokeFields(s);
  std::printf("}\n");
}

void runSearch(const SimulateOptions& o) {
  const StrokeSequence found = searchStrokes(o.strokes, o.seed);
  std::printf("{");
  printHoleFields(o);
  std::printf("\"holed\":%s,\"strokes\":%d,\"sequence\":[", found.holed ? "true" : "false", found.count);
  for (int i = 0; i < found.count; ++i) {
    std::printf(i ? ",{" : "{");
    printStrokeFields(found.strokes[i]);
    std::printf("}");
  }
  std::printf("]}\n");
}

// A fan of strokes from the start, each from the same place; CPU time against simulated time.
void runBenchmark(const SimulateOptions& o) {
  const BallVector start = ball.position;
  long frames = 0;
  const std::clock_t began = std::clock();
  for (int i = 0; i < kBenchmarkStrokes; ++i) {
    ball.position = start;
    ball.velocity = {};
    frames += simulateStroke(i * 360.0f / kBenchmarkStrokes, kBenchmarkPower).frames;
  }
  const double cpuSeconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
  const double simulatedSeconds = frames / static_cast<double>(kSimulationFps);
  std::printf("{\"benchmark\":\"strokes\",\"world\":%d,\"hole\":%d,\"strokes\":%d,\"simulated_seconds\":%.2f,"
              "\"cpu_seconds\":%.4f,\"cpu_ms_per_simulated_second\":%.4f}\n",
              o.world, o.hole, kBenchmarkStrokes, simulatedSeconds, cpuSeconds,
              simulatedSeconds > 0 ? cpuSeconds * 1000 / simulatedSeconds : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  SimulateOptions o;
  if (!parseOptions(argc, argv, o)) {
    printUsage();
    return 2;
  }
  if (o.world >= 0) {
    if (!loadHole(o)) return 1;
  } else {
    buildBenchmarkHole();
  }
  placeStart(o);
  switch (o.mode) {
    case Mode::Stroke: runStroke(o); break;
    case Mode::Search: runSearch(o); break;
    case Mode::Benchmark: runBenchmark(o); break;
  }
  return 0;
}
