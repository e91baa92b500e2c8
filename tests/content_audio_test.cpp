// Every generated sound effect and music track loads through the game's sound layer (rendered
// offline, no device) and is heard when played.
#include "core/sound_layer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

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
  for (const auto& entry : std::filesystem::directory_iterator(QUILLMOOR_BINARY_DIR "/data/sounds")) {
    SCOPED_TRACE(entry.path().string());
    SoundSample* sample = soundSampleLoad(entry.path().c_str());
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(heard(soundPlaySample(sample), 1)) << "silent when played";
    soundSampleFree(sample);
    ++files;
  }
  for (const auto& entry : std::filesystem::directory_iterator(QUILLMOOR_BINARY_DIR "/data/music")) {
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

}  // namespace
