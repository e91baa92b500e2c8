// The fixed resource sets loading from a small data tree of plain images: a missing file does not
// stop the set, and a second run decodes nothing new until the textures are released.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <string>

#include "render/resource_sets.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_images.h"

namespace {

TEST(ResourceSets, GlyphSetGoesOnPastAMissingLetterAndIsDecodedAgainOnlyAfterARelease) {
  if (!openGlTestWindow()) GTEST_SKIP() << "no GL window";
  releaseAllTextures();
  Sprites = {};
  ScratchDir tree;
  std::filesystem::create_directories(tree.path("data/lettre"));
  // Each letter gets its own width, so that a slot tells which file it came from.
  for (char c = 'a'; c <= 'z'; ++c)
    if (c != 'k') writeSolidImage(tree.path(std::string("data/lettre/") + c + ".tga"), 2 + (c - 'a'), 6, {200, 100, 50});
  ScopedWorkingDirectory inTree(tree.root());
  testing::internal::CaptureStdout();
  loadGlyphSet();
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_NE(printed.find("texture not found: ./data/lettre/k.tga"), std::string::npos);
  EXPECT_EQ(Sprites[110].loadedFrames, 0);
  EXPECT_EQ(Sprites[111].loadedFrames, 1) << "the set went on past the missing letter";
  EXPECT_EQ(Sprites[125].frames[0].width, 27);

  const int registered = textureRegistry.count;
  const unsigned letterA = Sprites[100].frames[0].glName;
  testing::internal::CaptureStdout();
  loadGlyphSet();
  EXPECT_EQ(textureRegistry.count, registered);
  EXPECT_EQ(Sprites[100].frames[0].glName, letterA);

  releaseAllTextures();
  loadGlyphSet();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(textureRegistry.count, registered);
  EXPECT_EQ(Sprites[100].sequence, 1) << "numbering starts again after the release";
  EXPECT_EQ(glIsTexture(Sprites[100].frames[0].glName), GL_TRUE);
  releaseAllTextures();
}

}  // namespace
