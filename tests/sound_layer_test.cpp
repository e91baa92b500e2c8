// The game's sounds as a player hears them, through a loopback mixer: the sound layer's pitch,
// pan, loudness, channel use, loading failures and looping music stream, and above it the
// effect slots, the volume settings and the music track.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/sound_layer.h"
#include "tests/support/sound_files.h"

namespace {

constexpr double kToneHz = 441.0;  // the test tones; file rate 22050 Hz unless said otherwise
constexpr double kQuiet = 1e-4;    // RMS below this counts as silence

using SoundLayer = LoopbackMixerTest;
constexpr double kToneRms = 0.5 / 1.41421356;  // RMS of the test tones at full volume

// The loopback mixer with the audio settings at full and put back after each test.
class GameAudio : public LoopbackMixerTest {
 protected:
  void SetUp() override {
    LoopbackMixerTest::SetUp();
    musicVolume = soundVolume = 10;
    lastChannel = -1;
  }
  void TearDown() override {
    stopSound();
    musicVolume = savedMusic;
    soundVolume = savedSound;
  }
  int busyChannels() {
    int busy = 0;
    for (int i = 0; i < kSoundMaxChannels; ++i) busy += soundIsPlaying(i) ? 1 : 0;
    return busy;
  }
  const int savedMusic = musicVolume, savedSound = soundVolume;
};

// Starts a sample with the given settings and returns its channel.
int start(const SoundSample* sample, int frequency, int volume, int pan) {
  const int channel = soundPlaySample(sample);
  soundSetFrequency(channel, frequency);
  soundSetVolume(channel, volume);
  soundSetPan(channel, pan);
  return channel;
}

TEST_F(SoundLayer, SampleSoundsFromTheNextUpdateWithItsSettingsFromTheFirstFrame) {
  SoundSample* tone = soundSampleLoad(toneFile("tone.wav", ToneSpec{}).c_str());
  ASSERT_NE(tone, nullptr);
  EXPECT_EQ(soundSampleRate(tone), 22050);
  const int channel = start(tone, 22050, 255, 0);
  ASSERT_GE(channel, 0);
  EXPECT_TRUE(soundIsPlaying(channel));

  std::vector<float> before(2 * 512);
  soundRender(before.data(), 512);
  EXPECT_LT(channelRms(before, 0, 0, 512), kQuiet) << "started before the frame's update";

  const std::vector<float> heard = play(0.1);
  EXPECT_GT(channelRms(heard, 0, 0, 441), 0.1) << "left is silent";
  EXPECT_LT(channelRms(heard, 1, 0, 4410), kQuiet) << "the first frames were mixed before the pan";
}

TEST_F(SoundLayer, FrequencySetsThePlaybackRate) {
  SoundSample* tone = soundSampleLoad(toneFile("tone.wav", ToneSpec{22050, 1, kToneHz, 0.3}).c_str());
  ASSERT_NE(tone, nullptr);
  for (int frequency : {11025, 40000}) {
    start(tone, frequency, 255, 128);
    const std::vector<float> heard = play(0.1);
    const double expected = kToneHz * frequency / 22050.0;
    EXPECT_NEAR(toneFrequency(heard, 0, 0, 4410, kRate), expected, expected * 0.01) << frequency;
    play(0.7);  // let it end before the next one
  }
}

TEST_F(SoundLayer, PanPlacesMonoSoundsFromHardLeftToHardRightAndVolumeScalesLinearly) {
  SoundSample* tone = soundSampleLoad(toneFile("tone.wav", ToneSpec{}).c_str());
  ASSERT_NE(tone, nullptr);
  struct Level { double left, right, peak; };
  auto levelAt = [&](int pan, int volume = 255) {
    start(tone, 22050, volume, pan);
    const std::vector<float> heard = play(0.2);
    play(0.4);
    return Level{channelRms(heard, 0, 441, 4410), channelRms(heard, 1, 441, 4410), channelPeak(heard, 0, 441, 4410)};
  };
  const Level left = levelAt(0), right = levelAt(255), centre = levelAt(128);
  EXPECT_GT(left.left, 0.1);
  EXPECT_LT(left.right, left.left * 0.01) << "pan 0 leaks into the right channel";
  EXPECT_GT(right.right, 0.1);
  EXPECT_LT(right.left, right.right * 0.01) << "pan 255 leaks into the left channel";
  EXPECT_NEAR(centre.left, centre.right, centre.left * 0.02);

  ASSERT_GT(centre.peak, 0.1);
  EXPECT_NEAR(levelAt(128, 128).peak / centre.peak, 128.0 / 255.0, 0.02);
  EXPECT_LT(levelAt(128, 0).peak, kQuiet);
}

TEST_F(SoundLayer, ChannelsRunOutAndAreFreeAgainWhenTheirSoundsEnd) {
  SoundSample* blip = soundSampleLoad(toneFile("blip.wav", ToneSpec{22050, 1, kToneHz, 0.05}).c_str());
  ASSERT_NE(blip, nullptr);
  std::set<int> used;
  for (int i = 0; i < kSoundMaxChannels; ++i) used.insert(start(blip, 22050, 2, 128));
  EXPECT_EQ(used.size(), size_t(kSoundMaxChannels));
  EXPECT_EQ(used.count(-1), 0u);
  EXPECT_EQ(soundPlaySample(blip), -1);
  EXPECT_EQ(soundGetError(), SoundNoFreeChannel);
  soundSetVolume(-1, 255);  // what a caller does next with the channel it got: harmless
  play(0.2);
  EXPECT_GE(soundPlaySample(blip), 0);
}

TEST_F(SoundLayer, BadFilesGiveNullHandlesWithTheirErrors) {
  EXPECT_EQ(soundSampleLoad((dir + "/missing.wav").c_str()), nullptr);
  EXPECT_EQ(soundGetError(), SoundFileNotFound);
  std::ofstream(dir + "/text.ogg") << "this is not a sound\n";
  EXPECT_EQ(soundStreamOpen((dir + "/text.ogg").c_str()), nullptr);
  EXPECT_EQ(soundGetError(), SoundUnknownFormat);
  EXPECT_EQ(soundPlaySample(nullptr), -1);
  EXPECT_EQ(soundGetError(), SoundInvalidParameter);
  EXPECT_LT(channelPeak(play(0.1), 0, 0, 4410), kQuiet);
}

TEST_F(SoundLayer, FreedSamplesGoSilentAndTheirRoomIsReused) {
  const std::string path = toneFile("tone.wav", ToneSpec{});
  SoundSample* tone = soundSampleLoad(path.c_str());
  ASSERT_NE(tone, nullptr);
  start(tone, 22050, 255, 128);
  play(0.05);
  soundSampleFree(tone);
  EXPECT_LT(channelRms(play(0.1), 0, 0, 4410), kQuiet) << "a freed sample kept playing";

  for (int i = 0; i < 3 * kSoundMaxSamples; ++i) {
    SoundSample* again = soundSampleLoad(path.c_str());
    ASSERT_NE(again, nullptr) << "load " << i << ": " << soundErrorText(soundGetError());
    soundSampleFree(again);
  }
  std::vector<SoundSample*> kept;
  for (int i = 0; i < kSoundMaxSamples; ++i) kept.push_back(soundSampleLoad(path.c_str()));
  EXPECT_EQ(std::count(kept.begin(), kept.end(), nullptr), 0);
  EXPECT_EQ(soundSampleLoad(path.c_str()), nullptr) << "more samples than the table holds";
  EXPECT_EQ(soundGetError(), SoundOutOfMemory);
}

// Every 5 ms stretch of the rendered left channel carries sound.
void expectNoGap(const std::vector<float>& heard, const char* what) {
  constexpr size_t kWindow = 220;
  for (size_t at = 0; at + kWindow <= heard.size() / 2; at += kWindow) {
    ASSERT_GT(channelRms(heard, 0, at, kWindow), 0.05) << what << ": gap at frame " << at;
  }
}

TEST_F(SoundLayer, ShortTrackLoopsWithoutAGap) {
  SoundStream* track = soundStreamOpen(toneFile("loop.ogg", ToneSpec{44100, 1, kToneHz, 0.25}).c_str());
  ASSERT_NE(track, nullptr);
  const int channel = soundStreamPlay(track);
  ASSERT_GE(channel, 0);
  expectNoGap(play(2.0, 30.0), "looping");
  EXPECT_TRUE(soundIsPlaying(channel));
  soundStreamClose(track);
  EXPECT_FALSE(soundIsPlaying(channel));
  EXPECT_LT(channelRms(play(0.1), 0, 0, 4410), kQuiet) << "a closed track kept playing";
}

TEST_F(SoundLayer, MusicSurvivesTheSlowestFramesAndRecoversFromAStall) {
  soundSetStreamBufferSize(1000);
  SoundStream* track = soundStreamOpen(toneFile("long.ogg", ToneSpec{44100, 2, kToneHz, 3.0}).c_str());
  ASSERT_NE(track, nullptr);
  ASSERT_GE(soundStreamPlay(track), 0);
  expectNoGap(play(2.5, 15.0), "15 frames a second");

  // A stall longer than the buffer (a slow load) runs the music dry; the next frame restarts it.
  std::vector<float> stall(2 * 2 * kRate);
  soundRender(stall.data(), 2 * kRate);
  EXPECT_LT(channelRms(stall, 0, kRate + kRate / 2, kRate / 4), kQuiet);
  expectNoGap(play(1.0, 15.0), "after the stall");
}

// Each volume at 0 silences only its own kind, the music stays running, and a change is heard
// at once.
TEST_F(GameAudio, EachVolumeAtZeroSilencesOnlyItsOwnKind) {
  loadSample(Whoosh, toneFile("whoosh.wav", ToneSpec{}).c_str());
  ASSERT_NE(sampleTable[Whoosh], nullptr);
  playMusic(toneFile("music.ogg", ToneSpec{44100, 2, 441.0, 2.0}).c_str());
  ASSERT_NE(musicPlayer.stream, nullptr);
  soundVolume = 0;
  playSample(Whoosh, 40000, 250, 128);
  EXPECT_EQ(lastChannel, -1);
  EXPECT_EQ(busyChannels(), 1) << "an effect started with effects switched off";
  EXPECT_NEAR(channelRms(play(0.5), 0, 4410, 8820), kToneRms * 250 / 255, kToneRms * 0.05);

  const int channel = musicPlayer.channel;
  setMusicVolume(0);
  EXPECT_LT(channelRms(play(0.3), 0, 4410, 8820), kQuiet);  // after the mixer's short fade
  EXPECT_TRUE(soundIsPlaying(channel)) << "the silent track was stopped";
  setMusicVolume(4);
  const std::vector<float> heard = play(0.1);
  EXPECT_EQ(musicPlayer.channel, channel);
  EXPECT_NEAR(channelRms(heard, 0, 0, 4410), kToneRms * 100 / 255, kToneRms * 0.05);
}

TEST_F(GameAudio, PlayingATrackReplacesTheOldOneAndStartsFromItsBeginning) {
  // Half a second of silence, then the tone: hearing silence again means the track restarted.
  ToneSpec tone{44100, 1, 441.0, 1.5};
  tone.leadSilence = 0.5;
  const std::string scores = toneFile("score.ogg", tone);
  playMusic(scores.c_str());
  EXPECT_GT(channelRms(play(0.8), 0, 26460, 4410), 0.1);

  playMusic(scores.c_str());
  EXPECT_EQ(busyChannels(), 1) << "two tracks at once";
  EXPECT_LT(channelRms(play(0.3), 0, 0, 13230), kQuiet) << "the track went on instead of restarting";

  playMusic((dir + "/missing.ogg").c_str());
  EXPECT_EQ(musicPlayer.stream, nullptr);
  EXPECT_EQ(busyChannels(), 0) << "a missing track left the old one playing";
}

// Twenty course starts load all thirteen slots: far more samples than the layer holds at once.
// A slot whose file has gone is emptied and plays nothing.
TEST_F(GameAudio, ReloadingSlotsAtEveryCourseStartKeepsMemoryFlat) {
  const std::string path = toneFile("effect.wav", ToneSpec{22050, 1, 441.0, 0.05});
  for (int course = 0; course < 20; ++course) {
    for (int slot = 0; slot < kSampleCount; ++slot) loadSample(SampleId(slot), path.c_str());
  }
  for (int slot = 0; slot < kSampleCount; ++slot) {
    ASSERT_NE(sampleTable[slot], nullptr) << "slot " << slot << ": " << soundErrorText(soundGetError());
    playSample(SampleId(slot), 22050, 100, 128);
    EXPECT_GE(lastChannel, 0) << slot;
  }
  play(0.2);
  loadSample(Star, (dir + "/missing.wav").c_str());
  EXPECT_EQ(sampleTable[Star], nullptr);
  playSample(Star, 30000, 200, 128);
  EXPECT_EQ(lastChannel, -1);
}

}  // namespace
