// Models drawn through a real GL context: what the display lists put on screen and the texture
// orientation of model coordinates.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "render/model_loader.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/model_files.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_images.h"

namespace {

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

  ScratchDir tree_;
};

// The colour at a point of the window given in model units.
Pixel pixelAt(float x, float y) {
  Pixel pixel;
  glReadPixels(static_cast<GLint>(x * kGlTestWindowSize), static_cast<GLint>(y * kGlTestWindowSize),
               1, 1, GL_RGB, GL_UNSIGNED_BYTE, &pixel);
  return pixel;
}

void expectPixel(float x, float y, const Pixel& want) {
  const Pixel got = pixelAt(x, y);
  EXPECT_NEAR(got.r, want.r, 2) << "at " << x << "," << y;
  EXPECT_NEAR(got.g, want.g, 2) << "at " << x << "," << y;
  EXPECT_NEAR(got.b, want.b, 2) << "at " << x << "," << y;
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
  drawModel(kModelSlots);  // no such slot: nothing
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

}  // namespace
