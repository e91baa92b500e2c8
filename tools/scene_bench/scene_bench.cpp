// Frame times of the 3D scene on the software renderer: the test island with a few walls,
// hills and forty live particles, seen from a player's view, at each detail level.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <string>

#include "core/app_state.h"
#include "core/automation.h"
#include "course/terrain_grid.h"
#include "play/ball_physics.h"
#include "course/world_theme.h"
#include "render/baked_textures.h"
#include "render/model_loader.h"
#include "render/particles.h"
#include "render/scene.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/scene_test_hole.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kWarmUpFrames = 5;
constexpr int kTimedFrames = 60;
constexpr int kLiveParticles = 40;
constexpr int kRebakes = 9;  // bakes timed after the first, the median printed

using Clock = std::chrono::steady_clock;

// Processor time of the whole process (the renderer's threads included), in milliseconds: on
// a shared machine it varies far less than the wall clock.
double processorMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void buildBenchHole() {
  buildTestHole(10, 12, 170);
  for (int x : {6, 7, 8, 14, 15}) {
    terrainGrid.cells[x][16].object = 0;
    terrainGrid.cells[x][16].objectHeight = terrainGrid.cells[x][16].height;
  }
  setVertexHeights(15, 5, 19, 9, 1.2f);  // a raised green
  setVertexHeights(5, 5, 7, 7, -1.0f);   // a pond
  GameTextures[SmokeTexture].glName = makeSolidTexture(230, 230, 230, 160);
  GameTextures[SparkleTexture].glName = makeSolidTexture(255, 240, 120, 200);
}

// With the game's data tree beside it (run from the build directory) the sky, sea, ball and
// particles are the game's own; without it the plain colours of the test island stay.
void loadGameArt() {
  if (!std::filesystem::exists("data")) return;
  loadTexture(GameTextures[SeaEffectTexture], "./data/floor/sea-effect.tga", RepeatLinear);
  loadTexture(GameTextures[SmokeTexture], "./data/particles/fumee.tga", ClampMipmapped);
  loadTexture(GameTextures[SparkleTexture], "./data/particles/10.tga", ClampMipmapped);
  loadTexture(GameTextures[WaterDropTexture], "./data/particles/eau.tga", ClampMipmapped);
  loadTexture(shineTexture, "./data/sky/shine.tex", RepeatLinear);
  loadModel(BallModel, "./data/object/ball.obj", 1.0f);
  loadModel(BallShadowModel, "./data/object/ombre.obj", 1.0f);
  loadModel(SkyModelA, "./data/sky/day-a.obj", 5.0f);
  loadModel(SkyModelB, "./data/sky/day-b.obj", 5.0f);
  glClearColor(0.4f, 1.0f, 1.0f, 1.0f);  // the game's own, behind the sky
}

void refillParticles() {
  for (int i = 0; i < kLiveParticles; ++i) {
    if (particlePool.entries[i].kind == FreeParticle) {
      spawnEffect(8.0f + 0.2f * (i % 10), 0.6f, 10.0f + 0.3f * (i / 10), i % 2 ? Sparkle : DriftingSmoke);
    }
  }
}

void drawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawScene();
  glFinish();
  SDL_GL_SwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  if (!openSceneWindow(kWidth, kHeight)) {
    std::printf("scene_bench: no display (run under xvfb-run)\n");
    return 1;
  }
  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  buildBenchHole();
  loadGameArt();
  screenState = Playing;
  ball.position = {9.0, 0.5, 9.0};

  Clock::time_point start = Clock::now();
  bakeShadowTexture();
  std::printf("shadow bake (512): %.1f ms\n", millisecondsSince(start));
  start = Clock::now();
  bakeSurfTexture();
  std::printf("surf bake (256): %.1f ms\n", millisecondsSince(start));
  // Every hole after the first bakes with the renderer's shaders compiled: the median of a few.
  for (auto [bake, name] : {std::pair{bakeShadowTexture, "shadow"}, std::pair{bakeSurfTexture, "surf"}}) {
    std::array<double, kRebakes> wall{}, processor{};
    for (int i = 0; i < kRebakes; ++i) {
      const double processorStart = processorMilliseconds();
      start = Clock::now();
      bake();
      glFinish();
      wall[i] = millisecondsSince(start);
      processor[i] = processorMilliseconds() - processorStart;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    std::printf("%s bake again: %.1f ms, processor %.1f ms\n", name, wall[kRebakes / 2],
                processor[kRebakes / 2]);
  }

  for (int detail = 0; detail <= 2; ++detail) {
    detailLevel = detail;
    lookFrom(4.0f, 4.0f, 4.0f, 12.0f, 0.5f, 12.0f);
    for (int i = 0; i < kWarmUpFrames; ++i) drawFrame();
    double total = 0.0;
    const double processorStart = processorMilliseconds();
    for (int i = 0; i < kTimedFrames; ++i) {
      refillParticles();
      start = Clock::now();
      drawFrame();
      total += millisecondsSince(start);
    }
    const double perFrame = total / kTimedFrames;
    const double processorPerFrame = (processorMilliseconds() - processorStart) / kTimedFrames;
    std::printf("detail %d at %dx%d: %.2f ms per frame (%.1f fps), processor %.2f ms per frame\n", detail,
                kWidth, kHeight, perFrame, 1000.0 / perFrame, processorPerFrame);
    if (argc > 1) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      drawScene();
      writeScreenshot((std::string(argv[1]) + "/scene_detail" + std::to_string(detail) + ".png").c_str());
    }
  }
  SDL_Quit();
  return 0;
}
