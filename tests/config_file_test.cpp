#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/config_file.h"
#include "core/video_modes.h"
#include "play/play_state.h"
#include "tests/support/scratch_dir.h"

namespace {

// Every test starts from the program-start values with a fresh configuration path.
class ConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = makeScratchDir("config");
    path = dir + "/tov.pref";
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

  void listModes(std::initializer_list<ModeSize> sizes) {
    sortVideoModes(sizes.begin(), static_cast<int>(sizes.size()));
  }

  void readFrom(const std::string& text) {
    ASSERT_TRUE(writeWholeFile(path, text));
    readConfig();
  }

  std::string dir;
  std::string path;
};

TEST_F(ConfigFile, WritesEveryLineInItsExactForm) {
  videoModeIndex = 2;  // 1024 x 768
  fullscreen = 0;
  musicVolume = 7;
  soundVolume = 3;
  detailLevel = 2;
  players.icon = {4, 5, 6, 7};
  std::snprintf(players.name[0].data(), players.name[0].size(), "ann");
  std::snprintf(players.name[1].data(), players.name[1].size(), "bo");
  std::snprintf(players.name[2].data(), players.name[2].size(), "cy");
  std::snprintf(players.name[3].data(), players.name[3].size(), "di");
  players.playerCount = 3;
  language = 2;
  writeConfig();
  EXPECT_EQ(readWholeFile(path),
            "game conf file vorpelG \n"
            " \n\n"
            "Sreenwidth \t 1024\n"
            "Sreenheight \t 768\n"
            "Fullscreen \t 0\n"
            "Screendepth \t 32\n"
            "Screenhrz \t 90\n"
            "GameSpeed \t  1.000000\n"
            " \n"
            "MusicVolume \t 7f\n"
            "SoundVolume \t  3\n"
            "Gamedetail \t  2\n"
            "playericonA \t  4\n"
            "playericonB \t  5\n"
            "playericonC \t  6\n"
            "playericonD \t  7\n"
            "playerNameA \t  ann\n"
            "playerNameB \t  bo\n"
            "playerNameC \t  cy\n"
            "playerNameD \t  di\n"
            "numberofplayer \t  3\n"
            "BlaBla \t  2\n"
            " \n");
}

TEST_F(ConfigFile, WhatIsWrittenReadsBackTheSame) {
  videoModeIndex = 1;
  musicVolume = 4;
  players.icon = {9, 8, 7, 6};
  std::snprintf(players.name[2].data(), players.name[2].size(), "zed42");
  players.playerCount = 4;
  language = 1;
  writeConfig();

  screenWidth = screenHeight = 0;
  musicVolume = 0;
  players = PlayerTable{};
  language = 0;
  readConfig();
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);
  EXPECT_EQ(musicVolume, 4);  // "4f" reads as 4
  EXPECT_EQ(players.icon[0], 9);
  EXPECT_EQ(players.icon[3], 6);
  EXPECT_STREQ(players.name[2].data(), "zed42");
  EXPECT_EQ(players.playerCount, 4);
  EXPECT_EQ(language, 1);
}

TEST_F(ConfigFile, OnlyTheLinesPresentChangeTheirValues) {
  musicVolume = 3;
  detailLevel = 0;
  std::snprintf(players.name[0].data(), players.name[0].size(), "someone");
  readFrom("Sreenwidth 1024\nSreenheight 768\n");
  EXPECT_EQ(screenWidth, 1024);
  EXPECT_EQ(screenHeight, 768);
  EXPECT_EQ(musicVolume, 3);
  EXPECT_EQ(detailLevel, 0);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_STREQ(players.name[0].data(), "spwimy");
  EXPECT_STREQ(players.name[1].data(), "muck");
  EXPECT_STREQ(players.name[2].data(), "ines");
  EXPECT_STREQ(players.name[3].data(), "bibu");
}

TEST_F(ConfigFile, NumbersAreReadAsTheFileWritesThemAndTruncated) {
  readFrom(
      "MusicVolume \t 7f\n"
      "Fullscreen\t\t 0.9\n"
      "SoundVolume   \t\t   -2.7\n"
      "Gamedetail 2.99\n"
      "BlaBla 5\n"
      "numberofplayer 99\n");
  EXPECT_EQ(musicVolume, 7);
  EXPECT_EQ(fullscreen, 0);
  EXPECT_EQ(soundVolume, -2);  // toward zero, and nothing is clamped on reading
  EXPECT_EQ(detailLevel, 2);
  EXPECT_EQ(language, 5);
  EXPECT_EQ(players.playerCount, 99);
}

TEST_F(ConfigFile, KeysCountOnlyAtTheStartOfALineAndSpeltExactly) {
  readFrom(
      " Gamedetail 2\n"
      "# Fullscreen 0\n"
      "Screenwidth 1600\n"
      "Sreenwidth\n"
      "Sreenwidth x\n"
      "SoundVolumes 4\n"
      "GameSpeed 3\n"
      "BlaBla nan\n"
      "MusicVolume 1e30\n");
  EXPECT_EQ(detailLevel, 1);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(soundVolume, 10);
  EXPECT_EQ(language, 0);
  EXPECT_EQ(musicVolume, 10);
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

  // A name with a blank is saved whole but read back to the blank; a full buffer without a
  // terminator is never written past its end.
  std::snprintf(players.name[3].data(), players.name[3].size(), "big bird");
  players.name[0].fill('q');
  writeConfig();
  const std::string text = readWholeFile(path);
  EXPECT_NE(text.find("playerNameD \t  big bird\n"), std::string::npos);
  EXPECT_NE(text.find("playerNameA \t  " + std::string(kPlayerNameLength, 'q') + "\n"), std::string::npos);
  readConfig();
  EXPECT_STREQ(players.name[3].data(), "big");
}

TEST_F(ConfigFile, AMissingFileMakesDefaultsAndWritesThemAtOnce) {
  listModes({{640, 480}, {800, 480}, {800, 600}, {1024, 768}});
  musicVolume = 2;
  fullscreen = 0;
  players.icon = {3, 3, 3, 3};
  readConfig();
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);  // the last 800-wide entry wins
  EXPECT_EQ(videoModeIndex, 2);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_EQ(musicVolume, 10);
  EXPECT_EQ(players.icon[0], 0);
  EXPECT_EQ(players.icon[3], 3);
  const std::string text = readWholeFile(path);
  EXPECT_NE(text.find("Sreenwidth \t 800\nSreenheight \t 600\n"), std::string::npos);
  EXPECT_NE(text.find("playerNameA \t  spwimy\n"), std::string::npos);
}

TEST_F(ConfigFile, WithoutAn800WideModeTheDefaultWindowIs640By480) {
  listModes({{1024, 768}, {1280, 1024}});
  readConfig();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(screenHeight, 480);
  // The file describes that window, so that the next read keeps it.
  screenWidth = screenHeight = 0;
  readConfig();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(screenHeight, 480);
}

TEST_F(ConfigFile, AFailedWriteLeavesTheOldFileWhole) {
  writeConfig();
  const std::string before = readWholeFile(path);
  ASSERT_FALSE(before.empty());
  // A directory where the new file would go makes the write fail.
  ASSERT_TRUE(std::filesystem::create_directory(path + ".new"));
  musicVolume = 1;
  testing::internal::CaptureStdout();
  writeConfig();
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(readWholeFile(path), before);
  EXPECT_NE(said.find("cannot write the configuration"), std::string::npos);
}

}  // namespace
