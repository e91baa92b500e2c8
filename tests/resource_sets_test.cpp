// The fixed resource sets loading from a small data tree of plain images: which file lands in
// which slot with which anchor, what a second run costs, and the random menu picks.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <set>
#include <string>

#include "core/gl_state.h"
#include "play/play_state.h"
#include "render/camera.h"
#include "render/resource_sets.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/temp_data_tree.h"
#include "tests/support/test_images.h"

namespace {

// The sign images of the glyph set with the slot each must land in, and whether it hangs
// from its top-left corner.
struct SignFile {
  int slot;
  const char* name;
  bool corner;
};
const SignFile kSignFiles[] = {
    {136, "moin", false},   {137, "plus", false},   {138, "infer", false},  {139, "super", false},
    {140, "egal", false},   {143, "excla", false},  {145, "poin", false},   {146, "eacc", false},
    {147, "button", true},  {148, "volumeA", false}, {149, "volumeB", false}, {150, "gau", false},
    {151, "droi", false},   {152, "etoile", false}, {153, "ball", false},   {154, "bar", true},
    {155, "key", false},    {156, "tot", false},    {157, "lin", true},
};

class ResourceSetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!openGlTestWindow()) GTEST_SKIP() << "no GL window";
    releaseAllTextures();
    Sprites = {};
    GameTextures = {};
  }
  void TearDown() override { releaseAllTextures(); }

  // Each image gets its own width so that a slot tells which file it came from.
  void image(const std::string& relative, int width, int height = 6) {
    std::filesystem::create_directories(tree.root() / std::filesystem::path(relative).parent_path());
    writeSolidImage(tree.path(relative), width, height, {200, 100, 50});
  }
  void writeGlyphFiles() {
    for (char c = 'a'; c <= 'z'; ++c) image(std::string("data/lettre/") + c + ".tga", 2 + (c - 'a'));
    for (char c = '0'; c <= '9'; ++c) image(std::string("data/lettre/") + c + ".tga", 40 + (c - '0'));
    for (const SignFile& sign : kSignFiles) image(std::string("data/lettre/") + sign.name + ".tga", sign.slot - 80);
  }
  TempDataTree tree;
};

TEST_F(ResourceSetsTest, GlyphSetPutsEveryImageInItsSlotWithItsAnchor) {
  writeGlyphFiles();
  ScopedWorkingDirectory inTree(tree.root());
  loadGlyphSet();
  for (int slot = 100; slot <= 125; ++slot) EXPECT_EQ(Sprites[slot].frames[0].width, 2 + slot - 100);
  for (int slot = 126; slot <= 135; ++slot) EXPECT_EQ(Sprites[slot].frames[0].width, 40 + slot - 126);
  for (const SignFile& sign : kSignFiles) {
    const Sprite& sprite = Sprites[sign.slot];
    EXPECT_EQ(sprite.loadedFrames, 1) << sign.name;
    EXPECT_EQ(sprite.frames[0].width, sign.slot - 80) << sign.name;
    float left = sign.corner ? 0.0f : -sprite.frames[0].width / 2.0f;
    EXPECT_FLOAT_EQ(sprite.quad[0][0], left) << sign.name;
    EXPECT_FLOAT_EQ(sprite.quad[0][1], sign.corner ? 0.0f : -3.0f) << sign.name;
  }
  for (int empty : {141, 142, 144}) {
    EXPECT_EQ(Sprites[empty].loadedFrames, 0);
    EXPECT_EQ(Sprites[empty].frames[0].glName, 0u);
  }
}

TEST_F(ResourceSetsTest, GlyphsAreDecodedAgainOnlyAfterARelease) {
  writeGlyphFiles();
  std::filesystem::remove(tree.path("data/lettre/k.tga"));
  ScopedWorkingDirectory inTree(tree.root());
  testing::internal::CaptureStdout();
  loadGlyphSet();
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_NE(printed.find("texture not found: ./data/lettre/k.tga"), std::string::npos);
  EXPECT_EQ(Sprites[110].loadedFrames, 0);  // the set went on past the missing letter
  EXPECT_EQ(Sprites[111].loadedFrames, 1);

  int registered = textureRegistry.count;
  unsigned letterA = Sprites[100].frames[0].glName;
  loadGlyphSet();
  EXPECT_EQ(textureRegistry.count, registered);
  EXPECT_EQ(Sprites[100].frames[0].glName, letterA);

  releaseAllTextures();
  loadGlyphSet();
  EXPECT_EQ(textureRegistry.count, registered);
  EXPECT_EQ(Sprites[100].sequence, 1);  // numbering starts again after the release
  EXPECT_EQ(glIsTexture(Sprites[100].frames[0].glName), GL_TRUE);
}

TEST_F(ResourceSetsTest, MenuSetPicksOneOfThreePicturesAndNeverTheLastHole) {
  for (int r = 1; r <= 3; ++r) image("data/menu/groupe" + std::to_string(r) + ".tga", 10 * r);
  for (int i = 1; i <= 15; ++i) image("data/perso/" + std::to_string(i) + ".tga", 60 + i);
  image("data/menu/logo.tga", 5);
  ScopedWorkingDirectory inTree(tree.root());
  std::srand(7);
  std::set<int> pictures, holes;
  testing::internal::CaptureStdout();
  // Each run bakes the title hole's shadows: thirty runs are plenty to see every picture and
  // most of the seventeen holes.
  for (int run = 0; run < 30; ++run) {
    loadMenuSet();
    pictures.insert(Sprites[63].frames[0].width);
    holes.insert(holeNumber);
  }
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(pictures, (std::set<int>{10, 20, 30}));
  EXPECT_GE(*holes.begin(), 1);
  EXPECT_LE(*holes.rbegin(), 17);
  EXPECT_GT(holes.size(), 10u);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(Sprites[40 + i].frames[0].width, 61 + i);
  EXPECT_EQ(Sprites[61].loadedFrames, 1);
}

TEST_F(ResourceSetsTest, GameSetRunTwiceDecodesNothingNew) {
  for (int i = 1; i <= 4; ++i) image("data/interfacejeu/view" + std::to_string(i) + ".tga", i);
  for (int i = 1; i <= 13; ++i) image("data/interfacejeu/" + std::to_string(i) + ".tga", 10 + i);
  image("data/menu/poli.tga", 30);
  std::filesystem::create_directories(tree.path("data/menu"));
  ASSERT_TRUE(writeTrueColourPng(tree.path("data/menu/bargame.png"),
                                 stripedPicture(31, 4, {{1, 2, 3, 255}}), false));
  image("data/particles/fumee.tga", 32);
  ScopedWorkingDirectory inTree(tree.root());
  camera.eye = {1, 2, 3};
  testing::internal::CaptureStdout();
  loadGameSet();
  testing::internal::GetCapturedStdout();
  EXPECT_FLOAT_EQ(camera.eye.x, 5.0f);
  EXPECT_FLOAT_EQ(camera.eye.y, 4.0f);
  EXPECT_FLOAT_EQ(camera.target.y, 1.0f);
  EXPECT_FLOAT_EQ(lightColours[2][0], 0.4f);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Sprites[8 + i].frames[0].width, i + 1);
    EXPECT_FLOAT_EQ(Sprites[8 + i].quad[0][0], 0.0f);  // view icons hang from their corner
  }
  for (int i = 0; i < 13; ++i) EXPECT_EQ(Sprites[12 + i].frames[0].width, 11 + i);
  EXPECT_EQ(GameTextures[OverlayTexture].width, 30);
  EXPECT_EQ(GameTextures[DisplayBarTexture].width, 31);
  EXPECT_EQ(GameTextures[SmokeTexture].width, 32);

  int registered = textureRegistry.count;
  unsigned gauge = Sprites[19].frames[0].glName;
  testing::internal::CaptureStdout();
  loadGameSet();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(textureRegistry.count, registered);
  EXPECT_EQ(Sprites[19].frames[0].glName, gauge);
}

}  // namespace
