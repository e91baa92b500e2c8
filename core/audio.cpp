// The game's sounds on top of the sound layer: effect slots, the one music track, and their volumes
// taken from the configuration.
#include "core/audio.h"

#include <algorithm>
#include <cstdio>

#include "core/app_state.h"
#include "core/sound_layer.h"

namespace {

constexpr int kMixRate = 44100;        // Hz
constexpr int kMixChannels = 64;       // effects and music together
constexpr int kStreamBufferMs = 1000;  // enough that even 15 frames a second never starves the music

bool slotValid(int slot) { return slot >= 0 && slot < kSampleCount; }

// The channel volume of a music setting; a setting outside 0..10 stops at its ends before it
// is multiplied, so that no value can overflow.
int musicChannelVolume(int setting) {
  constexpr int kMusicSettings = 10;
  return std::clamp(setting, 0, kMusicSettings) * kMusicVolumeStep;
}

}  // namespace

std::array<SoundSample*, kSampleCount> sampleTable{};
int lastChannel = -1;
MusicPlayer musicPlayer;
namespace {
bool soundStartTried = false;  // lives for the whole run: a failed start is not tried again
}  // namespace

void startSoundOnce() {
  if (soundStartTried) return;
  soundStartTried = true;
  startSound();
}

void startSound(const char* deviceName) {
  if (soundVersion() < kRequiredSoundVersion) {
    std::printf("Error : You are using the wrong DLL version!  You should be using FMOD %.02f\n",
                static_cast<double>(kRequiredSoundVersion));
    return;
  }
  if (!soundInit(kMixRate, kMixChannels, deviceName)) {
    std::printf("Error!\n%s\n", errorText(soundGetError()));
    std::fflush(stdout);
    return;
  }
  soundSetStreamBufferSize(kStreamBufferMs);
}

void stopSound() {
  stopMusic();
  for (SoundSample*& sample : sampleTable) {
    if (sample != nullptr) soundSampleFree(sample);
    sample = nullptr;
  }
  if (soundIsOpen()) soundClose();
  lastChannel = -1;
}

void loadSample(SampleId slot, const char* path) {
  if (!slotValid(slot)) return;
  // Free the old sample first: the game set reloads every slot at each course start.
  if (sampleTable[slot] != nullptr) soundSampleFree(sampleTable[slot]);
  sampleTable[slot] = soundSampleLoad(path);
}

void loadSample(SampleId slot) {
  if (slotValid(slot)) loadSample(slot, kSamplePaths[slot]);
}

void playSample(SampleId slot, int frequency, int volume, int pan) {
  if (soundVolume <= 0 || !slotValid(slot)) return;
  lastChannel = soundPlaySample(sampleTable[slot]);
  soundSetFrequency(lastChannel, frequency);
  soundSetVolume(lastChannel, volume);
  soundSetPan(lastChannel, pan);
}

void playMusic(const char* path) {
  stopMusic();
  musicPlayer.stream = soundStreamOpen(path);
  if (musicPlayer.stream == nullptr) return;
  musicPlayer.channel = soundStreamPlay(musicPlayer.stream);
  soundSetVolume(musicPlayer.channel, musicChannelVolume(musicVolume));
}

void stopMusic() {
  if (musicPlayer.stream == nullptr) return;
  soundStreamClose(musicPlayer.stream);
  musicPlayer = MusicPlayer{};
}

void setMusicVolume(int volume) {
  if (musicPlayer.stream != nullptr) soundSetVolume(musicPlayer.channel, musicChannelVolume(volume));
}

const char* errorText(int code) { return soundErrorText(code); }

void updateSound() { soundUpdate(); }
