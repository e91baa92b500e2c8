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
#include "core/video_modes.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/scratch_dir.h"
#include "ui/course_select.h"
#include "ui/localised_strings.h"
#include "ui/options_screen.h"
#include "ui/player_setup.h"
#include "ui/text_drawing.h"
#include "ui/title_menu.h"
#include "ui/training_select.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class MenuScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!openTestWindow(kWidth, kHeight)) GTEST_SKIP() << "no GL window";  // fails in CI
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

  ScratchDir tree;
  CourseCatalogue savedCatalogue;
  PlayerTable savedPlayers;
  std::array<char, kPathLength> savedConfigPath{};
};

// ---- Title menu ----

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

TEST_F(MenuScreenTest, BackKeepsChangesInMemoryResetRestoresDefaultsSaveRestarts) {
  setModes({{640, 480}, {800, 600}});
  videoModeIndex = 0;
  detailLevel = 2;
  screenState = Options;
  clickAt(runOptions, kWidth / 2 + 185, kHeight - 40);
  EXPECT_EQ(screenState, TitleMenu);
  EXPECT_EQ(detailLevel, 2);
  EXPECT_FALSE(std::filesystem::exists(tree.path("data/tov.pref"))) << "back writes nothing";

  // Reset with no file: the defaults are made, written and kept; the labels follow the
  // language restored, whatever they showed before.
  screenState = Options;
  musicVolume = 3;
  language = 1;
  clickAt(runOptions, kWidth / 2, kHeight - 40);
  EXPECT_EQ(screenState, TitleMenu);
  EXPECT_STREQ(localisedStrings.strSelectLanguage.data(), "langue");
  language = 0;
  applyLanguage();
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

  // The training holes wrap within eighteen; its world row sits higher than here.
  holeNumber = 1;
  clickAt(runTrainingSelect, kWidth / 2 - 220, kHeight / 2 + 80);
  EXPECT_EQ(holeNumber, 18);
  clickAt(runTrainingSelect, kWidth / 2 + 220, kHeight / 2 + 80);
  EXPECT_EQ(holeNumber, 1);
  clickAt(runTrainingSelect, kWidth / 2 + 220, kHeight / 2 + 40);
  EXPECT_EQ(catalogue.currentWorld, 1);
  EXPECT_EQ(holeNumber, 1);
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

}  // namespace
