// The high-score and new-record screens in a GL window: the merge on arrival, the numbers
// settling, the glowing rows of the last game, the arrows and the congratulation.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/temp_data_tree.h"
#include "ui/high_score_screen.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/new_record.h"
#include "ui/score_file.h"

namespace {

constexpr int kWidth = 660;  // the virtual frame's own width: one pixel per unit across
constexpr int kHeight = 480;
const Rgb kBackdrop{200, 100, 120};

class HighScoreScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!openTestWindow(kWidth, kHeight)) GTEST_SKIP() << "no GL window";
    savedCatalogue = catalogue;
    std::snprintf(dataFolder.data(), dataFolder.size(), "%s/", tree.path("").c_str());
    applyFixedGlState();
    language = 0;
    applyLanguage();
    input = InputState{};
    frameClock.fps = 50.0f;
    decorAngle = 0.0f;
    catalogue = CourseCatalogue{};
    catalogue.worldCount = 2;
    std::snprintf(catalogue.worldNames[0].data(), kCatalogueTextLength, "Green Bay");
    std::snprintf(catalogue.worldNames[1].data(), kCatalogueTextLength, "Red Rock");
    for (int h = 1; h <= kHolesPerCourse; ++h) catalogue.holePars[0][h] = catalogue.holePars[1][h] = 3;
    catalogue.currentWorld = 0;
    scores = ScoreTable{};
    players = PlayerTable{};
    std::snprintf(players.name[0].data(), kPlayerNameLength, "ace");
    releaseAllTextures();
    const std::string picture = tree.path("backdrop.tga");
    writeSolidImage(picture, 16, 16, kBackdrop);
    loadTexture(GameTextures[BackgroundTexture], picture.c_str(), ClampMipmapped);
  }
  void TearDown() override {
    catalogue = savedCatalogue;
    dataFolder[0] = '\0';
    glClearColor(0, 0, 0, 1);
    releaseAllTextures();
  }
  static void frame(void (*screen)(), bool click) {
    input.clickState = click ? 1 : 0;
    screen();
    input.hoveredItem = 0;
  }

  TempDataTree tree;
  CourseCatalogue savedCatalogue;
};

TEST_F(HighScoreScreenTest, ArrivingMergesOnceAndANewFirstPlaceIsCongratulatedFirst) {
  for (int h = 1; h <= kHolesPerCourse; ++h) scores.strokes[0][h] = 1;
  roundMerged = 0;
  screenState = HighScores;
  frame(runHighScores, false);
  EXPECT_EQ(screenState, RecordCongrats);
  EXPECT_EQ(roundMerged, 1);
  EXPECT_TRUE(std::filesystem::exists(tree.path("tov_Green-Bay.scores")));

  // Drawn again, the table is not merged again: the file stays as the first frame wrote it.
  const std::string written = tree.read("tov_Green-Bay.scores");
  tree.write("tov_Green-Bay.scores", "changed on disk\n");
  screenState = HighScores;
  frame(runHighScores, false);
  EXPECT_EQ(tree.read("tov_Green-Bay.scores"), "changed on disk\n");
  EXPECT_EQ(screenState, HighScores);
  EXPECT_NE(written.find("@Name\tace\n"), std::string::npos);

  // The congratulation is green-tinted and a click goes on to the table.
  screenState = RecordCongrats;
  frame(runNewRecord, false);
  const FrameGrab grab = grabFrame();
  const Rgb corner = grab.at(kWidth - 70, 5);
  EXPECT_NEAR(corner[0], kBackdrop[0] / 2, 3);
  EXPECT_NEAR(corner[1], kBackdrop[1], 3);
  EXPECT_NEAR(corner[2], 0, 3) << "blue is tinted away";
  EXPECT_EQ(screenState, RecordCongrats);
  frame(runNewRecord, true);
  EXPECT_EQ(screenState, HighScores);
}

TEST_F(HighScoreScreenTest, NumbersOfAFreshMergeSettleWithinOneSecond) {
  roundMerged = 0;
  frame(runHighScores, false);
  ASSERT_EQ(roundMerged, 1);
  float largest = 0;
  for (int row = 0; row < kShownScores; ++row) {
    for (int column = 0; column <= kHolesPerCourse; ++column) {
      const float offset = std::fabs(scoreWaveOffset(scoreWave, column, row));
      EXPECT_LE(offset, kFreshScoreWave);
      largest = std::fmax(largest, offset);
    }
  }
  EXPECT_GT(largest, 15.0f) << "a fresh merge starts visibly displaced";
  for (int i = 1; i < 50; ++i) frame(runHighScores, false);  // one second at 50 frames a second
  EXPECT_NEAR(scoreWave, 0.0f, 1e-3f);
  for (int row = 0; row < kShownScores; ++row) {
    for (int column = 0; column <= kHolesPerCourse; ++column) {
      EXPECT_EQ(static_cast<int>(scoreWaveOffset(scoreWave, column, row)), 0) << "settled";
    }
  }
}

TEST_F(HighScoreScreenTest, RowsOfTheLastGameGlowAndPulse) {
  for (int h = 1; h <= kHolesPerCourse; ++h) scores.strokes[0][h] = 1;
  loadScoreFile();
  mergeRound();
  ASSERT_EQ(newEntryRows[0], 0);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  beginMenu2D();
  decorAngle = 0.0f;
  drawHighScoreTable();
  FrameGrab grab = grabFrame();
  // Bands of rows 1 (new) and 3 (stored), between the name and the first number.
  const Rgb glowing = grab.at(110, 160);
  const Rgb plain = grab.at(110, 160 + 2 * 30);
  EXPECT_GT(glowing[0], 200);
  EXPECT_LT(plain[0], 10);

  glClear(GL_COLOR_BUFFER_BIT);
  decorAngle = 180.0f;  // the pulse at its lowest
  drawHighScoreTable();
  grab = grabFrame();
  EXPECT_LT(grab.at(110, 160)[0], glowing[0] - 100);
  EXPECT_EQ(screenWidth, kWidth) << "the real size is back after the virtual frame";
  EXPECT_EQ(screenHeight, kHeight);
}

TEST_F(HighScoreScreenTest, ArrowsMoveBetweenWorldsAndBackLeaves) {
  roundMerged = 1;
  screenState = HighScores;
  input.mouseX = kWidth / 2 + 220;
  input.mouseY = 70;
  input.mouseXf = static_cast<float>(input.mouseX);
  input.mouseYf = static_cast<float>(input.mouseY);
  frame(runHighScores, true);
  EXPECT_EQ(catalogue.currentWorld, 1);
  EXPECT_EQ(roundMerged, 0);
  frame(runHighScores, false);
  EXPECT_TRUE(std::filesystem::exists(tree.path("tov_Red-Rock.scores")));
  EXPECT_EQ(roundMerged, 1);

  input.mouseX = kWidth / 2;
  input.mouseY = kHeight - 40;
  input.mouseXf = static_cast<float>(input.mouseX);
  input.mouseYf = static_cast<float>(input.mouseY);
  frame(runHighScores, true);
  EXPECT_EQ(screenState, LeaveHighScores);
}

}  // namespace
