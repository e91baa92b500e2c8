// Every generated sound effect and music track loads through the game's sound layer and is
// heard when played.
#include "core/sound_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

const char* const kEffects[] = {
    "fuit.wav",  "tir.wav",       "tir2.wav", "rebound.wav",        "transit.wav", "air.wav",   "star.wav",
    "water.wav", "inthetrou.wav", "boom.wav", "inthetrouloose.wav", "trou.wav",    "bumper.wav"};

const char* const kTracks[] = {"title", "score", "world1", "world2", "world3", "world4", "world5"};

double rms(const std::vector<float>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < s.size(); ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / std::max<size_t>(1, count));
}

}  // namespace

// Heard through the game's own sound layer (rendered offline, no device).
TEST(ContentAudio, TheSoundLayerLoadsAndPlaysEveryGeneratedFile) {
  ASSERT_TRUE(soundInitLoopback(44100, 16));
  std::vector<float> frames(2 * 4410);
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    SoundSample* sample = soundSampleLoad((kData + "sounds/" + name).c_str());
    ASSERT_NE(sample, nullptr);
    const int channel = soundPlaySample(sample);
    ASSERT_GE(channel, 0);
    soundSetFrequency(channel, 40000);
    soundSetVolume(channel, 250);
    soundSetPan(channel, 128);
    soundUpdate();
    soundRender(frames.data(), 4410);
    EXPECT_GT(rms(frames, 0, frames.size()), 0.005) << "silent when played";
    soundSampleFree(sample);
  }
  for (const char* name : kTracks) {
    SCOPED_TRACE(name);
    SoundStream* stream = soundStreamOpen((kData + "music/" + name + ".ogg").c_str());
    ASSERT_NE(stream, nullptr);
    const int channel = soundStreamPlay(stream);
    ASSERT_GE(channel, 0);
    soundSetVolume(channel, 250);
    for (int i = 0; i < 5; ++i) {
      soundUpdate();
      soundRender(frames.data(), 4410);
    }
    EXPECT_GT(rms(frames, 0, frames.size()), 0.005) << "the track is silent";
    soundStreamClose(stream);
  }
  soundClose();
}
