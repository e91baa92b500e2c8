// The menu screens run frame by frame in a GL window with the pointer placed over their
// items: what the options, course and training selection screens change; then, without a
// window, typing a player's name and the interface texts of an unknown language.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdio>
#include <cstring>
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
#include "ui/name_entry.h"
#include "ui/options_screen.h"
#include "ui/player_setup.h"
#include "ui/text_drawing.h"
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

class NameEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedPlayers = players;
    input = InputState{};
    widgetInput = WidgetInput{};
    focus();
    players.name[1] = {};
  }
  void TearDown() override {
    players = savedPlayers;
    input = InputState{};
    widgetInput = WidgetInput{};
  }
  static void focus() {
    widgetInput.editPlayer = 1;
    widgetInput.editFocusWidget = 41;
  }
  static std::string name() { return players.name[1].data(); }
  // One frame: the name is laid out first (which counts its glyphs), then the key is taken.
  static void typeKey(char key) {
    placeText(TextSize::Normal, 41, HAnchor::Left, VAnchor::Top, 0, 0, 1, players.name[1].data());
    input.typedChar = key;
    runNameEntry();
    input.typedChar = kNoTypedChar;
  }
  PlayerTable savedPlayers;
};

TEST_F(NameEntryTest, LettersAndDigitsUpToNineGlyphsAndBackspaceEmpties) {
  for (char key : {'B', 'o', 'b', '7', ' ', '.', '-', '(', 'Z', kNoTypedChar}) typeKey(key);
  EXPECT_EQ(name(), "bob7z");
  EXPECT_EQ(widgetInput.editFocusWidget, 41);  // still typing
  for (const char* c = "abcdefgh"; *c != '\0'; ++c) typeKey(*c);
  EXPECT_EQ(name(), "bob7zabcd");
  typeKey(8);
  EXPECT_EQ(name(), "");
  typeKey('q');
  typeKey(127);
  EXPECT_EQ(name(), "");
  EXPECT_EQ(std::string(players.name[0].data()), std::string(savedPlayers.name[0].data()));
}

TEST_F(NameEntryTest, ReturnOrAnyClickEndsTypingAndEmptyBecomesMyname) {
  input.keyReturn = 1;
  typeKey(kNoTypedChar);
  EXPECT_EQ(name(), "myname");
  EXPECT_EQ(widgetInput.editFocusWidget, 0);

  focus();
  input.keyReturn = 0;
  std::strcpy(players.name[1].data(), "ann");
  input.clickState = 1;  // a click anywhere, in the frame the screen also sees it
  typeKey(kNoTypedChar);
  EXPECT_EQ(name(), "ann");
  EXPECT_EQ(widgetInput.editFocusWidget, 0);

  focus();  // Backspace and Return in one frame never leave an empty name
  input.clickState = 0;
  input.keyReturn = 1;
  typeKey(8);
  EXPECT_EQ(name(), "myname");

  focus();  // a held button does not end the typing
  input.keyReturn = 0;
  input.clickState = -1;
  typeKey('q');
  EXPECT_EQ(widgetInput.editFocusWidget, 41);

  const PlayerTable before = players;  // a stray player index edits nothing
  widgetInput.editPlayer = kMaxPlayers;
  input.typedChar = 'a';
  runNameEntry();
  for (int p = 0; p < kMaxPlayers; ++p) EXPECT_EQ(players.name[p], before.name[p]);
}

class LocalisedStringsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLanguage = language;
    localisedStrings = LocalisedStrings{};
    languageNames = {};
  }
  void TearDown() override {
    language = savedLanguage;
    applyLanguage();
  }
  int savedLanguage = 0;
};

TEST_F(LocalisedStringsTest, UnknownLanguageKeepsTextsAndShowsDashes) {
  language = 4;  // a hand-edited configuration at start-up
  applyLanguage();
  EXPECT_STREQ(currentLanguageName(), "--");
  for (const LocalisedText& row : localisedTextTable)
    EXPECT_STREQ((localisedStrings.*row.entry).data(), "");

  language = 1;
  applyLanguage();
  std::string french = localisedStrings.strQuit.data();
  for (int value : {3, 5, 6, 99, -1, -1000}) {
    language = value;
    applyLanguage();
    EXPECT_STREQ(currentLanguageName(), "--") << value;
    EXPECT_EQ(std::string(localisedStrings.strQuit.data()), french) << value;
  }
}

}  // namespace
