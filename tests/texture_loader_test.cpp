// Texture loading against a real GL context: the registry, the choice of file, the four
// texture modes and the colours that reach the GPU whatever the image file's pixel format.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render/image_decoding.h"
#include "render/texture_loader.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/test_images.h"

namespace {

const Pixel kRed{255, 0, 0, 255};
const Pixel kGreen{0, 255, 0, 255};
const Pixel kBlue{0, 0, 255, 255};
const Pixel kWhite{255, 255, 255, 255};
const Pixel kClearYellow{255, 255, 0, 64};

class TextureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openGlTestWindow());
    releaseAllTextures();
    dir_ = tree_.root().string() + "/";
  }
  void TearDown() override { releaseAllTextures(); }
  std::string path(const std::string& name) const { return dir_ + name; }

  // Writes a plain picture of the given size as a true-colour PNG.
  void writePng(const std::string& name, int width, int height) {
    ASSERT_TRUE(writeTrueColourPng(path(name), stripedPicture(width, height, {kRed, kBlue}), false));
  }

  ScratchDir tree_;
  std::string dir_;
};

// Every texel of the texture's level 0 against the picture it came from, exactly; alpha only
// where the texture keeps it.
void expectSameColours(const TextureRecord& record, const TestPicture& picture, bool withAlpha) {
  ASSERT_EQ(record.width, picture.width);
  ASSERT_EQ(record.height, picture.height);
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, record.glName);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  ASSERT_EQ(width, picture.width);
  ASSERT_EQ(height, picture.height);
  std::vector<Pixel> texels(static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Pixel got = texels[static_cast<size_t>(y) * width + x];
      if (!withAlpha) got.a = picture.at(x, y).a;
      ASSERT_EQ(got, picture.at(x, y)) << "texel " << x << "," << y << " is " << int(got.r) << " "
                                       << int(got.g) << " " << int(got.b) << " " << int(got.a);
    }
}

// A path loaded once comes from memory (even with the file gone) until a release deletes every
// name; then the file is decoded again. Another extension for the same image is another key.
TEST_F(TextureLoaderTest, RegistryServesAPathFromMemoryUntilAReleaseDeletesEveryName) {
  writePng("a.png", 4, 2);
  TextureRecord first, other, again;
  ASSERT_TRUE(loadTexture(first, path("a.png").c_str(), ClampMipmapped));
  ASSERT_TRUE(loadTexture(other, path("a.tex").c_str(), ClampMipmapped));
  EXPECT_NE(other.glName, first.glName);
  EXPECT_EQ(textureRegistry.count, 2);
  std::filesystem::remove(path("a.png"));
  ASSERT_TRUE(loadTexture(again, path("a.png").c_str(), ClampMipmapped));
  EXPECT_EQ(again.glName, first.glName);
  // Drawing blends by the image's depth: a record served from memory carries it and the size.
  EXPECT_EQ(again.bitsPerPixel, 24u);
  EXPECT_EQ(again.width, 4);
  EXPECT_EQ(textureRegistry.count, 2);

  releaseAllTextures();
  EXPECT_FALSE(glIsTexture(first.glName));
  EXPECT_FALSE(glIsTexture(other.glName));
  EXPECT_EQ(textureRegistry.count, 0);
  writePng("a.png", 8, 2);
  TextureRecord fresh;
  ASSERT_TRUE(loadTexture(fresh, path("a.png").c_str(), ClampLinear));
  EXPECT_TRUE(glIsTexture(fresh.glName));
  EXPECT_EQ(fresh.width, 8) << "the file was decoded again";
}

// A header declaring more than 4096 pixels on a side is refused before decoding, whatever the
// kind of file; the largest allowed side still loads.
TEST_F(TextureLoaderTest, PicturesOverTheSizeLimitAreRefusedWithOneLine) {
  const TestPicture wide = stripedPicture(4097, 1, {kRed});
  const TestPicture tall = stripedPicture(1, 4097, {kGreen, kBlue});
  ASSERT_TRUE(writeTrueColourPng(path("wide.png"), wide, false));
  ASSERT_TRUE(writeJpeg(path("tall.jpg"), tall));
  ASSERT_TRUE(writeTga(path("wide.tga"), wide, 24));
  for (const char* name : {"wide.png", "tall.jpg", "wide.tga"}) {
    SCOPED_TRACE(name);
    TextureRecord record;
    record.glName = 77;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(loadTexture(record, path(name).c_str(), ClampLinear));
    const std::string said = testing::internal::GetCapturedStdout();
    const bool isTall = name[0] == 't';
    EXPECT_EQ(said, "texture too large: " + path(name) + (isTall ? " (1 x 4097)\n" : " (4097 x 1)\n"));
    EXPECT_EQ(record.glName, 77u);
  }
  EXPECT_EQ(textureRegistry.count, 0);

  ASSERT_TRUE(writeTga(path("limit.tga"), stripedPicture(kMaxImageSide, 2, {kRed, kBlue}), 24));
  TextureRecord record;
  ASSERT_TRUE(loadTexture(record, path("limit.tga").c_str(), ClampLinear));
  EXPECT_EQ(record.width, kMaxImageSide);
}

// Three pixels wide for the linear modes, so that RGB rows need padding to four bytes;
// four wide for the mipmapped ones, which rescale other sizes to powers of two.
TEST_F(TextureLoaderTest, EveryPixelFormatReachesTheTextureWithItsTrueColoursTopRowFirst) {
  for (int width : {3, 4}) {
    releaseAllTextures();
    const int mode = width == 3 ? ClampLinear : ClampMipmapped;
    const TestPicture opaque = stripedPicture(width, 4, {kRed, kGreen, kBlue, kWhite});
    const TestPicture clear = stripedPicture(width, 4, {kClearYellow, kRed, kGreen, kBlue});
    ASSERT_TRUE(writeTga(path("sixteen.tga"), opaque, 16));
    ASSERT_TRUE(writeTga(path("twentyfour.tga"), opaque, 24));
    ASSERT_TRUE(writeTga(path("thirtytwo.tga"), clear, 32));
    ASSERT_TRUE(writeTrueColourPng(path("alpha.png"), clear, true));
    struct Case {
      const char* file;
      const TestPicture& picture;
      bool alpha;
    };
    const Case cases[] = {
        {"sixteen.tga", opaque, false}, {"twentyfour.tga", opaque, false},
        {"thirtytwo.tga", clear, true}, {"alpha.png", clear, true},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.file) + " mode " + std::to_string(mode));
      TextureRecord record;
      ASSERT_TRUE(loadTexture(record, path(c.file).c_str(), mode));
      EXPECT_EQ(record.bitsPerPixel > 24, c.alpha);
      expectSameColours(record, c.picture, c.alpha);
    }
  }
}

TEST_F(TextureLoaderTest, FullRegistryRefusesNewPathsWithoutWritingPastItsEnd) {
  writePng("r.png", 1, 1);
  std::array<char, 16> suffix{};
  for (int i = 1; i < kRegistryEntries; ++i) {
    // Four-character endings all name r.png but make distinct keys.
    std::snprintf(suffix.data(), suffix.size(), "%c%03d", i < 1000 ? '.' : '_', i % 1000);
    TextureRecord record;
    ASSERT_TRUE(loadTexture(record, (path("r") + suffix.data()).c_str(), ClampLinear)) << i;
  }
  EXPECT_EQ(textureRegistry.count, kRegistryEntries - 1);

  TextureRecord record;
  record.glName = 5;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(loadTexture(record, path("r.new").c_str(), ClampLinear));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("registry full"), std::string::npos);
  EXPECT_EQ(record.glName, 5u);
  EXPECT_EQ(textureRegistry.count, kRegistryEntries - 1);

  // Known paths still come from the registry, and a release makes room again.
  EXPECT_TRUE(loadTexture(record, path("r.001").c_str(), ClampLinear));
  releaseAllTextures();
  EXPECT_TRUE(loadTexture(record, path("r.new").c_str(), ClampLinear));
}

}  // namespace
