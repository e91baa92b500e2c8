// The game's sounds as a player hears them: effect slots, the volume settings and the music track.
#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/sound_layer.h"
#include "tests/support/sound_files.h"

namespace {

constexpr double kQuiet = 1e-4;
constexpr double kToneRms = 0.5 / 1.41421356;  // RMS of the test tones at full volume

// The loopback mixer with the audio globals reset around each test.
class GameAudio : public LoopbackMixerTest {
 protected:
  void SetUp() override {
    LoopbackMixerTest::SetUp();
    savedMusic = musicVolume;
    savedSound = soundVolume;
    musicVolume = 10;
    soundVolume = 10;
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
  int savedMusic = 0, savedSound = 0;
};

TEST(GameAudioWithoutDevice, StartUpReportsTheFailureAndTheGameRunsSilent) {
  const ScratchDir scratch;
  const std::string dir = scratch.path();
  ASSERT_TRUE(writeToneFile(dir + "/tone.wav", ToneSpec{}));
  ASSERT_TRUE(writeToneFile(dir + "/tone.ogg", ToneSpec{}));
  testing::internal::CaptureStdout();
  startSound("no such output device");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error!\nError initializing output device.\n");

  loadSample(Whoosh, (dir + "/tone.wav").c_str());
  EXPECT_EQ(sampleTable[Whoosh], nullptr);
  EXPECT_EQ(soundGetError(), SoundNotInitialised);
  lastChannel = 7;
  playSample(Whoosh, 40000, 250, 128);
  EXPECT_EQ(lastChannel, -1);
  playMusic((dir + "/tone.ogg").c_str());
  EXPECT_EQ(musicPlayer.stream, nullptr);
  setMusicVolume(5);
  updateSound();
  stopMusic();
  stopSound();
  EXPECT_FALSE(soundIsOpen());
  std::vector<float> frames(64, 1.0f);
  soundRender(frames.data(), 32);
  EXPECT_EQ(channelPeak(frames, 0, 0, 32) + channelPeak(frames, 1, 0, 32), 0.0) << "no mixer, yet sound";
}

TEST_F(GameAudio, SoundVolumeZeroSilencesEffectsButNotTheMusic) {
  loadSample(Whoosh, toneFile("whoosh.wav", ToneSpec{}).c_str());
  ASSERT_NE(sampleTable[Whoosh], nullptr);
  playMusic(toneFile("music.ogg", ToneSpec{44100, 2, 441.0, 2.0}).c_str());
  ASSERT_NE(musicPlayer.stream, nullptr);
  soundVolume = 0;
  playSample(Whoosh, 40000, 250, 128);
  EXPECT_EQ(lastChannel, -1);
  EXPECT_EQ(busyChannels(), 1) << "an effect started with effects switched off";
  EXPECT_EQ(soundGetVolume(musicPlayer.channel), 250);
  const std::vector<float> heard = play(0.5);
  EXPECT_NEAR(channelRms(heard, 0, 4410, 8820), kToneRms * 250 / 255, kToneRms * 0.05);
}

TEST_F(GameAudio, MusicVolumeZeroKeepsTheTrackRunningAndAChangeIsHeardAtOnce) {
  musicVolume = 0;
  playMusic(toneFile("music.ogg", ToneSpec{44100, 2, 441.0, 2.0}).c_str());
  ASSERT_NE(musicPlayer.stream, nullptr);
  const int channel = musicPlayer.channel;
  EXPECT_LT(channelRms(play(0.5), 0, 0, 22050), kQuiet);
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
  const std::vector<float> first = play(0.8);
  EXPECT_GT(channelRms(first, 0, 26460, 4410), 0.1);

  playMusic(scores.c_str());
  EXPECT_EQ(busyChannels(), 1) << "two tracks at once";
  EXPECT_LT(channelRms(play(0.3), 0, 0, 13230), kQuiet) << "the track went on instead of restarting";

  playMusic((dir + "/missing.ogg").c_str());
  EXPECT_EQ(musicPlayer.stream, nullptr);
  EXPECT_EQ(busyChannels(), 0) << "a missing track left the old one playing";
  stopMusic();
}

TEST_F(GameAudio, ReloadingSlotsAtEveryCourseStartKeepsMemoryFlat) {
  const std::string path = toneFile("effect.wav", ToneSpec{22050, 1, 441.0, 0.05});
  // Twenty course starts load all thirteen slots: far more samples than the layer holds at once.
  for (int course = 0; course < 20; ++course) {
    for (int slot = 0; slot < kSampleCount; ++slot) loadSample(SampleId(slot), path.c_str());
  }
  for (int slot = 0; slot < kSampleCount; ++slot) {
    ASSERT_NE(sampleTable[slot], nullptr) << "slot " << slot << ": " << soundErrorText(soundGetError());
    playSample(SampleId(slot), 22050, 100, 128);
    EXPECT_GE(lastChannel, 0) << slot;
  }
}

TEST_F(GameAudio, AMissingSampleEmptiesItsSlotAndPlaysNothing) {
  loadSample(Star, toneFile("star.wav", ToneSpec{}).c_str());
  ASSERT_NE(sampleTable[Star], nullptr);
  loadSample(Star, (dir + "/missing.wav").c_str());
  EXPECT_EQ(sampleTable[Star], nullptr);
  playSample(Star, 30000, 200, 128);
  EXPECT_EQ(lastChannel, -1);
  playSample(SampleId(kSampleCount), 30000, 200, 128);  // no such slot
  EXPECT_EQ(busyChannels(), 0);
  EXPECT_LT(channelPeak(play(0.1), 0, 0, 4410), kQuiet);
}

}  // namespace
