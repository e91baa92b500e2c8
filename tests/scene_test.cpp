// The 3D scene drawn under Xvfb on a small island hole built in the test, checked on pixels.
// Screenshots land in the build tree (scene_*.png) for a person to look at.
#include <gtest/gtest.h>

#include <GL/glew.h>

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
#include "render/particles.h"
#include "render/scene.h"
#include "render/sea.h"
#include "render/texture_tables.h"
#include "tests/support/scene_test_hole.h"

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

  static Rgb pixelAt(float x, float y, float z) {
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

// The texels of a baked texture, read back; (x, z) in world units map to s and t at 0.04 per
// unit as the terrain draws them.
struct BakedPicture {
  int size = 0;
  std::vector<unsigned char> texels;
  Rgb at(float x, float z) const {
    const int s = static_cast<int>(x * 0.04f * size);
    const int t = static_cast<int>(z * 0.04f * size);
    const unsigned char* p = &texels[(static_cast<std::size_t>(t) * size + s) * 3];
    return Rgb{p[0], p[1], p[2]};
  }
};

BakedPicture readBaked(int slot) {
  BakedPicture picture;
  glBindTexture(GL_TEXTURE_2D, GameTextures[slot].glName);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &picture.size);
  picture.texels.resize(static_cast<std::size_t>(picture.size) * picture.size * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.texels.data());
  return picture;
}

bool isClearRed(Rgb c) { return c.r > 240 && c.g < 15 && c.b < 15; }
int brightness(Rgb c) { return c.r + c.g + c.b; }

}  // namespace

TEST_F(SceneDrawing, GroundBelowTheFadeDepthVanishesAndAboveItShows) {
  buildTestHole(-1, -1, 255);
  setVertexHeights(6, 6, 9, 9, -1.56f);    // a sunken square just too deep to show
  setVertexHeights(14, 6, 17, 9, -1.55f);  // and one just deep enough
  detailLevel = 0;
  lookFrom(12.5f, 30.0f, 12.6f, 12.5f, 0.0f, 12.5f);
  startView();
  drawTerrain();
  screenshot("terrain_fade");

  EXPECT_TRUE(isClearRed(pixelAt(7.5f, -1.56f, 7.5f))) << "a vertex at -1.56 is fully transparent";
  const Rgb shown = pixelAt(15.5f, -1.55f, 7.5f);
  EXPECT_FALSE(isClearRed(shown)) << "a vertex at -1.55 is opaque";
  EXPECT_GT(shown.g, shown.r + 40) << "the green floor";
  EXPECT_TRUE(isClearRed(pixelAt(2.0f, -2.5f, 12.5f))) << "the deep sea floor";
  EXPECT_FALSE(isClearRed(pixelAt(12.5f, 0.5f, 15.0f))) << "the island";
  // A cell whose one side sinks below the cut fades across: partly covered.
  const Rgb edge = pixelAt(9.9f, -1.56f, 12.0f);
  EXPECT_GT(edge.g, 0);
}

TEST_F(SceneDrawing, CellsUnderGroundHidingObjectsLeaveAHole) {
  buildTestHole(12, 12, 255);
  worldTheme.objectTypes[0].frameCount = -2;
  detailLevel = 0;
  lookFrom(12.5f, 20.0f, 8.0f, 12.5f, 0.0f, 12.5f);
  startView();
  drawTerrain();
  EXPECT_TRUE(isClearRed(pixelAt(12.5f, 0.5f, 12.5f)));
  EXPECT_FALSE(isClearRed(pixelAt(13.5f, 0.5f, 12.5f)));
}

// The depth laid before the reflection may only claim pixels that the ground drawn later
// covers opaquely, at exactly the same depth: anything else would hide what shows through.
// Opaque ground is told by drawing it over two backgrounds: where it shows through, they differ.
TEST_F(SceneDrawing, GroundDepthLaidFirstIsExactlyTheOpaqueGroundsOwn) {
  buildTestHole(12, 12, 255);
  worldTheme.objectTypes[0].frameCount = -2;  // the wall's cell leaves a hole in the ground
  setVertexHeights(15, 4, 20, 9, -1.2f);      // under water but above the fade: clipped away
  setVertexHeights(4, 15, 6, 17, -1.6f);      // a pit whose sides fade out
  worldTheme.floorCount = 1;                  // and a glassy floor that lets the sea through
  worldTheme.floorTextures[1].glName = makeSolidTexture(200, 200, 60, 128);
  worldTheme.floorTextures[1].bitsPerPixel = 32;
  for (int x = 8; x <= 10; ++x) terrainGrid.cells[x][6].texture = 1;
  detailLevel = 2;
  lookFrom(12.5f, 5.0f, 1.0f, 12.5f, 0.0f, 11.0f);
  const std::array<double, 4> aboveWater{0.0, 1.0, 0.0, 0.0};
  const auto pixelCount = static_cast<std::size_t>(kWidth) * kHeight;
  auto draw = [&](bool depthOnly, float red, std::vector<unsigned>& depth, std::vector<Rgb>& colour) {
    glClearColor(red, 0.0f, 1.0f - red, 1.0f);
    startView();
    glClipPlane(GL_CLIP_PLANE0, aboveWater.data());
    glEnable(GL_CLIP_PLANE0);
    glEnable(GL_CULL_FACE);  // as the pass above the water draws the ground
    if (depthOnly) drawOpaqueGroundDepth();
    else drawTerrain();
    glDisable(GL_CLIP_PLANE0);
    depth.resize(pixelCount);
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
    std::vector<unsigned char> rgba(pixelCount * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    colour.resize(pixelCount);
    for (std::size_t i = 0; i < pixelCount; ++i) colour[i] = {rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2]};
  };
  std::vector<unsigned> groundDepth, otherDepth, laidDepth;
  std::vector<Rgb> overRed, overBlue, laidColour;
  draw(false, 1.0f, groundDepth, overRed);
  screenshot("ground_over_red");
  draw(false, 0.0f, otherDepth, overBlue);
  draw(true, 0.0f, laidDepth, laidColour);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);

  constexpr unsigned kFar = 0xFFFFFFFFu;
  int opaque = 0, laid = 0, wrong = 0, recoloured = 0;
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const Rgb a = overRed[i], b = overBlue[i];
    const bool covered = groundDepth[i] != kFar && a.r == b.r && a.g == b.g && a.b == b.b;
    if (covered) ++opaque;
    if (laidDepth[i] == kFar) continue;
    ++laid;
    if (!covered || laidDepth[i] != groundDepth[i]) ++wrong;
    if (laidColour[i].r != 0 || laidColour[i].b != 255) ++recoloured;
  }
  EXPECT_EQ(wrong, 0) << "pixels claimed that the ground does not cover opaquely at that depth";
  EXPECT_EQ(recoloured, 0) << "the depth pass writes no colour";
  EXPECT_GT(laid, opaque * 9 / 10) << "nearly all the opaque ground is laid";
  EXPECT_GT(opaque, static_cast<int>(pixelCount) / 4) << "the view shows the island";
  EXPECT_LT(opaque, static_cast<int>(pixelCount) - 1000) << "and ground that is not opaque";
}

TEST_F(SceneDrawing, SeaFadesOutAtItsRimLeavesDepthAloneAndWavesByTheScreen) {
  buildTestHole(-1, -1, 255);
  screenState = Options;  // no surf here
  lookFrom(16.0f, 60.0f, 16.1f, 16.0f, 0.0f, 16.0f);
  startView();
  drawSea();
  screenshot("sea_rim");

  const Rgb middle = pixelAt(16.0f, -0.1f, 16.0f);
  EXPECT_GT(middle.b, 180) << "the sea colour inside";
  EXPECT_LT(middle.r, 40);
  const Rgb nearRim = pixelAt(-3.6f, -0.1f, 16.0f);
  EXPECT_GT(nearRim.r, 200) << "nearly transparent at its edge";
  const Rgb halfWay = pixelAt(0.0f, -0.1f, 16.0f);
  EXPECT_GT(halfWay.b, 80);
  EXPECT_GT(halfWay.r, 80) << "half way from the rim: half sea, half background";
  EXPECT_TRUE(isClearRed(pixelAt(-6.0f, -0.1f, 16.0f))) << "nothing beyond the rim";

  const std::array<int, 2> p = projectToWindow(16.0f, -0.1f, 16.0f);
  float depth = 0.0f;
  glReadPixels(p[0], p[1], 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_FLOAT_EQ(depth, 1.0f) << "the sea writes no depth";
  EXPECT_FLOAT_EQ(waveAmplitude, 0.2f) << "between draws on a menu screen";

  // The waves are calmer in play and behind the title, and their phase runs with time.
  for (int screen : {Playing, TitleMenu}) {
    screenState = screen;
    startView();
    drawSea();
    EXPECT_FLOAT_EQ(waveAmplitude, 0.05f) << screen;
  }
  const float phase = seaPhase;
  frameClock.fps = 10.0f;
  drawSea();
  EXPECT_NEAR(seaPhase, phase + 0.15f, 1e-4f);
  frameClock.fps = 60.0f;
}

TEST_F(SceneDrawing, SurfGlowsAlongTheShoreOnlyOnTheGameAndTitleScreens) {
  buildTestHole(-1, -1, 255);
  bakeSurfTexture();
  const BakedPicture surf = readBaked(WaveTexture);
  EXPECT_EQ(surf.size, kSurfTextureSize);
  // The glow is the land seen from above, smeared outwards: bright inland, fading over the
  // water within two units of the shore (the island's edge is at x = 4).
  auto green = [&](float x, float z) { return surf.at(x, z).g; };
  EXPECT_GT(green(12.5f, 12.5f), green(3.7f, 12.5f));
  EXPECT_GE(green(3.7f, 12.5f), green(2.5f, 12.5f));
  EXPECT_GT(green(2.5f, 12.5f), green(1.0f, 12.5f));
  EXPECT_EQ(green(0.5f, 0.5f), 0) << "nothing far out";
  EXPECT_GT(green(3.7f, 12.5f), 0);

  // On screen the island is absent (only the sea is drawn), the sea blue and the background
  // red: the surf is the green that the game and title screens add over the water.
  lookFrom(12.5f, 30.0f, 12.6f, 12.5f, 0.0f, 12.5f);
  auto seaGreen = [&](int screen) {
    screenState = screen;
    startView();
    drawSea();
    return pixelAt(3.7f, -0.09f, 12.5f).g;
  };
  const int without = seaGreen(Options);
  const int title = seaGreen(TitleMenu);
  const int game = seaGreen(Playing);
  screenshot("surf");
  EXPECT_GT(game, without + 4) << "a glow along the shore";
  EXPECT_EQ(title, game) << "the title screen shows it too";
  EXPECT_EQ(seaGreen(HighScores), without) << "other screens show the sea without surf";
}

TEST_F(SceneDrawing, HighDetailMirrorsTheLandInTheSea) {
  buildTestHole(-1, -1, 140);
  setVertexHeights(4, 4, 20, 20, 2.0f);
  bakeShadowTexture();
  bakeSurfTexture();
  lookFrom(12.5f, 1.5f, -6.0f, 12.5f, 0.5f, 6.0f);
  // The sea just below the shore line on screen, where the land's reflection falls: the
  // reflection is greenish, the plain sea over the red background is not.
  auto greenOverRed = [&]() {
    frame();
    const std::array<int, 2> shore = projectToWindow(12.5f, 0.0f, 3.56f);
    int sum = 0;
    for (int row = shore[1] - 25; row < shore[1] - 3; ++row) {
      const Rgb c = readPixel(shore[0], row);
      sum += c.g - c.r;
    }
    return sum;
  };
  detailLevel = 1;
  const int plain = greenOverRed();
  screenshot("mirror_off");
  detailLevel = 2;
  const int mirrored = greenOverRed();
  screenshot("mirror_on");
  EXPECT_LT(plain, 0);
  EXPECT_GT(mirrored, plain + 22 * 60) << "the green island shows in the water";
}

TEST_F(SceneDrawing, ShadowTextureIsWholeAndDarkAroundAWall) {
  // The window is smaller than the 512-pixel texture; the bake must still fill all of it.
  buildTestHole(6, 18, 255);
  terrainGrid.cells[20][20].object = 0;
  terrainGrid.cells[20][20].objectHeight = 0.5f;
  bakeShadowTexture();
  ASSERT_NE(GameTextures[TerrainShadowTexture].glName, 0u);
  const BakedPicture shadow = readBaked(TerrainShadowTexture);
  ASSERT_EQ(shadow.size, kShadowTextureSize);
  auto texel = [&](float x, float z) { return shadow.at(x, z); };
  const int open = brightness(texel(12.5f, 12.5f));
  EXPECT_GT(open, 3 * 240) << "white in the open";
  EXPECT_LT(brightness(texel(6.5f, 18.5f)), open - 150) << "dark under the wall";
  EXPECT_LT(brightness(texel(20.5f, 20.5f)), open - 150) << "beyond the window's size too";
  EXPECT_GT(brightness(texel(18.5f, 6.5f)), 3 * 240) << "not mirrored across the diagonal";
  // Softened sideways: just off the wall's side the shadow is paler than under it.
  const int edge = brightness(texel(5.96f, 18.5f));
  EXPECT_LT(edge, open);
  EXPECT_GT(edge, brightness(texel(6.5f, 18.5f)));
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
    return std::array<Rgb, 2>{pixelAt(12.5f, 0.5f, 12.5f), pixelAt(16.0f, 2.15f, 12.5f)};
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


TEST_F(SceneDrawing, DrawingLeavesTheMatrixStacksBalanced) {
  buildTestHole(12, 12, 255);
  for (int detail : {0, 1, 2}) {
    detailLevel = detail;
    GLint before = 0;
    GLint after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
    for (int i = 0; i < 3; ++i) frame();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(after, before) << detail;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << detail;
  }
}

TEST_F(SceneDrawing, ParticlesAtTheSameDistanceBothDrawAndLeaveCullingOffAndTexturingOn) {
  buildTestHole(-1, -1, 255);
  GameTextures[SparkleTexture].glName = makeSolidTexture(255, 0, 255, 255);
  lookFrom(12.5f, 1.5f, 8.0f, 12.5f, 1.5f, 12.5f);
  startView();
  // Left and right of the line of sight, equally far from the eye.
  spawnEffect(11.5f, 1.3f, 11.0f, Sparkle);
  spawnEffect(13.5f, 1.3f, 11.0f, Sparkle);
  ageParticles(60.0f);
  drawParticles();
  for (float x : {11.5f, 13.5f}) {
    const Rgb c = pixelAt(x, 1.45f, 11.0f);
    EXPECT_GT(c.r, 200) << x;
    EXPECT_GT(c.b, 200) << x;
    EXPECT_LT(c.g, 40) << x;
  }

  clearParticles();
  lookFrom(12.5f, 2.0f, 8.0f, 12.5f, 1.0f, 12.5f);
  startView();
  spawnEffect(12.5f, 1.0f, 11.0f, SmokePuff);
  glEnable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  drawParticles();
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "lighting is among the restored groups";
}

TEST_F(SceneDrawing, BackBufferBakeOfASmallWindowStillGivesAWholeTexture) {
  buildTestHole(-1, -1, 255);
  bakeOffScreen = false;
  bakeSurfTexture();
  bakeOffScreen = true;
  const BakedPicture surf = readBaked(WaveTexture);
  ASSERT_EQ(surf.size, kSurfTextureSize);
  // The island (4..20) in every corner of it, the sea around it, the right way round.
  for (float x : {5.0f, 19.0f}) {
    for (float z : {5.0f, 19.0f}) EXPECT_GT(surf.at(x, z).g, 20) << x << " " << z;
  }
  EXPECT_EQ(surf.at(0.5f, 0.5f).g, 0);
  EXPECT_EQ(surf.at(24.0f, 24.0f).g, 0);
  EXPECT_EQ(surf.at(24.0f, 12.0f).g, 0);
}
