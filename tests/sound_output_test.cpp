// The game's sound through a real output device: OpenAL Soft's wave writer, which writes what
// it plays to a file. The title music is decoded, played at its pitch and volume, and streamed
// on past its first buffer.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/scratch_dir.h"
#include "tests/support/sound_files.h"

namespace {

constexpr int kRate = 44100;

// Environment that sends a program's sound to dir/out.wav through the wave writer.
std::string waveWriterEnv(const std::string& dir) {
  std::ofstream(dir + "/alsoft.conf") << "[general]\ndrivers = wave\nfrequency = 44100\n"
                                         "channels = stereo\nsample-type = float32\n[wave]\nfile = "
                                      << dir << "/out.wav\n";
  return "ALSOFT_CONF='" + dir + "/alsoft.conf' ALSOFT_DRIVERS=wave ";
}

// First frame where either channel carries sound.
size_t soundStart(const std::vector<float>& frames) {
  for (size_t i = 0; i < frames.size(); ++i) {
    if (std::fabs(frames[i]) > 0.01f) return i / 2;
  }
  return frames.size() / 2;
}

// The frames the wave writer has written so far: it fills in the header's sizes only when the
// device closes, so the float samples are taken from after the "data" tag up to the file's end.
std::vector<float> readGrowingRecording(const std::string& path) {
  const std::string bytes = readWholeFile(path);
  const size_t tag = bytes.find("data", 12);
  if (tag == std::string::npos) return {};
  const size_t first = tag + 8;
  std::vector<float> frames((bytes.size() - std::min(first, bytes.size())) / 8 * 2);
  if (!frames.empty()) std::memcpy(frames.data(), bytes.data() + first, frames.size() * sizeof(float));
  return frames;
}

// Seconds of the left channel that carry sound, counted in 5 ms stretches: on a loaded machine
// the device may record silence between refills, so sound is counted, not timed.
double soundingSeconds(const std::vector<float>& heard) {
  int sounding = 0;
  for (size_t at = 0; at + 220 < heard.size() / 2; at += 220) sounding += channelRms(heard, 0, at, 220) > 0.1;
  return sounding * 220.0 / kRate;
}

// Starts the game in `dir` with its sound going to dir/out.wav, waits (within a generous bound
// for a loaded machine) until the recording holds `seconds` of sound, then
// stops it as a player would leave it: SDL turns the signal into a quit. The game's output goes
// to dir/out.txt.
int runGameUntilHeard(const std::string& dir, double seconds) {
  const std::string command = "cd '" + dir + "' && " + waveWriterEnv(dir) + "exec '" +
                              QUILLMOOR_GAME_BINARY + "' --seed 1 > out.txt 2>&1";
  const pid_t game = fork();
  if (game == 0) {
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(game, &status, WNOHANG) == game) return status;  // it stopped by itself
    const std::vector<float> heard = readGrowingRecording(dir + "/out.wav");
    if (soundingSeconds(heard) >= seconds) break;
    usleep(100000);
  }
  kill(game, SIGTERM);
  waitpid(game, &status, 0);
  return status;
}

TEST(SoundOutput, TheGamePlaysTheTitleMusic) {
  const ScratchDir scratch;
  const std::string dir = scratch.path();
  std::filesystem::create_directories(dir + "/data/music");
  ASSERT_TRUE(writeToneFile(dir + "/data/music/title.ogg", ToneSpec{44100, 2, 441.0, 0.5}));
  // Two seconds is longer than the music's buffer: the main loop must have refilled it.
  const int status = runGameUntilHeard(dir, 2.0);
  const std::string output = readWholeFile(dir + "/out.txt");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  const std::vector<float> heard = readGrowingRecording(dir + "/out.wav");
  // What was decoded and played, whenever it reached the device: the tone at its pitch and
  // the music volume, and more of it than one buffer holds.
  const size_t start = soundStart(heard) + 441;
  EXPECT_NEAR(toneFrequency(heard, 0, start, kRate / 10, kRate), 441.0, 4.0);
  EXPECT_NEAR(channelPeak(heard, 0, start, kRate / 10), 0.5 * 250 / 255, 0.05);
  EXPECT_GE(soundingSeconds(heard), 2.0) << "not enough title music heard\n" << output;
}

}  // namespace
