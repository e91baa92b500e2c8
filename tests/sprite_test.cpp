// Sprites: the three quads each anchor gives, and the load numbering.
#include <gtest/gtest.h>

#include "render/sprite.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/temp_data_tree.h"
#include "tests/support/test_images.h"

namespace {

void expectQuad(const SpriteQuad& quad, float left, float top, float right, float bottom) {
  const SpriteQuad want{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
  for (int corner = 0; corner < 4; ++corner) {
    EXPECT_FLOAT_EQ(quad[corner][0], want[corner][0]) << "corner " << corner;
    EXPECT_FLOAT_EQ(quad[corner][1], want[corner][1]) << "corner " << corner;
  }
}

Sprite spriteOfSize(int width, int height) {
  Sprite sprite;
  sprite.frames[0].width = width;
  sprite.frames[0].height = height;
  return sprite;
}

TEST(SpriteAnchorTest, EachAnchorPlacesItsQuadsAndTheLargeOneIsFourTimesTheSize) {
  Sprite sprite = spriteOfSize(64, 32);
  ASSERT_TRUE(setSpriteAnchor(sprite, Centre));
  expectQuad(sprite.quad, -32, -16, 32, 16);
  expectQuad(sprite.smallQuad, -16, -8, 16, 8);
  expectQuad(sprite.largeQuad, -128, -64, 128, 64);

  // The other anchors move only the own-size quad; an unknown one changes nothing.
  ASSERT_TRUE(setSpriteAnchor(sprite, Corner));
  expectQuad(sprite.quad, 0, 0, 64, 32);
  expectQuad(sprite.largeQuad, -128, -64, 128, 64);
  ASSERT_TRUE(setSpriteAnchor(sprite, BottomCentre));
  expectQuad(sprite.quad, -32, 0, 32, 32);
  EXPECT_FALSE(setSpriteAnchor(sprite, 3));
  expectQuad(sprite.quad, -32, 0, 32, 32);
}

TEST(SpriteLoadTest, LoadsAreNumberedFromOneAfterEachReleaseAndFailuresClearTheFrameCount) {
  ASSERT_TRUE(openGlTestWindow());
  releaseAllTextures();
  const TempDataTree tree;
  const std::string dir = tree.root().string() + "/";
  ASSERT_TRUE(writeTrueColourPng(dir + "wide.png", stripedPicture(64, 32, {{9, 9, 9, 255}}), true));

  Sprite& first = Sprites[61];
  ASSERT_TRUE(loadSprite(first, (dir + "wide.tga").c_str()));
  EXPECT_EQ(first.sequence, 1);
  EXPECT_EQ(first.loadedFrames, 1);
  EXPECT_EQ(first.frames[0].width, 64);
  ASSERT_TRUE(setSpriteAnchor(first, Centre));
  expectQuad(first.largeQuad, -128, -64, 128, 64);

  Sprite& second = Sprites[62];
  second.loadedFrames = 1;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(loadSprite(second, (dir + "missing.tga").c_str()));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(second.sequence, 2) << "a failed load still takes its number";
  EXPECT_EQ(second.loadedFrames, 0);

  releaseAllTextures();
  ASSERT_TRUE(loadSprite(second, (dir + "wide.tga").c_str()));
  EXPECT_EQ(second.sequence, 1);
  EXPECT_NE(second.frames[0].glName, 0u);
  releaseAllTextures();
}

}  // namespace
