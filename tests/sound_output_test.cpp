// Whole programs making sound: the soundcheck tool and the game record what they play with OpenAL
// Soft's wave writer (a real output device that writes a file), and both start and carry on
// silently when there is no sound device at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/scratch_dir.h"
#include "tests/support/sound_files.h"

namespace {

const std::string kSoundcheck = std::string(QUILLMOOR_BINARY_DIR) + "/tools/soundcheck/soundcheck";
constexpr int kRate = 44100;

struct CommandRun {
  int status = -1;
  std::string output;
};

// Runs a shell command and collects its standard output.
CommandRun runCommand(const std::string& command) {
  CommandRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) run.output += chunk;
  run.status = pclose(pipe);
  return run;
}

// Environment that sends a program's sound to dir/out.wav through the wave writer.
std::string waveWriterEnv(const std::string& dir) {
  std::ofstream(dir + "/alsoft.conf") << "[general]\ndrivers = wave\nfrequency = 44100\n"
                                         "channels = stereo\nsample-type = float32\n[wave]\nfile = "
                                      << dir << "/out.wav\n";
  return "ALSOFT_CONF='" + dir + "/alsoft.conf' ALSOFT_DRIVERS=wave ";
}

std::vector<float> readRecording(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr || info.channels != 2) {
    if (file != nullptr) sf_close(file);
    ADD_FAILURE() << "no stereo recording at " << path;
    return {};
  }
  std::vector<float> frames(static_cast<size_t>(info.frames) * 2);
  sf_readf_float(file, frames.data(), info.frames);
  sf_close(file);
  return frames;
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

// Starts the game in `dir` with its sound going to dir/out.wav, waits (within a generous bound
// for a loaded machine) until the recording holds `seconds` of sound after its first sound, then
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
    if (heard.size() / 2 > soundStart(heard) + static_cast<size_t>(seconds * kRate)) break;
    usleep(100000);
  }
  kill(game, SIGTERM);
  waitpid(game, &status, 0);
  return status;
}

// Every 5 ms stretch of the left channel from first to last carries sound.
void expectNoGap(const std::vector<float>& heard, size_t first, size_t last, const char* what) {
  for (size_t at = first; at + 220 < last; at += 220) {
    ASSERT_GT(channelRms(heard, 0, at, 220), 0.1) << what << ": gap at frame " << at;
  }
}

TEST(SoundOutput, SamplesAreHeardAtTheirPitchLoudnessAndSide) {
  const std::string dir = soundTestDir("wave_samples");
  ASSERT_TRUE(writeToneFile(dir + "/tone.wav", ToneSpec{22050, 1, 441.0, 1.0}));
  const CommandRun run = runCommand(waveWriterEnv(dir) + kSoundcheck + " --seconds 0.8 --sample " + dir +
                             "/tone.wav 44100 255 0 --sample " + dir + "/tone.wav 11025 128 255");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<float> heard = readRecording(dir + "/out.wav");
  const size_t start = soundStart(heard) + 441;
  ASSERT_GT(heard.size() / 2, start + kRate / 4) << "recording too short";
  // Left: the first sample an octave up at full volume; right: the second an octave down at half.
  EXPECT_NEAR(toneFrequency(heard, 0, start, kRate / 5, kRate), 882.0, 9.0);
  EXPECT_NEAR(toneFrequency(heard, 1, start, kRate / 5, kRate), 220.5, 2.5);
  EXPECT_NEAR(channelPeak(heard, 0, start, kRate / 5), 0.5, 0.03);
  EXPECT_NEAR(channelPeak(heard, 1, start, kRate / 5), 0.5 * 128 / 255, 0.03);
}

TEST(SoundOutput, TheGamePlaysTheTitleMusic) {
  const std::string dir = soundTestDir("game_title_music");
  std::filesystem::create_directories(dir + "/data/music");
  ASSERT_TRUE(writeToneFile(dir + "/data/music/title.ogg", ToneSpec{44100, 2, 441.0, 0.5}));
  // Two seconds is longer than the music's buffer: the main loop must have refilled it.
  const int status = runGameUntilHeard(dir, 2.0);
  const std::string output = readWholeFile(dir + "/out.txt");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  const std::vector<float> heard = readRecording(dir + "/out.wav");
  const size_t start = soundStart(heard) + 441;
  const size_t end = heard.size() / 2;
  ASSERT_GT(end, start + kRate * 6 / 5) << "not enough title music heard\n" << output;
  EXPECT_NEAR(toneFrequency(heard, 0, start, kRate / 2, kRate), 441.0, 4.0);
  EXPECT_NEAR(channelPeak(heard, 0, start, kRate / 2), 0.5 * 250 / 255, 0.05);
  expectNoGap(heard, start, end - kRate / 10, "title music");
}

TEST(SoundOutput, ProgramsRunSilentlyWithoutASoundDevice) {
  const std::string dir = soundTestDir("no_device");
  ASSERT_TRUE(writeToneFile(dir + "/tone.wav", ToneSpec{}));
  const std::string noDevice = "ALSOFT_DRIVERS=no-such-backend ";
  const CommandRun tool = runCommand(noDevice + kSoundcheck + " --seconds 0.2 --sample " + dir +
                              "/tone.wav 40000 250 128");
  EXPECT_EQ(tool.status, 0);
  EXPECT_EQ(tool.output.rfind("Error!\nError initializing output device.\n", 0), 0u) << tool.output;

  // The game itself, on an empty data tree: it starts, reports the missing device and plays on.
  std::filesystem::create_directories(dir + "/data");
  const CommandRun game = runCommand("cd '" + dir + "' && " + noDevice + "'" + QUILLMOOR_GAME_BINARY +
                              "' --frames 30 --fixed-step 16 --seed 1");
  EXPECT_EQ(game.status, 0) << game.output;
  EXPECT_NE(game.output.find("Error!\nError initializing output device.\n"), std::string::npos)
      << game.output;
}

}  // namespace
