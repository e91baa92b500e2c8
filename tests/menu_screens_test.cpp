// The menu screens run frame by frame in a GL window with the pointer placed over their
// items: what each click does, what stays inert, and what the title, options, player set-up,
// course and training selection screens change.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/config_file.h"
#include "core/gl_state.h"
#include "core/main_loop.h"
#include "core/video_modes.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/temp_data_tree.h"
#include "ui/course_select.h"
#include "ui/localised_strings.h"
#include "ui/options_screen.h"
#include "ui/player_setup.h"
#include "ui/score_file.h"
#include "ui/text_drawing.h"
#include "ui/title_menu.h"
#include "ui/training_select.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class MenuScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!openTestWindow(kWidth, kHeight)) GTEST_SKIP() << "no GL window";
    savedCatalogue = catalogue;
    savedPlayers = players;
    savedConfigPath = configPath;
    std::snprintf(configPath.data(), configPath.size(), "%s", tree.path("data/tov.pref").c_str());
    std::filesystem::create_directories(tree.path("data"));
    applyFixedGlState();
    input = InputState{};
    widgetInput = WidgetInput{};
    frameClock.fps = 60.0f;
    language = 0;
    applyLanguage();
    players = PlayerTable{};
    for (int p = 0; p < kMaxPlayers; ++p) {
      std::snprintf(players.name[p].data(), kPlayerNameLength, "player%d", p);
    }
    catalogue = CourseCatalogue{};
    catalogue.worldCount = 3;
    for (int w = 0; w < 3; ++w) {
      std::snprintf(catalogue.worldNames[w].data(), kCatalogueTextLength, "world %d", w);
    }
    catalogue.currentWorld = 0;
  }
  void TearDown() override {
    catalogue = savedCatalogue;
    players = savedPlayers;
    configPath = savedConfigPath;
    input = InputState{};
    widgetInput = WidgetInput{};
  }

  // One frame of a screen with the pointer at (x, y), clicking or not, ended as the main loop
  // ends a frame.
  template <typename Screen>
  void frame(Screen screen, int x, int y, bool click) {
    input.mouseX = x;
    input.mouseY = y;
    input.mouseXf = static_cast<float>(x);
    input.mouseYf = static_cast<float>(y);
    input.clickState = click ? 1 : 0;
    screen();
    input.hoveredItem = 0;
    input.typedChar = kNoTypedChar;
  }
  template <typename Screen>
  void clickAt(Screen screen, int x, int y) {
    frame(screen, x, y, true);
  }

  static void setModes(std::initializer_list<std::pair<int, int>> sizes) {
    videoModeLast = -1;
    for (const auto& [w, h] : sizes) {
      videoModes[++videoModeLast] = VideoMode{w, h, 32, 90, w * 1000 + h};
    }
  }

  TempDataTree tree;
  CourseCatalogue savedCatalogue;
  PlayerTable savedPlayers;
  std::array<char, kPathLength> savedConfigPath{};
};

// ---- Title menu ----

TEST_F(MenuScreenTest, TitleItemsSitInAColumnCentredOnTheMenuStrip) {
  EXPECT_EQ(titlePanelWidth(1024), 400);
  EXPECT_EQ(titleItemColumn(1024), 170);
  EXPECT_EQ(titlePanelWidth(640), 320);
  EXPECT_EQ(titleItemColumn(640), 130);
  EXPECT_EQ(titlePanelWidth(801), 400);

  // Play and training load their course picture afresh; the high scores merge again.
  const int column = titleItemColumn(kWidth);
  const std::array<std::array<int, 3>, 3> items{
      {{230, PlayerSetup, 1}, {270, TrainingSelect, 1}, {310, EnterHighScores, 0}}};
  for (const auto& [y, next, picture] : items) {
    screenState = TitleMenu;
    coursePictureLoaded = roundMerged = 1;
    clickAt(runTitleMenu, column, y);
    EXPECT_EQ(screenState, next) << y;
    EXPECT_EQ(picture ? coursePictureLoaded : roundMerged, 0) << y;
  }

  screenState = TitleMenu;
  quitRequested = 0;
  clickAt(runTitleMenu, column + 150, 410);  // beside the quit item: nothing
  EXPECT_EQ(quitRequested, 0);
  clickAt(runTitleMenu, column, 410);
  EXPECT_EQ(quitRequested, 1);
  quitRequested = 0;
}

TEST_F(MenuScreenTest, OpeningTheOptionsDropsUnsavedChanges) {
  tree.write("data/tov.pref", "MusicVolume \t 7f\nBlaBla \t 0\n");
  const std::string english = localisedStrings.strBack.data();
  musicVolume = 2;
  language = 1;
  applyLanguage();
  ASSERT_NE(std::string(localisedStrings.strBack.data()), english);
  screenState = TitleMenu;
  clickAt(runTitleMenu, titleItemColumn(kWidth), 350);
  EXPECT_EQ(screenState, EnterOptions);
  EXPECT_EQ(musicVolume, 7);
  EXPECT_EQ(language, 0);
  EXPECT_EQ(std::string(localisedStrings.strBack.data()), english)
      << "the strings follow the language read back";
}

// ---- Options ----

TEST_F(MenuScreenTest, ResolutionStepsThroughTheModesAndWrapsToTheFirst) {
  setModes({{640, 480}, {800, 600}, {1024, 768}});
  fullscreen = 1;
  videoModeIndex = 1;
  screenState = Options;
  clickAt(runOptions, kWidth / 2, 120);
  EXPECT_EQ(videoModeIndex, 2);
  clickAt(runOptions, kWidth / 2, 120);
  EXPECT_EQ(videoModeIndex, 0) << "from the last mode back to the first";
  frame(runOptions, kWidth / 2, 120, false);
  EXPECT_EQ(videoModeIndex, 0) << "hovering alone changes nothing";

  // In a window only modes up to 800 wide can be chosen: stepping onto a wider one falls back
  // to the first entry in the same frame, and switching to windowed on a wide mode does too.
  fullscreen = 0;
  videoModeIndex = 1;
  clickAt(runOptions, kWidth / 2, 120);
  EXPECT_EQ(videoModeIndex, 0);
  fullscreen = 1;
  videoModeIndex = 2;
  clickAt(runOptions, kWidth / 2, 170);
  EXPECT_EQ(fullscreen, 0);
  frame(runOptions, 0, 0, false);
  EXPECT_EQ(videoModeIndex, 0);
}

TEST_F(MenuScreenTest, VolumesDetailAndLanguageCycle) {
  setModes({{800, 600}});
  videoModeIndex = 0;
  soundVolume = 5;
  clickAt(runOptions, kWidth / 2 - 150, 305);
  EXPECT_EQ(soundVolume, 0);
  clickAt(runOptions, kWidth / 2 - 150, 305);
  EXPECT_EQ(soundVolume, 10);
  clickAt(runOptions, kWidth / 2 - 150, 305);
  EXPECT_EQ(soundVolume, 0);

  musicVolume = 9;
  clickAt(runOptions, kWidth / 2 + 150, 305);
  EXPECT_EQ(musicVolume, 10);
  clickAt(runOptions, kWidth / 2 + 150, 305);
  EXPECT_EQ(musicVolume, 0);

  detailLevel = 1;
  clickAt(runOptions, kWidth / 2, 220);
  EXPECT_EQ(detailLevel, 2);
  clickAt(runOptions, kWidth / 2, 220);
  EXPECT_EQ(detailLevel, 0);

  language = 2;
  applyLanguage();
  const std::string german = localisedStrings.strBack.data();
  clickAt(runOptions, kWidth / 2, 370);
  EXPECT_EQ(language, 0);
  EXPECT_NE(std::string(localisedStrings.strBack.data()), german)
      << "the screen's own labels change for the next frame";

  VolumeBar bar{};
  formatVolumeBar(bar, 3);
  EXPECT_EQ(std::string(bar.data()), std::string(3, '\xA3') + std::string(7, '\xA4'));
  formatVolumeBar(bar, 14);  // a hand-edited file: the bar stays ten segments long
  EXPECT_EQ(std::string(bar.data()), std::string(10, '\xA3'));
}

TEST_F(MenuScreenTest, BackKeepsChangesInMemoryResetRestoresDefaultsSaveRestarts) {
  setModes({{640, 480}, {800, 600}});
  videoModeIndex = 0;
  detailLevel = 2;
  screenState = Options;
  clickAt(runOptions, kWidth / 2 + 185, kHeight - 40);
  EXPECT_EQ(screenState, TitleMenu);
  EXPECT_EQ(detailLevel, 2);
  EXPECT_FALSE(std::filesystem::exists(tree.path("data/tov.pref"))) << "back writes nothing";

  // Reset with no file: the defaults are made, written and kept.
  screenState = Options;
  musicVolume = 3;
  clickAt(runOptions, kWidth / 2, kHeight - 40);
  EXPECT_EQ(screenState, TitleMenu);
  EXPECT_EQ(musicVolume, 10);
  EXPECT_EQ(detailLevel, 1);
  EXPECT_EQ(fullscreen, 1);
  EXPECT_EQ(screenWidth, 800);
  EXPECT_TRUE(std::filesystem::exists(tree.path("data/tov.pref")));

  // Save writes the selected mode and asks for a new window.
  screenWidth = kWidth;
  screenHeight = kHeight;
  screenState = Options;
  videoModeIndex = 0;
  videoRestart = 0;
  quitRequested = 0;
  clickAt(runOptions, kWidth / 2 - 185, kHeight - 40);
  EXPECT_EQ(screenState, Loading);
  EXPECT_EQ(videoRestart, 1);
  EXPECT_EQ(quitRequested, 1);
  EXPECT_NE(tree.read("data/tov.pref").find("Sreenwidth \t 640\n"), std::string::npos);
  videoRestart = 0;
  quitRequested = 0;
}

// ---- Player set-up ----

int rowTopFor(int player) {
  const PlayerRowLayout layout = playerRowLayout(screenHeight);
  return layout.firstTop + layout.pitch * player;
}

TEST_F(MenuScreenTest, RowsOfPlayersWhoDoNotTakePartAreFaintAndInert) {
  players.playerCount = 3;
  players.icon[3] = 6;
  const int top = rowTopFor(3);
  input.mouseX = kWidth / 2;
  input.mouseY = top + 35;
  EXPECT_FLOAT_EQ(playerRowAlpha(3, top), 0.2f);
  input.mouseY = rowTopFor(2) + 35;
  EXPECT_FLOAT_EQ(playerRowAlpha(2, rowTopFor(2)), 2.0f) << "a hovered row lights up";
  input.mouseY = rowTopFor(2) + 70;  // on the row's edge: not inside
  EXPECT_FLOAT_EQ(playerRowAlpha(2, rowTopFor(2)), 1.0f);

  clickAt(runPlayerSetup, kWidth / 2 - 90, top + 40);  // the fourth name
  EXPECT_EQ(widgetInput.editFocusWidget, 0);
  clickAt(runPlayerSetup, kWidth / 2 - 168, top + 32);  // the fourth portrait
  EXPECT_EQ(players.icon[3], 6);

  clickAt(runPlayerSetup, kWidth / 2 - 90, rowTopFor(1) + 40);  // the second name
  EXPECT_EQ(widgetInput.editFocusWidget, kNameItem + 1);
  EXPECT_EQ(widgetInput.editPlayer, 1);
  EXPECT_EQ(input.clickState, -1) << "no later item sees the click";
  input.typedChar = 'z';
  players.name[1].fill('\0');
  input.mouseXf = input.mouseYf = 0;
  input.clickState = 0;
  runPlayerSetup();
  EXPECT_STREQ(players.name[1].data(), "z") << "the focused name takes typing";
}

TEST_F(MenuScreenTest, PlayerCountStaysWithinOneToFour) {
  players.playerCount = 4;
  clickAt(runPlayerSetup, kWidth / 2 - 145, 95);  // plus
  EXPECT_EQ(players.playerCount, 4);
  clickAt(runPlayerSetup, kWidth / 2 - 205, 95);  // minus
  EXPECT_EQ(players.playerCount, 3);
  players.playerCount = 1;
  clickAt(runPlayerSetup, kWidth / 2 - 205, 95);
  EXPECT_EQ(players.playerCount, 1);
  clickAt(runPlayerSetup, kWidth / 2 - 145, 95);
  EXPECT_EQ(players.playerCount, 2);
}

TEST_F(MenuScreenTest, PortraitsAdvanceAndWrapAndTheirBoxGrowsOnTallScreens) {
  players.playerCount = 2;
  players.icon[0] = 14;
  clickAt(runPlayerSetup, kWidth / 2 - 168, rowTopFor(0) + 32);
  EXPECT_EQ(players.icon[0], 0);
  EXPECT_EQ(widgetInput.editFocusWidget, 0) << "the click was the portrait's only";
  clickAt(runPlayerSetup, kWidth / 2 - 168 + 40, rowTopFor(1) + 32);  // right of a small box
  EXPECT_EQ(players.icon[1], 1);
  EXPECT_EQ(nextPortrait(3), 4);

  // A tall screen: the click logic reads only the screen size, so the window stays as it is.
  screenWidth = 1024;
  screenHeight = 768;
  ASSERT_TRUE(playerRowLayout(768).largePortraits);
  EXPECT_FALSE(playerRowLayout(700).largePortraits);
  const int top = rowTopFor(1);
  EXPECT_EQ(top, 170 + 140);
  clickAt(runPlayerSetup, 512 - 168 + 60, top - 20);  // outside a small box, inside a large one
  EXPECT_EQ(players.icon[1], 2);
  screenWidth = kWidth;
  screenHeight = kHeight;
}

TEST_F(MenuScreenTest, ContinueSavesThePlayersAndGoesToCourseSelection) {
  setModes({{640, 480}, {800, 600}, {800, 600}});
  videoModeIndex = 0;
  screenDepth = 32;
  screenRefresh = 90;
  players.playerCount = 3;
  players.icon[2] = 9;
  std::snprintf(players.name[2].data(), kPlayerNameLength, "zed");
  clickAt(runPlayerSetup, kWidth / 2, kHeight - 40);
  EXPECT_EQ(screenState, CourseSelect);
  EXPECT_EQ(videoModeIndex, 2) << "the last entry matching the window";
  const std::string config = tree.read("data/tov.pref");
  EXPECT_NE(config.find("playerNameC \t  zed\n"), std::string::npos) << config;
  EXPECT_NE(config.find("playericonC \t  9\n"), std::string::npos);
  EXPECT_NE(config.find("numberofplayer \t  3\n"), std::string::npos);
}

// ---- Course and training selection ----

TEST_F(MenuScreenTest, WorldArrowsWrapAndRestartThePictureZoom) {
  pictureRadius = kPictureRadiusAtRest;
  coursePictureLoaded = 1;
  clickAt(runCourseSelect, kWidth / 2 - 220, kHeight / 2 + 90);
  EXPECT_EQ(catalogue.currentWorld, 2);
  EXPECT_FLOAT_EQ(pictureRadius, kPictureRadiusOnChange);
  EXPECT_EQ(coursePictureLoaded, 0);
  clickAt(runCourseSelect, kWidth / 2 + 220, kHeight / 2 + 90);
  EXPECT_EQ(catalogue.currentWorld, 0);

  // With one world both arrows keep it, but the picture still zooms in again.
  catalogue.worldCount = 1;
  pictureRadius = kPictureRadiusAtRest;
  clickAt(runCourseSelect, kWidth / 2 + 220, kHeight / 2 + 90);
  EXPECT_EQ(catalogue.currentWorld, 0);
  EXPECT_FLOAT_EQ(pictureRadius, kPictureRadiusOnChange);
  clickAt(runCourseSelect, kWidth / 2 - 220, kHeight / 2 + 90);
  EXPECT_EQ(catalogue.currentWorld, 0);
}

TEST_F(MenuScreenTest, ThePictureZoomsInToItsRestingSizeAtSevenHundredPixelsASecond) {
  EXPECT_FLOAT_EQ(shrinkPictureRadius(400, 100), 393);
  EXPECT_FLOAT_EQ(shrinkPictureRadius(201, 100), 200);
  EXPECT_FLOAT_EQ(shrinkPictureRadius(200, 100), 200);
  EXPECT_FLOAT_EQ(shrinkPictureRadius(150, 100), 150) << "a smaller picture is left alone";

  frameClock.fps = 70.0f;  // 10 pixels a frame: 20 frames from 400 to 200
  pictureRadius = kPictureRadiusOnChange;
  for (int i = 0; i < 19; ++i) frame(runCourseSelect, 0, 0, false);
  EXPECT_GT(pictureRadius, kPictureRadiusAtRest);
  frame(runCourseSelect, 0, 0, false);
  EXPECT_NEAR(pictureRadius, kPictureRadiusAtRest, 0.01f);
}

TEST_F(MenuScreenTest, ThePictureIsLoadedOncePerWorldChangeAndAMissingOneKeepsTheLast) {
  std::snprintf(catalogue.worldFiles[0].data(), kCatalogueTextLength, "%s",
                tree.path("data/levels/first list").c_str());
  std::snprintf(catalogue.worldFiles[1].data(), kCatalogueTextLength, "%s",
                tree.path("data/levels/second").c_str());
  std::filesystem::create_directories(tree.path("data/levels"));
  writeSolidImage(tree.path("data/levels/first-list.tga"), 32, 16, {10, 200, 30});
  coursePictureLoaded = 0;
  frame(runCourseSelect, 0, 0, false);
  EXPECT_EQ(coursePictureLoaded, 1);
  EXPECT_EQ(GameTextures[BackgroundTexture].width, 32) << "blanks in the name became '-'";
  const unsigned name = GameTextures[BackgroundTexture].glName;
  EXPECT_NE(name, 0u);

  // The second world has no picture: the first one stays in the slot.
  clickAt(runCourseSelect, kWidth / 2 + 220, kHeight / 2 + 90);
  frame(runCourseSelect, 0, 0, false);
  EXPECT_EQ(coursePictureLoaded, 1);
  EXPECT_EQ(GameTextures[BackgroundTexture].glName, name);
  releaseAllTextures();
}

TEST_F(MenuScreenTest, StartingACourseOrATrainingGame) {
  holeNumber = 7;
  trainingMode = 1;
  screenState = CourseSelect;
  clickAt(runCourseSelect, kWidth / 2, kHeight - 40);
  EXPECT_EQ(screenState, StartCourse);
  EXPECT_EQ(holeNumber, 1);
  EXPECT_EQ(trainingMode, 0);
  EXPECT_FLOAT_EQ(pictureRadius, kPictureRadiusOnChange);

  // Training keeps the hole shown and plays alone.
  holeNumber = 7;
  players.playerCount = 3;
  screenState = TrainingSelect;
  clickAt(runTrainingSelect, kWidth / 2, kHeight - 40);
  EXPECT_EQ(screenState, StartCourse);
  EXPECT_EQ(holeNumber, 7);
  EXPECT_EQ(trainingMode, 1);
  EXPECT_EQ(players.playerCount, 1);
}

TEST_F(MenuScreenTest, TrainingHoleArrowsWrapWithinEighteenHoles) {
  holeNumber = 1;
  clickAt(runTrainingSelect, kWidth / 2 - 220, kHeight / 2 + 80);
  EXPECT_EQ(holeNumber, 18);
  clickAt(runTrainingSelect, kWidth / 2 + 220, kHeight / 2 + 80);
  EXPECT_EQ(holeNumber, 1);
  clickAt(runTrainingSelect, kWidth / 2 + 220, kHeight / 2 + 80);
  EXPECT_EQ(holeNumber, 2);
  // The world row sits higher here than on the course selection.
  clickAt(runTrainingSelect, kWidth / 2 + 220, kHeight / 2 + 40);
  EXPECT_EQ(catalogue.currentWorld, 1);
  EXPECT_EQ(holeNumber, 2);
}

}  // namespace
