// The generated pictures: every one decodes at power-of-two sides, and every one drawn as a
// sprite carries alpha. (That every picture the game asks for exists, the bad-data run shows:
// a run on the untouched tree reports nothing missing.)
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;

TEST(ContentImages, EveryPictureDecodesAtPowerOfTwoSidesAndSpritesCarryAlpha) {
  // Sprites go to glTexImage2D as they are: drivers of the OpenGL 1.x era refuse sides that
  // are not powers of two.
  auto powerOfTwo = [](int n) { return n > 0 && (n & (n - 1)) == 0; };
  const std::set<std::string> spriteFolders{"lettre", "menu", "perso", "interfacejeu", "particles"};
  int pictures = 0;
  for (const auto& entry : fs::recursive_directory_iterator(QUILLMOOR_BINARY_DIR "/data")) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".tga" && ext != ".png" && ext != ".jpg") continue;
    SCOPED_TRACE(entry.path().string());
    SDL_Surface* s = IMG_Load(entry.path().c_str());
    ASSERT_NE(s, nullptr) << "undecodable";
    EXPECT_TRUE(powerOfTwo(s->w) && powerOfTwo(s->h)) << s->w << " x " << s->h;
    const bool sprite = spriteFolders.count(entry.path().parent_path().filename().string()) > 0 ||
                        entry.path().filename() == "sea-effect.tga";
    if (sprite) EXPECT_EQ(s->format->BytesPerPixel, 4) << "drawn with alpha but decodes without it";
    else EXPECT_GE(s->format->BytesPerPixel, 3);
    SDL_FreeSurface(s);
    ++pictures;
  }
  EXPECT_GT(pictures, 150);
}
