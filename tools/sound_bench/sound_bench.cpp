// Prints the sound layer's costs on a loopback mixer (no device, faster than real time):
// loading an effect, opening and priming a music track, the per-frame update with music playing,
// and how much faster than real time the mixer renders a busy scene.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/sound_layer.h"
#include "tests/support/sound_files.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 44100;
constexpr int kFramesPerSecond = 60;
constexpr int kLoads = 50;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void benchLoads(const std::string& effect, const std::string& music) {
  auto start = Clock::now();
  for (int i = 0; i < kLoads; ++i) soundSampleFree(soundSampleLoad(effect.c_str()));
  std::printf("load and free a 1 s 22050 Hz effect: %.3f ms\n", millisecondsSince(start) / kLoads);

  start = Clock::now();
  for (int i = 0; i < kLoads; ++i) {
    SoundStream* track = soundStreamOpen(music.c_str());
    soundStreamPlay(track);
    soundStreamClose(track);
  }
  std::printf("open a track and prime 1 s of it:    %.3f ms\n", millisecondsSince(start) / kLoads);
}

// Ten seconds of play at 60 frames a second: music plus a new effect every tenth frame.
void benchFrames(const std::string& effect, const std::string& music) {
  SoundSample* sample = soundSampleLoad(effect.c_str());
  SoundStream* track = soundStreamOpen(music.c_str());
  soundStreamPlay(track);
  std::vector<float> frame(2 * kRate / kFramesPerSecond);
  std::vector<double> updates;
  double renderMs = 0.0;
  for (int i = 0; i < 10 * kFramesPerSecond; ++i) {
    if (i % 10 == 0) soundSetFrequency(soundPlaySample(sample), 30000 + 100 * (i % 200));
    auto start = Clock::now();
    soundUpdate();
    updates.push_back(millisecondsSince(start));
    start = Clock::now();
    soundRender(frame.data(), kRate / kFramesPerSecond);
    renderMs += millisecondsSince(start);
  }
  std::printf("level of the last frame (RMS, left): %.3f\n", channelRms(frame, 0, 0, frame.size() / 2));
  std::sort(updates.begin(), updates.end());
  double total = 0.0;
  for (double u : updates) total += u;
  std::printf("per-frame update with music: mean %.4f ms, 99th %.4f ms, worst %.4f ms\n",
              total / updates.size(), updates[updates.size() * 99 / 100], updates.back());
  std::printf("mixing 10 s of music and effects took %.1f ms: %.0f x real time\n", renderMs,
              10000.0 / renderMs);
  soundStreamClose(track);
  soundSampleFree(sample);
}

}  // namespace

int main() {
  const ScratchDir scratch;
  const std::string dir = scratch.path();
  const std::string effect = dir + "/effect.wav", music = dir + "/music.ogg";
  if (!writeToneFile(effect, ToneSpec{22050, 1, 441.0, 1.0}) ||
      !writeToneFile(music, ToneSpec{44100, 2, 441.0, 30.0})) {
    std::printf("cannot write the bench's sound files in %s\n", dir.c_str());
    return 1;
  }
  if (!soundInitLoopback(kRate, kSoundMaxChannels)) {
    std::printf("no loopback mixer: %s\n", soundErrorText(soundGetError()));
    return 1;
  }
  soundSetStreamBufferSize(1000);
  benchLoads(effect, music);
  benchFrames(effect, music);
  soundClose();
  return 0;
}
