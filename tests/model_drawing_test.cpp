// Models drawn through a real GL context: what the display lists put on screen, the texture
// orientation of model coordinates, each material kind's state and the lists' lifetime.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "render/model_loader.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/model_files.h"
#include "tests/support/temp_data_tree.h"
#include "tests/support/test_images.h"

namespace {

using Pixel = std::array<unsigned char, 3>;

const Pixel kBlack{0, 0, 0};
const Pixel kWhite{255, 255, 255};

class ModelDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openGlTestWindow());
    releaseAllTextures();
    clearModelPools();
    shineTexture = TextureRecord{};
    // Model units 0..1 fill the window; nothing but the model decides a pixel's colour.
    glViewport(0, 0, kGlTestWindowSize, kGlTestWindowSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_COLOR_MATERIAL);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
  }
  void TearDown() override {
    clearModelPools();
    releaseAllTextures();
  }

  // Writes a model below the scratch directory and loads it with lists (working directory
  // is the scratch directory, where "./data/textures" lives).
  bool load(int slot, const std::string& name, const std::string& text) {
    tree_.write(name, text);
    ScopedWorkingDirectory inside(tree_.root());
    return loadModel(slot, name.c_str(), 1);
  }

  TempDataTree tree_;
};

// The colour at a point of the window given in model units.
Pixel pixelAt(float x, float y) {
  Pixel pixel{};
  glReadPixels(static_cast<GLint>(x * kGlTestWindowSize), static_cast<GLint>(y * kGlTestWindowSize),
               1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel.data());
  return pixel;
}

void expectPixel(float x, float y, const Pixel& want) {
  const Pixel got = pixelAt(x, y);
  for (int c = 0; c < 3; ++c) {
    EXPECT_NEAR(got[c], want[c], 2) << "at " << x << "," << y << " channel " << c;
  }
}

bool enabledOnUnit(GLenum unit, GLenum what) {
  glActiveTextureARB(unit);
  const bool enabled = glIsEnabled(what);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  return enabled;
}

TEST_F(ModelDrawingTest, GroupsDrawTheirTrianglesAndQuadsButNotFacesBeforeTheFirstGroup) {
  ASSERT_TRUE(load(3, "mixed.obj",
                   "v 0 0 0\nv 50 0 0\nv 50 100 0\nv 0 100 0\n"
                   "v 60 0 0\nv 100 0 0\nv 100 40 0\nv 60 60 0\nv 100 60 0\nv 100 100 0\n"
                   "vt 0 0 0\n"
                   "f 8/1 9/1 10/1\n"
                   "g light_quad\nf 1/1 2/1 3/1 4/1\n"
                   "g light_triangle\nf 5/1 6/1 7/1\n"));
  drawModel(3);
  expectPixel(0.25f, 0.5f, kWhite);   // the quad
  expectPixel(0.9f, 0.1f, kWhite);    // the triangle
  expectPixel(0.65f, 0.35f, kBlack);  // beside the triangle
  expectPixel(0.9f, 0.9f, kBlack);    // the face outside any group
  expectPixel(0.75f, 0.8f, kBlack);
}

TEST_F(ModelDrawingTest, ModelTexturesShowUprightWithTheirTrueColours) {
  // Rows red, red, blue, blue from the top; the file's v is 1 on the quad's upper edge.
  const TestPicture picture = stripedPicture(4, 4, {{255, 0, 0, 255}, {255, 0, 0, 255},
                                                    {0, 0, 255, 255}, {0, 0, 255, 255}});
  ASSERT_TRUE(writeTga(tree_.path("data/textures/stripes.tga").c_str(), picture, 24));
  ASSERT_TRUE(load(20, "sign.obj", quadModel("board", 0, 0, 100, 100) + "usemtl stripes\n"));
  ASSERT_NE(modelPools.groups[modelPools.slots[20].firstGroup].texture.glName, 0u);
  drawModel(20);
  expectPixel(0.5f, 0.8f, {255, 0, 0});
  expectPixel(0.5f, 0.2f, {0, 0, 255});
}

TEST_F(ModelDrawingTest, MetalGroupsAddTheShineOnTheSecondUnitAndCleanUpAfterwards) {
  ASSERT_TRUE(writeTga(tree_.path("data/sky/shine.tga"), stripedPicture(4, 4, {{0, 200, 0, 255}}), 24));
  {
    ScopedWorkingDirectory inside(tree_.root());
    ASSERT_TRUE(loadTexture(shineTexture, "./data/sky/shine.tex", RepeatLinear));
  }
  ASSERT_TRUE(load(5, "rail.obj", quadModel("metal_rail", 0, 0, 50, 100)));
  ASSERT_TRUE(load(6, "post.obj", quadModel("post", 50, 0, 100, 100)));
  ASSERT_TRUE(load(7, "pane.obj", quadModel("glass_pane", 0, 0, 100, 50)));
  glColor4f(0.2f, 0.2f, 0.2f, 1);
  drawModel(5);
  drawModel(6);
  expectPixel(0.25f, 0.75f, {51, 251, 51});  // grey plus the green shine
  expectPixel(0.75f, 0.75f, {51, 51, 51});   // plain: grey only
  EXPECT_FALSE(enabledOnUnit(GL_TEXTURE1_ARB, GL_TEXTURE_2D));
  EXPECT_FALSE(enabledOnUnit(GL_TEXTURE1_ARB, GL_TEXTURE_GEN_S));
  EXPECT_FALSE(enabledOnUnit(GL_TEXTURE1_ARB, GL_TEXTURE_GEN_T));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

  // Glass uses a record the game never fills: no map, plain grey.
  glClear(GL_COLOR_BUFFER_BIT);
  drawModel(7);
  expectPixel(0.5f, 0.25f, {51, 51, 51});

  // A behaviour-10 object is turned into metal after loading.
  setModelMaterial(6, MetalMaterial);
  drawModel(6);
  expectPixel(0.75f, 0.75f, {51, 251, 51});
}

TEST_F(ModelDrawingTest, ShineGroupsSendTheirCoordinatesToTheSecondUnitToo) {
  // Unit 1 carries a picture white above and black below; only a shine group's own
  // coordinates make its two halves differ.
  const TestPicture halves = stripedPicture(4, 4, {{255, 255, 255, 255}, {255, 255, 255, 255},
                                                   {0, 0, 0, 255}, {0, 0, 0, 255}});
  ASSERT_TRUE(writeTga(tree_.path("data/detail/halves.tga"), halves, 24));
  TextureRecord detail;
  {
    ScopedWorkingDirectory inside(tree_.root());
    ASSERT_TRUE(loadTexture(detail, "./data/detail/halves.tga", RepeatMipmapped));
  }
  ASSERT_TRUE(load(10, "bumpy.obj", quadModel("bump_panel", 0, 0, 100, 100)));
  ASSERT_TRUE(load(11, "flat.obj", quadModel("panel", 0, 0, 100, 100)));
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, detail.glName);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  drawModel(10);
  expectPixel(0.5f, 0.8f, kWhite);
  expectPixel(0.5f, 0.2f, kBlack);
  glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0.1f, 0.1f);
  drawModel(11);
  EXPECT_EQ(pixelAt(0.5f, 0.8f), pixelAt(0.5f, 0.2f)) << "a plain group leaves unit 1 alone";
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_2D);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

TEST_F(ModelDrawingTest, LightGroupsAreWhiteAndUnlitAndDarkGroupsRelightWithADarkMaterial) {
  ASSERT_TRUE(load(8, "lamp.obj", quadModel("light_lamp", 0, 0, 100, 100)));
  ASSERT_TRUE(load(9, "stone.obj", quadModel("dark_stone", 0, 0, 100, 100)));
  glEnable(GL_LIGHTING);
  glColor4f(0.3f, 0.1f, 0.1f, 1);
  drawModel(8);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  std::array<GLfloat, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_EQ(colour, (std::array<GLfloat, 4>{1, 1, 1, 1}));
  expectPixel(0.5f, 0.5f, kWhite);

  drawModel(9);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_NEAR(colour[0], 0.6f, 1e-6f);
  std::array<GLfloat, 4> diffuse{};
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
  EXPECT_EQ(diffuse, (std::array<GLfloat, 4>{0.1f, 1, 1, 1}));
  std::array<GLfloat, 4> ambient{};
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient.data());
  EXPECT_EQ(ambient, (std::array<GLfloat, 4>{0, 0, 0, 1}));
  glDisable(GL_LIGHTING);
}

TEST_F(ModelDrawingTest, ReleasedOrMissingModelsDeleteTheirListsAndDrawNothing) {
  ASSERT_TRUE(load(12, "pair.obj", quadModel("one", 0, 0, 100, 100) + "g two\nf 1/1 3/3 4/4\n"));
  const ModelSlot& slot = modelPools.slots[12];
  ASSERT_EQ(slot.groupCount, 2);
  const GLuint first = modelPools.groups[slot.firstGroup].displayList;
  const GLuint second = modelPools.groups[slot.firstGroup + 1].displayList;
  EXPECT_TRUE(glIsList(first));
  EXPECT_TRUE(glIsList(second));
  EXPECT_NE(first, second);

  testing::internal::CaptureStdout();
  const bool loaded = loadModel(12, tree_.path("none.obj").c_str(), 1);
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(loaded);
  EXPECT_FALSE(glIsList(first));
  EXPECT_FALSE(glIsList(second));
  drawModel(12);
  drawModel(kModelSlots);
  expectPixel(0.5f, 0.5f, kBlack);
}

}  // namespace
