// The configuration file: its exact form, how it is read back, the defaults a first run writes,
// and that a write failing part-way leaves the old file whole; the list of video modes it
// chooses from.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/config_file.h"
#include "core/video_modes.h"
#include "play/play_state.h"
#include "tests/support/scratch_dir.h"

namespace {

// Every test starts from the program-start values with a fresh configuration path; the path
// the test found comes back at the end.
class ConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::snprintf(configPath.data(), configPath.size(), "%s", path.c_str());
    screenWidth = 640;
    screenHeight = 480;
    fullscreen = 1;
    screenDepth = 32;
    screenRefresh = 90;
    musicVolume = 10;
    soundVolume = 10;
    detailLevel = 1;
    language = 0;
    players = PlayerTable{};
    videoModeIndex = 0;
    listModes({{640, 480}, {800, 600}, {1024, 768}});
  }
  void TearDown() override { configPath = savedPath; }

  static void listModes(std::initializer_list<ModeSize> sizes) {
    testing::internal::CaptureStdout();
    sortVideoModes(sizes.begin(), static_cast<int>(sizes.size()));
    testing::internal::GetCapturedStdout();
  }
  void readFrom(const std::string& text) {
    ASSERT_TRUE(writeWholeFile(path, text));
    readConfig();
  }

  const std::array<char, kPathLength> savedPath = configPath;
  const ScratchDir dir;
  const std::string path = dir.path("tov.pref");
};

TEST_F(ConfigFile, WritesEveryLineInItsExactFormAndReadsItBack) {
  videoModeIndex = 2;  // 1024 x 768
  fullscreen = 0;
  musicVolume = 7;
  soundVolume = 3;
  detailLevel = 2;
  players.icon = {4, 5, 6, 7};
  for (int p = 0; p < kMaxPlayers; ++p) {
    std::snprintf(players.name[p].data(), players.name[p].size(), "%s", std::array{"ann", "bo", "cy", "di"}[p]);
  }
  players.playerCount = 3;
  language = 2;
  writeConfig();
  EXPECT_EQ(readWholeFile(path),
            "game conf file vorpelG \n \n\n"
            "Sreenwidth \t 1024\nSreenheight \t 768\nFullscreen \t 0\nScreendepth \t 32\n"
            "Screenhrz \t 90\nGameSpeed \t  1.000000\n \n"
            "MusicVolume \t 7f\nSoundVolume \t  3\nGamedetail \t  2\n"
            "playericonA \t  4\nplayericonB \t  5\nplayericonC \t  6\nplayericonD \t  7\n"
            "playerNameA \t  ann\nplayerNameB \t  bo\nplayerNameC \t  cy\nplayerNameD \t  di\n"
            "numberofplayer \t  3\nBlaBla \t  2\n \n");

  screenWidth = screenHeight = fullscreen = musicVolume = soundVolume = detailLevel = language = 0;
  players = PlayerTable{};
  readConfig();
  EXPECT_EQ(screenWidth, 1024);
  EXPECT_EQ(screenHeight, 768);
  EXPECT_EQ(fullscreen, 0);
  EXPECT_EQ(musicVolume, 7);  // "7f" reads as 7
  EXPECT_EQ(soundVolume, 3);
  EXPECT_EQ(detailLevel, 2);
  EXPECT_EQ(players.icon[3], 7);
  EXPECT_STREQ(players.name[2].data(), "cy");
  EXPECT_EQ(players.playerCount, 3);
  EXPECT_EQ(language, 2);
}

TEST_F(ConfigFile, OnlyExactKeysAtTheStartOfALineChangeTheirValuesTruncated) {
  musicVolume = 3;
  std::snprintf(players.name[0].data(), players.name[0].size(), "someone");
  readFrom(
      "Sreenwidth 1024\n"
      "Fullscreen\t\t 0.9\n"
      "SoundVolume   \t\t   -2.7\n"
      "BlaBla 5\n"
      " Gamedetail 2\n"
      "Screenwidth 1600\nSreenheight\nSoundVolumes 4\nGameSpeed 3\nBlaBla nan\nMusicVolume 1e30\n");
  EXPECT_EQ(screenWidth, 1024);
  EXPECT_EQ(screenHeight, 480);
  EXPECT_EQ(fullscreen, 0);
  EXPECT_EQ(soundVolume, 0);  // -2 after truncation, then brought into 0..10
  EXPECT_EQ(language, 2);
  EXPECT_EQ(detailLevel, 1);
  EXPECT_EQ(musicVolume, 10);  // 1e30 stops at the top of the range
  // Names not in the file are the defaults again.
  EXPECT_STREQ(players.name[0].data(), "spwimy");
  EXPECT_STREQ(players.name[3].data(), "bibu");
}

TEST_F(ConfigFile, ValuesOutOfRangeAreBroughtToTheNearestEndOfTheirRange) {
  readFrom("numberofplayer 0\nplayericonA 2147483647\nplayericonB -1\nSreenwidth 2147483647\n"
           "Sreenheight 0\nFullscreen 2\nMusicVolume 11\nGamedetail -1\n");
  EXPECT_EQ(players.playerCount, 1);
  EXPECT_EQ(players.icon[0], 14);
  EXPECT_EQ(players.icon[1], 0);
  EXPECT_EQ(screenWidth, 1024);  // the widest listed mode
  EXPECT_EQ(screenHeight, 480);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_EQ(musicVolume, 10);
  EXPECT_EQ(detailLevel, 0);
  // Depth and refresh no listed mode of the window's size has become those of that mode.
  readFrom("numberofplayer 7\nSreenwidth 800\nSreenheight 600\nScreendepth 7\nScreenhrz -1\n");
  EXPECT_EQ(players.playerCount, 4);
  EXPECT_EQ(screenDepth, 32);
  EXPECT_EQ(screenRefresh, 90);
}

TEST_F(ConfigFile, NamesAreOneWordCutToTheirBufferBothWays) {
  readFrom(
      "playerNameA \t  two words\n"
      "playerNameB abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ\n"
      "playerNameC\n");
  EXPECT_STREQ(players.name[0].data(), "two");
  EXPECT_EQ(std::string(players.name[1].data()),
            std::string("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ").substr(0, 39));
  EXPECT_STREQ(players.name[2].data(), "ines");

  // A full buffer without a terminator is never written past its end.
  players.name[0].fill('q');
  writeConfig();
  EXPECT_NE(readWholeFile(path).find("playerNameA \t  " + std::string(kPlayerNameLength, 'q') + "\n"),
            std::string::npos);
}

TEST_F(ConfigFile, AMissingFileMakesDefaultsOnTheLast800WideModeAndWritesThemAtOnce) {
  listModes({{640, 480}, {800, 480}, {800, 600}});
  musicVolume = 2;
  fullscreen = 0;
  players.icon = {3, 3, 3, 3};
  readConfig();
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);  // the last 800-wide entry, the last of the list too
  EXPECT_EQ(videoModeIndex, 2);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_EQ(musicVolume, 10);
  EXPECT_EQ(players.icon[0], 0);
  EXPECT_EQ(players.icon[3], 3);
  const std::string text = readWholeFile(path);
  EXPECT_NE(text.find("Sreenwidth \t 800\nSreenheight \t 600\n"), std::string::npos) << text;
  EXPECT_NE(text.find("playerNameA \t  spwimy\n"), std::string::npos);

  // Without an 800-wide mode the window is 640 x 480, and the file says so for the next read.
  std::filesystem::remove(path);
  listModes({{1024, 768}, {1280, 1024}});
  readConfig();
  screenWidth = screenHeight = 0;
  readConfig();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(screenHeight, 480);
}

TEST_F(ConfigFile, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
  writeConfig();
  const std::string before = readWholeFile(path);
  ASSERT_GT(before.size(), 200u);
  musicVolume = 1;
  for (const bool directoryInTheWay : {false, true}) {
    std::error_code ignored;
    if (directoryInTheWay) std::filesystem::create_directory(path + ".new", ignored);
    testing::internal::CaptureStdout();
    {
      const FileSizeLimit full(directoryInTheWay ? RLIM_INFINITY : 100);
      writeConfig();
    }
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(readWholeFile(path), before) << directoryInTheWay;
    EXPECT_NE(said.find("cannot write the configuration"), std::string::npos) << directoryInTheWay;
    EXPECT_EQ(std::filesystem::exists(path + ".new"), directoryInTheWay) << "no half file is left";
  }
}

int sortSizes(const ModeSize* sizes, int count) {
  testing::internal::CaptureStdout();
  const int kept = sortVideoModes(sizes, count);
  testing::internal::GetCapturedStdout();
  return kept;
}
int sortSizes(std::initializer_list<ModeSize> sizes) { return sortSizes(sizes.begin(), static_cast<int>(sizes.size())); }

// Sorted by width then height with duplicates kept; sizes under 640 x 401 or past 2999 x 1000
// left out; nothing stale past the last entry; at most the list's capacity.
TEST(VideoModes, SortedWithDuplicatesKeptAndOutOfRangeOrStaleEntriesLeftOut) {
  EXPECT_EQ(sortSizes({{1280, 1024}, {800, 600}, {1024, 768}, {800, 600}, {1280, 720}}), 5);
  EXPECT_EQ(videoModeLast, 4);  // the index of the last entry, not the count
  const std::array<std::pair<int, int>, 5> order{{{800, 600}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}}};
  for (int i = 0; i <= videoModeLast; ++i) {
    EXPECT_EQ(videoModes[i].width, order[i].first) << i;
    EXPECT_EQ(videoModes[i].height, order[i].second) << i;
  }
  EXPECT_EQ(sortSizes({{639, 480}, {640, 400}, {640, 401}, {3000, 2000}, {2999, 999}, {2999, 1000}}), 2);
  EXPECT_EQ(videoModes[0].height, 401);
  EXPECT_EQ(videoModes[1].width, 2999);
  EXPECT_EQ(videoModes[2].width, 0);
  EXPECT_EQ(sortSizes({}), 0);
  EXPECT_EQ(videoModeLast, -1) << "an empty list has no last entry";

  std::array<ModeSize, kMaxVideoModes + 20> many{};
  for (size_t i = 0; i < many.size(); ++i) many[i] = {800 + static_cast<int>(i), 600};
  EXPECT_EQ(sortSizes(many.data(), static_cast<int>(many.size())), kMaxVideoModes);
  EXPECT_EQ(videoModes[kMaxVideoModes - 1].width, 800 + kMaxVideoModes - 1);
}

// The common sizes that fit the desktop, 800 x 600 among them for the default configuration;
// a desktop smaller than all of them still gets 640 x 480.
TEST(VideoModes, FallbackOffersTheCommonSizesThatFitTheDesktop) {
  std::array<ModeSize, 16> out{};
  const int n = fallbackModeSizes(1280, 1024, out.data(), static_cast<int>(out.size()));
  bool has800 = false;
  for (int i = 0; i < n; ++i) {
    EXPECT_TRUE(out[i].width <= 1280 && out[i].height <= 1024) << i;
    has800 = has800 || (out[i].width == 800 && out[i].height == 600);
  }
  EXPECT_TRUE(has800);
  ASSERT_EQ(fallbackModeSizes(320, 240, out.data(), static_cast<int>(out.size())), 1);
  EXPECT_EQ(out[0].width, 640);
  EXPECT_EQ(fallbackModeSizes(0, 0, out.data(), 4), 4);
}

}  // namespace
