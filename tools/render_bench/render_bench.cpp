// Reloads a world-sized set of models the way every course start does and prints the process's
// resident memory and the pool sizes after the first and the last start; then times texture
// registry look-ups with the registry full.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <malloc.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "render/model_loader.h"
#include "render/texture_loader.h"

namespace {

constexpr int kCourseStarts = 50;
constexpr int kObjectModels = 40;
constexpr int kGridSide = 20;  // each object model is a grid of kGridSide x kGridSide quads

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKilobytes() {
  long pages = 0, resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return -1;
  if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = -1;
  std::fclose(statm);
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A wavy grid with shared vertices, split into two groups, like a small course object.
void writeGridModel(const std::string& path, int side) {
  std::ofstream out(path);
  for (int z = 0; z <= side; ++z) {
    for (int x = 0; x <= side; ++x) out << "v " << x * 10 << " " << (x * z) % 7 << " " << z * 10 << "\n";
  }
  out << "vt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\n";
  for (int z = 0; z < side; ++z) {
    if (z == 0) out << "g body\n";
    if (z == side / 2) out << "g metal_trim\n";
    for (int x = 0; x < side; ++x) {
      const int a = z * (side + 1) + x + 1;
      out << "f " << a << "/1 " << a + 1 << "/2 " << a + side + 2 << "/3 " << a + side + 1 << "/4\n";
    }
  }
}

void loadWorldModels(const std::string& dir) {
  for (int slot = 150; slot <= 161; ++slot) {
    const float scale = slot == 159 || slot == 160 ? 5.0f : 1.0f;
    loadModel(slot, (dir + "/shared.obj").c_str(), scale);
  }
  for (int slot = 0; slot < kObjectModels; ++slot) {
    loadModel(slot, (dir + "/object" + std::to_string(slot % 4) + ".obj").c_str(), 1);
  }
}

void printPools(const char* when) {
  // Heap in use tells a leak from memory the allocator keeps for later.
  const long heapKilobytes = static_cast<long>(mallinfo2().uordblks / 1024);
  std::printf("%-22s resident %7ld kB  heap in use %6ld kB  vertices %6d  faces %6d  groups %4d\n",
              when, residentKilobytes(), heapKilobytes, modelPools.vertexCount,
              modelPools.faceCount, modelPools.groupCount);
}

void benchModelReloads(const std::string& dir) {
  writeGridModel(dir + "/shared.obj", 8);
  for (int i = 0; i < 4; ++i) writeGridModel(dir + "/object" + std::to_string(i) + ".obj", kGridSide);
  printPools("before any load");
  Clock::time_point start = Clock::now();
  loadWorldModels(dir);
  const double first = millisecondsSince(start);
  printPools("after 1 course start");
  // Memory is printed along the way: a plateau after the first starts is the allocator
  // settling, growth at every start would be a leak.
  double rest = 0;
  for (int i = 2; i <= kCourseStarts; ++i) {
    start = Clock::now();
    loadWorldModels(dir);
    rest += millisecondsSince(start) / (kCourseStarts - 1);
    if (i == 2 || i == 5 || i == 10 || i == 25 || i == kCourseStarts) {
      const std::string when = "after " + std::to_string(i) + " course starts";
      printPools(when.c_str());
    }
  }
  std::printf("model load per course start: first %.1f ms, later %.1f ms on average\n", first, rest);
}

void benchRegistry(const std::string& dir) {
  {
    std::ofstream image(dir + "/r.tga", std::ios::binary);
    const std::array<unsigned char, 21> tga{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0,
                                            10, 20, 30};
    image.write(reinterpret_cast<const char*>(tga.data()), tga.size());
  }
  std::array<char, 32> suffix{};
  Clock::time_point start = Clock::now();
  for (int i = 1; i < kRegistryEntries; ++i) {
    std::snprintf(suffix.data(), suffix.size(), "%c%03d", i < 1000 ? '.' : '_', i % 1000);
    TextureRecord record;
    loadTexture(record, (dir + "/r" + suffix.data()).c_str(), ClampLinear);
  }
  const double fill = millisecondsSince(start);
  start = Clock::now();
  constexpr int kLookups = 2000;
  for (int i = 0; i < kLookups; ++i) {
    TextureRecord record;
    loadTexture(record, (dir + "/r_499").c_str(), ClampLinear);  // the last entry: a full scan
  }
  const double lookup = millisecondsSince(start) * 1000 / kLookups;
  std::printf("registry: %d uploads of a 1x1 image %.1f ms; look-up of the last entry %.1f us\n",
              kRegistryEntries - 1, fill, lookup);
  releaseAllTextures();
}

}  // namespace

int main() {
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode(64, 64, 32, SDL_OPENGL) == nullptr) {
    std::printf("render_bench needs a display: %s\n", SDL_GetError());
    return 1;
  }
  glewInit();
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("render-bench-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(dir);
  benchModelReloads(dir);
  benchRegistry(dir);
  std::filesystem::remove_all(dir);
  SDL_Quit();
  return 0;
}
