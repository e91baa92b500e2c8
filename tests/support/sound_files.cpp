#include "tests/support/sound_files.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/sound_layer.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

int formatFor(const std::string& path) {
  const bool ogg = path.size() > 4 && path.compare(path.size() - 4, 4, ".ogg") == 0;
  return ogg ? (SF_FORMAT_OGG | SF_FORMAT_VORBIS) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

}  // namespace

bool writeToneFile(const std::string& path, const ToneSpec& tone) {
  SF_INFO info{};
  info.samplerate = tone.rate;
  info.channels = tone.channels;
  info.format = formatFor(path);
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  const auto lead = static_cast<size_t>(tone.leadSilence * tone.rate);
  const auto frames = lead + static_cast<size_t>(tone.seconds * tone.rate);
  std::vector<float> pcm(frames * tone.channels, 0.0f);
  for (size_t i = lead; i < frames; ++i) {
    const float v = static_cast<float>(tone.amplitude * std::sin(kTwoPi * tone.toneHz * i / tone.rate));
    for (int c = 0; c < tone.channels; ++c) pcm[i * tone.channels + c] = v;
  }
  const sf_count_t written = sf_writef_float(file, pcm.data(), static_cast<sf_count_t>(frames));
  sf_close(file);
  return written == static_cast<sf_count_t>(frames);
}

double channelRms(const std::vector<float>& frames, int channel, size_t firstFrame, size_t count) {
  double sum = 0.0;
  for (size_t i = firstFrame; i < firstFrame + count && 2 * i + 1 < frames.size(); ++i) {
    sum += double(frames[2 * i + channel]) * frames[2 * i + channel];
  }
  return count > 0 ? std::sqrt(sum / count) : 0.0;
}

double channelPeak(const std::vector<float>& frames, int channel, size_t firstFrame, size_t count) {
  double peak = 0.0;
  for (size_t i = firstFrame; i < firstFrame + count && 2 * i + 1 < frames.size(); ++i) {
    peak = std::max(peak, std::fabs(double(frames[2 * i + channel])));
  }
  return peak;
}

double toneFrequency(const std::vector<float>& frames, int channel, size_t firstFrame, size_t count,
                     int rate) {
  size_t first = 0, last = 0;
  int crossings = 0;
  for (size_t i = firstFrame + 1; i < firstFrame + count && 2 * i + 1 < frames.size(); ++i) {
    if (frames[2 * (i - 1) + channel] < 0.0f && frames[2 * i + channel] >= 0.0f) {
      if (crossings == 0) first = i;
      last = i;
      ++crossings;
    }
  }
  if (crossings < 2) return 0.0;
  return double(crossings - 1) * rate / double(last - first);
}

void LoopbackMixerTest::SetUp() {
  ASSERT_TRUE(soundInitLoopback(kRate, kSoundMaxChannels)) << soundErrorText(soundGetError());
}

void LoopbackMixerTest::TearDown() {
  if (soundIsOpen()) soundClose();
}

std::vector<float> LoopbackMixerTest::play(double seconds, double framesPerSecond) {
  const auto total = static_cast<size_t>(seconds * kRate);
  const auto perFrame = std::max<size_t>(1, static_cast<size_t>(kRate / framesPerSecond));
  std::vector<float> out(total * 2);
  for (size_t done = 0; done < total;) {
    const size_t chunk = std::min(perFrame, total - done);
    soundUpdate();
    soundRender(out.data() + 2 * done, static_cast<int>(chunk));
    done += chunk;
  }
  return out;
}

std::string LoopbackMixerTest::toneFile(const std::string& name, const ToneSpec& tone) {
  const std::string path = dir + "/" + name;
  EXPECT_TRUE(writeToneFile(path, tone)) << path;
  return path;
}
