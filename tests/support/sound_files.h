// Helpers for the sound tests: short tone files written with libsndfile, and measurements on
// rendered interleaved stereo audio.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scratch_dir.h"

struct ToneSpec {
  int rate = 22050;        // the file's sample rate, Hz
  int channels = 1;        // 1 or 2
  double toneHz = 441.0;   // frequency of the sine
  double seconds = 0.5;
  double amplitude = 0.5;  // peak, 0..1
  double leadSilence = 0;  // seconds of silence before the tone starts
};

// Writes a sine tone as a 16-bit .wav or a Vorbis .ogg (by the path's extension). False on failure.
bool writeToneFile(const std::string& path, const ToneSpec& tone);

// Interleaved stereo frames; channel 0 is left, 1 right.
double channelRms(const std::vector<float>& frames, int channel, size_t firstFrame, size_t count);
double channelPeak(const std::vector<float>& frames, int channel, size_t firstFrame, size_t count);

// Frequency of the dominant tone from its upward zero crossings, Hz.
double toneFrequency(const std::vector<float>& frames, int channel, size_t firstFrame, size_t count,
                     int rate);

// A test with the sound layer open on a loopback mixer: nothing reaches a device, and audio is
// rendered on request, faster than real time and the same on every run.
class LoopbackMixerTest : public ::testing::Test {
 protected:
  static constexpr int kRate = 44100;

  void SetUp() override;
  void TearDown() override;

  // Renders the given time, calling the per-frame update at the given frame rate first in each frame.
  std::vector<float> play(double seconds, double framesPerSecond = 60.0);

  // A tone file in this test's directory, written once per call.
  std::string toneFile(const std::string& name, const ToneSpec& tone);

  ScratchDir scratch;
  std::string dir = scratch.path();
};
