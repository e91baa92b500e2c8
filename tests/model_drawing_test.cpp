// A model drawn through a real GL context: what its display list puts on screen.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "render/model_loader.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/model_files.h"
#include "tests/support/scratch_dir.h"

namespace {

// Whether the pixel at a point of the window given in model units is lit.
bool litAt(float x, float y) {
  Pixel pixel;
  glReadPixels(static_cast<GLint>(x * kGlTestWindowSize), static_cast<GLint>(y * kGlTestWindowSize), 1, 1,
               GL_RGB, GL_UNSIGNED_BYTE, &pixel);
  return pixel.r + pixel.g + pixel.b > 700;
}

TEST(ModelDrawing, GroupsDrawTheirTrianglesAndQuadsButNotFacesBeforeTheFirstGroup) {
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
  for (GLenum off : {GL_LIGHTING, GL_DEPTH_TEST, GL_BLEND, GL_COLOR_MATERIAL}) glDisable(off);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);
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

}  // namespace
