// The generated data as the game needs it: every picture decodes at power-of-two sides and every
// one drawn as a sprite carries alpha; every sound effect and music track loads through the
// game's sound layer (rendered offline, no device) and is heard when played. (That every file
// the game asks for exists, the bad-data run shows: a run on the untouched tree reports nothing
// missing.)
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/sound_layer.h"

namespace fs = std::filesystem;

namespace {

// Renders a fifth of a second `times` times after starting `channel`; true when it was heard.
bool heard(int channel, int times) {
  EXPECT_GE(channel, 0);
  soundSetVolume(channel, 250);
  std::vector<float> frames(2 * 8820);
  for (int i = 0; i < times; ++i) {
    soundUpdate();
    soundRender(frames.data(), 8820);
  }
  double sum = 0;
  for (float s : frames) sum += double(s) * s;
  return std::sqrt(sum / double(frames.size())) > 0.005;
}

TEST(ContentAudio, TheSoundLayerLoadsAndPlaysEveryGeneratedFile) {
  ASSERT_TRUE(soundInitLoopback(44100, 16));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(QUILLMOOR_BINARY_DIR "/data/sounds")) {
    SCOPED_TRACE(entry.path().string());
    SoundSample* sample = soundSampleLoad(entry.path().c_str());
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(heard(soundPlaySample(sample), 1)) << "silent when played";
    soundSampleFree(sample);
    ++files;
  }
  for (const auto& entry : fs::directory_iterator(QUILLMOOR_BINARY_DIR "/data/music")) {
    SCOPED_TRACE(entry.path().string());
    SoundStream* stream = soundStreamOpen(entry.path().c_str());
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(heard(soundStreamPlay(stream), 3)) << "the track is silent";
    soundStreamClose(stream);
    ++files;
  }
  EXPECT_GE(files, 20);
  soundClose();
}

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

}  // namespace
