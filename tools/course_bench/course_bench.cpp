// Measures the course data code on a full-size hole: reading and writing a hole map file and
// sampling the ground, and prints the figures. Usage: course_bench [scratch directory]
#include <chrono>
#include <cstdio>
#include <string>

#include "course/hole_map.h"
#include "course/world_theme.h"
#include "play/terrain_sampling.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A busy hole: rolling ground, an object on every third cell, markers.
void makeHole() {
  resetTerrainCells();
  for (int x = 0; x < kGridVertices; ++x) {
    for (int z = 0; z < kGridVertices; ++z) {
      TerrainCell& cell = terrainGrid.cells[x][z];
      cell.height = 1.0f + 0.3f * float((x * 5 + z * 3) % 7);
      cell.object = (x + z) % 3 == 0 ? (x % 4) : -1;
      cell.objectHeight = cell.height + 0.5f;
      cell.interaction = (x == 2 && z == 2) ? StartMarker : (x == 20 && z == 20) ? HoleMarker : -1;
    }
  }
  worldTheme.objectCount = 3;
  worldTheme.objectTypes[0].behaviour = 5;
  worldTheme.objectTypes[1].behaviour = 8;
  worldTheme.objectTypes[2].behaviour = 106;
  worldTheme.objectTypes[3].behaviour = 104;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string directory = argc > 1 ? argv[1] : "/tmp";
  const std::string path = directory + "/course_bench.map";
  makeHole();

  constexpr int kWrites = 50;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kWrites; ++i) writeHoleMap(path.c_str(), terrainGrid, 3);
  std::printf("write hole map: %.3f ms each\n", secondsSince(start) * 1000.0 / kWrites);

  constexpr int kReads = 50;
  start = Clock::now();
  for (int i = 0; i < kReads; ++i) {
    resetTerrainCells();
    readHoleMapFile(path.c_str());
    forceTerrainRim();
    placeHoleMarkers();
    computeTerrainNormals();
  }
  std::printf("read hole map with markers and normals: %.3f ms each\n",
              secondsSince(start) * 1000.0 / kReads);

  constexpr int kSamples = 4000000;
  float sum = 0.0f;
  start = Clock::now();
  for (int i = 0; i < kSamples; ++i) {
    const float x = 1.0f + float(i % 2300) * 0.01f;
    const float z = 1.0f + float((i / 2300) % 2300) * 0.01f;
    sum += sampleGround(x, z, x, 3.0f, float(i % 360)).height;
  }
  const double seconds = secondsSince(start);
  std::printf("ground samples: %.1f ns each (%.1f million per second; checksum %.1f)\n",
              seconds * 1e9 / kSamples, kSamples / seconds / 1e6, double(sum));
  std::remove(path.c_str());
  return 0;
}
