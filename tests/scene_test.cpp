// The 3D scene drawn under Xvfb on a small island hole built in the test, checked on pixels.
// Screenshots land in the build tree (scene_*.png) for a person to look at. Then the particle
// pool, headless.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/automation.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/baked_textures.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/particles.h"
#include "render/scene.h"
#include "render/sea.h"
#include "render/texture_tables.h"
#include "tests/support/scene_test_hole.h"
#include "ui/menu_backdrop.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class SceneDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openSceneWindow(kWidth, kHeight)) << "the scene checks need a display (Xvfb)";
    screenState = Playing;
    detailLevel = 1;
    clearParticles();
  }
  void TearDown() override {
    clearParticles();
    detailLevel = 1;
  }

  // Clears, sets up the view and frustum as the scene does, for drawing parts of it alone.
  static void startView() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setupCamera();
    extractFrustum(sceneFrustum);
  }

  static Pixel pixelAt(float x, float y, float z) {
    const std::array<int, 2> p = projectToWindow(x, y, z);
    return readPixel(p[0], p[1]);
  }

  static void frame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
  }

  static void screenshot(const std::string& name) {
    writeScreenshot((std::string(QUILLMOOR_BINARY_DIR) + "/scene_" + name + ".png").c_str());
  }
};

bool isClearRed(Pixel c) { return c.r > 240 && c.g < 15 && c.b < 15; }
int brightness(Pixel c) { return c.r + c.g + c.b; }

}  // namespace

// Ground wholly inside an opaque wall box is left out only where the wall's faces hide it.
TEST_F(SceneDrawing, GroundInsideAnOpaqueWallIsLeftOutOnlyWhenAsked) {
  buildTestHole(10, 10, 255);
  ModelGroup& wall = modelPools.groups[modelPools.slots[0].firstGroup];
  wall.texture.glName = makeSolidTexture(200, 200, 200, 255);
  wall.texture.bitsPerPixel = 24;
  detailLevel = 0;
  lookFrom(12.5f, 30.0f, 12.6f, 12.5f, 0.0f, 12.5f);
  const auto groundShows = [](float sink, bool leaveOut) {
    terrainGrid.cells[10][10].objectHeight = 0.5f - sink;
    startView();
    cullClosedGroups = leaveOut;
    drawTerrain();
    cullClosedGroups = false;
    return !isClearRed(pixelAt(10.5f, 0.5f, 10.5f));
  };
  EXPECT_FALSE(groundShows(0.5f, true)) << "ground in the middle of the box";
  EXPECT_TRUE(groundShows(0.5f, false)) << "the reflection and the bakes draw it";
  EXPECT_TRUE(groundShows(0.0f, true)) << "ground level with the box's base";
  EXPECT_TRUE(groundShows(-1.0f, true)) << "ground above the box";
}

TEST_F(SceneDrawing, SeaFadesOutAtItsRimAndLeavesDepthAlone) {
  buildTestHole(-1, -1, 255);
  screenState = Options;  // no surf here
  lookFrom(16.0f, 60.0f, 16.1f, 16.0f, 0.0f, 16.0f);
  startView();
  drawSea();
  screenshot("sea_rim");

  const Pixel middle = pixelAt(16.0f, -0.1f, 16.0f);
  EXPECT_GT(middle.b, 180) << "the sea colour inside";
  EXPECT_LT(middle.r, 40);
  const Pixel nearRim = pixelAt(-3.6f, -0.1f, 16.0f);
  EXPECT_GT(nearRim.r, 200) << "nearly transparent at its edge";
  const Pixel halfWay = pixelAt(0.0f, -0.1f, 16.0f);
  EXPECT_GT(halfWay.b, 80);
  EXPECT_GT(halfWay.r, 80) << "half way from the rim: half sea, half background";
  EXPECT_TRUE(isClearRed(pixelAt(-6.0f, -0.1f, 16.0f))) << "nothing beyond the rim";

  const std::array<int, 2> p = projectToWindow(16.0f, -0.1f, 16.0f);
  float depth = 0.0f;
  glReadPixels(p[0], p[1], 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_FLOAT_EQ(depth, 1.0f) << "the sea writes no depth";

  // The options backdrop's sea lies under the world's fog (light grey 21 units out), and a
  // world without fog keeps it clear, not black.
  auto backdropSea = [](bool fog) {
    worldTheme.fogEnabled = fog;
    decorAngle = 0;  // the eye at (25.5, 6, 12.5)
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSkyAndSea();
    return pixelAt(4.0f, -0.1f, 12.5f);
  };
  const Pixel clear = backdropSea(false);
  EXPECT_GT(clear.b, 180);
  EXPECT_LT(clear.r, 40);
  EXPECT_GT(backdropSea(true).r, 120);
  worldTheme.fogEnabled = false;
}

TEST_F(SceneDrawing, DetailZeroShowsNoShadowNorParticlesButTheyStillAge) {
  // The wall is baked into the shadow, then taken away so that the ground under it shows.
  buildTestHole(12, 12, 255);
  bakeShadowTexture();
  bakeSurfTexture();
  terrainGrid.cells[12][12].object = -1;
  GameTextures[SparkleTexture].glName = makeSolidTexture(255, 0, 255, 255);
  lookFrom(12.5f, 8.0f, 12.6f, 12.5f, 0.0f, 12.5f);
  auto look = [&]() {
    clearParticles();
    spawnEffect(16.0f, 2.0f, 12.5f, Sparkle);
    frame();
    return std::array<Pixel, 2>{pixelAt(12.5f, 0.5f, 12.5f), pixelAt(16.0f, 2.15f, 12.5f)};
  };
  detailLevel = 1;
  const auto normal = look();
  screenshot("detail1");
  detailLevel = 0;
  const auto low = look();
  screenshot("detail0");
  EXPECT_LT(brightness(normal[0]), brightness(low[0]) - 30) << "the wall's baked shadow";
  EXPECT_GT(normal[1].r, 200);
  EXPECT_GT(normal[1].b, 200);
  EXPECT_LT(normal[1].g, 60) << "the sparkle shows at detail 1";
  EXPECT_GT(low[1].g, 100) << "and not at detail 0";

  const float age = particlePool.entries[0].age;
  for (int i = 0; i < 30; ++i) frame();
  EXPECT_GT(particlePool.entries[0].age, age + 0.09f) << "unseen effects keep ageing";
}

// The bakes blur on the processor to the very bytes the renderer's own passes gave, in the
// off-screen target and in the back buffer's smaller picture alike.
TEST_F(SceneDrawing, ProcessorBakesGiveTheRenderersBytes) {
  buildTestHole(12, 12, 170);
  setVertexHeights(15, 5, 19, 9, 1.2f);
  setVertexHeights(5, 5, 7, 7, -1.0f);
  auto bake = [](bool processor) {
    bakeBlurOnProcessor = processor;
    bakeShadowTexture();
    bakeSurfTexture();
    std::vector<unsigned char> bytes;
    for (int slot : {TerrainShadowTexture, WaveTexture}) {
      const TextureRecord& record = GameTextures[slot];
      std::vector<unsigned char> rgb(static_cast<std::size_t>(record.width) * record.height * 3);
      glBindTexture(GL_TEXTURE_2D, record.glName);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
      bytes.insert(bytes.end(), rgb.begin(), rgb.end());
    }
    return bytes;
  };
  for (bool offScreen : {true, false}) {
    bakeOffScreen = offScreen;
    const std::vector<unsigned char> reference = bake(false);
    const std::vector<unsigned char> processor = bake(true);
    ASSERT_EQ(processor.size(), reference.size());
    int differing = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) differing += processor[i] != reference[i];
    EXPECT_EQ(differing, 0) << (offScreen ? "off screen" : "in the back buffer");
  }
  bakeOffScreen = true;
}

TEST_F(SceneDrawing, BallMovesOncePerFrameAtEveryDetail) {
  buildTestHole(-1, -1, 255);
  lookFrom(12.5f, 8.0f, 2.0f, 12.5f, 0.0f, 12.5f);
  auto travel = [&](int detail) {
    detailLevel = detail;
    ball.position = {8.0, 0.5, 12.0};
    ball.velocity = {2.0, 0.0, 0.0};
    frame();
    return ball.position.x - 8.0;
  };
  const double plain = travel(1);
  EXPECT_GT(plain, 0.01) << "the ball moved";
  EXPECT_NEAR(travel(2), plain, 1e-6) << "the mirrored pass runs no physics";
  EXPECT_NEAR(travel(0), plain, 1e-6);
}

namespace {

int liveCount() {
  int n = 0;
  for (const Particle& p : particlePool.entries) n += p.kind != FreeParticle;
  return n;
}

}  // namespace

TEST(ParticlePool, SpawnIgnoresEffectsWhenFullOrUnknown) {
  clearParticles();
  for (int i = 0; i < kParticleCount; ++i) spawnEffect(static_cast<float>(i), 0, 0, DriftingSmoke);
  EXPECT_EQ(liveCount(), kParticleCount);
  const Particle before = particlePool.entries[kParticleCount - 1];
  spawnEffect(-5, -5, -5, SmokePuff);
  EXPECT_EQ(liveCount(), kParticleCount);
  EXPECT_EQ(particlePool.entries[kParticleCount - 1].kind, before.kind);
  EXPECT_FLOAT_EQ(particlePool.entries[kParticleCount - 1].x, before.x);
  clearParticles();
  EXPECT_EQ(liveCount(), 0);
  for (int unknown : {0, 5, -1}) spawnEffect(0, 0, 0, unknown);
  EXPECT_EQ(liveCount(), 0) << "unknown kinds are ignored";
}

namespace {

// Frames until entry `index` is free again, at a steady frame rate.
int framesToLive(int index, float fps) {
  int frames = 0;
  while (particlePool.entries[index].kind != FreeParticle && frames < 100000) {
    ageParticles(fps);
    ++frames;
  }
  return frames;
}

}  // namespace

TEST(ParticleAgeing, APuffLivesAboutOneSecondAtAnyFrameRate) {
  for (float fps : {30.0f, 120.0f}) {
    clearParticles();
    spawnEffect(5, 1, 5, SmokePuff);
    ageParticles(fps);
    EXPECT_FLOAT_EQ(particlePool.entries[0].age, 0.5f) << "a new puff shows at half size, not at nothing";
    const float seconds = (framesToLive(0, fps) + 1) / fps;
    EXPECT_GT(seconds, 0.95f) << fps;
    EXPECT_LT(seconds, 1.1f) << fps;
  }
  clearParticles();
}
