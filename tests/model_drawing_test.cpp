// A model drawn through a real GL context: what its display list puts on screen.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "render/model_loader.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/model_files.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_images.h"

namespace {

// Whether the pixel at a point of the window given in model units is lit.
bool litAt(float x, float y) {
  Pixel pixel;
  glReadPixels(static_cast<GLint>(x * kGlTestWindowSize), static_cast<GLint>(y * kGlTestWindowSize), 1, 1,
               GL_RGB, GL_UNSIGNED_BYTE, &pixel);
  return pixel.r + pixel.g + pixel.b > 700;
}

// Empty pools and a black window where model units 0..1 fill the window.
void startWindow() {
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
  for (GLenum off : {GL_LIGHTING, GL_DEPTH_TEST, GL_BLEND, GL_COLOR_MATERIAL}) glDisable(off);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);
}

TEST(ModelDrawing, GroupsDrawTheirTrianglesAndQuadsButNotFacesBeforeTheFirstGroup) {
  ASSERT_TRUE(openGlTestWindow());
  startWindow();
  const ScratchDir tree;
  tree.write("mixed.obj",
             "v 0 0 0\nv 50 0 0\nv 50 100 0\nv 0 100 0\n"
             "v 60 0 0\nv 100 0 0\nv 100 40 0\nv 60 60 0\nv 100 60 0\nv 100 100 0\n"
             "vt 0 0 0\n"
             "f 8/1 9/1 10/1\n"
             "g light_quad\nf 1/1 2/1 3/1 4/1\n"
             "g light_triangle\nf 5/1 6/1 7/1\n");
  {
    const ScopedWorkingDirectory inside(tree.root());  // where "./data/textures" would be
    ASSERT_TRUE(loadModel(3, "mixed.obj", 1));
  }
  drawModel(3);
  drawModel(kModelSlots);  // no such slot: nothing
  EXPECT_TRUE(litAt(0.25f, 0.5f)) << "the quad";
  EXPECT_TRUE(litAt(0.9f, 0.1f)) << "the triangle";
  EXPECT_FALSE(litAt(0.65f, 0.35f)) << "beside the triangle";
  EXPECT_FALSE(litAt(0.9f, 0.9f)) << "the face outside any group";
  EXPECT_FALSE(litAt(0.75f, 0.8f));
  clearModelPools();
  releaseAllTextures();
}

// Back faces of closed, outward-wound groups may be left out; any other group keeps them.
TEST(ModelDrawing, OnlyClosedOutwardGroupsLoseTheirBackFacesAndBoxesKnowTheirHeights) {
  ASSERT_TRUE(openGlTestWindow());
  startWindow();
  const ScratchDir tree;
  const std::string cube =
      "v -100 -100 -100\nv 100 -100 -100\nv 100 100 -100\nv -100 100 -100\nv -100 -100 100\n"
      "v 100 -100 100\nv 100 100 100\nv -100 100 100\nvt 0 0 0\ng box\nusemtl white\n"
      "f 5/1 6/1 7/1 8/1\nf 2/1 1/1 4/1 3/1\nf 6/1 2/1 3/1 7/1\nf 1/1 5/1 8/1 4/1\nf 8/1 7/1 3/1 4/1\n";
  tree.write("cube.obj", cube + "f 1/1 2/1 6/1 5/1\n");
  tree.write("open.obj", cube);
  tree.write("spike.obj", "v -100 -100 -100\nv 100 -100 -100\nv 0 -100 100\nv 0 100 0\nvt 0 0 0\ng spike\n"
                          "usemtl white\nf 1/1 2/1 3/1\nf 1/1 4/1 2/1\nf 2/1 4/1 3/1\nf 3/1 4/1 1/1\n");
  tree.write("back.obj", "v 100 0 0\nv 0 0 0\nv 0 100 0\nv 100 100 0\nvt 0 0 0\ng board\nusemtl white\nf 1/1 2/1 3/1 4/1\n");
  ASSERT_TRUE(writeTga(tree.path("data/textures/white.tga"), stripedPicture(2, 2, {{255, 255, 255, 255}}), 24));
  {
    const ScopedWorkingDirectory inside(tree.root());
    ASSERT_TRUE(loadModel(1, "cube.obj", 1));
    ASSERT_TRUE(loadModel(2, "open.obj", 1));
    ASSERT_TRUE(loadModel(3, "cube.obj", -1));  // mirrored: wound inwards
    ASSERT_TRUE(loadModel(4, "back.obj", 1));
    ASSERT_TRUE(loadModel(5, "cube.obj", 0.4f));  // narrower than a cell
    ASSERT_TRUE(loadModel(6, "spike.obj", 1));
  }
  for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(modelPools.groups[modelPools.slots[slot].firstGroup].closed, slot == 1) << slot;
  float bottom = 0.0f, top = 0.0f;
  ASSERT_TRUE(modelBoxHeights(1, bottom, top)) << "a textured box wider than a cell";
  EXPECT_FLOAT_EQ(bottom, -1.0f);
  EXPECT_FLOAT_EQ(top, 1.0f);
  EXPECT_FALSE(modelBoxHeights(2, bottom, top)) << "open";
  EXPECT_FALSE(modelBoxHeights(5, bottom, top)) << "narrower than a cell";
  EXPECT_TRUE(modelPools.groups[modelPools.slots[6].firstGroup].closed);
  EXPECT_FALSE(modelBoxHeights(6, bottom, top)) << "closed but no box";

  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  cullClosedGroups = true;
  glTranslatef(5, 5, 0);  // out of the window: only its state is left
  drawModel(1);
  glLoadIdentity();
  drawModel(4);  // seen from behind, opaque, and open
  cullClosedGroups = false;
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(litAt(0.5f, 0.5f));
  clearModelPools();
  releaseAllTextures();
}

}  // namespace
