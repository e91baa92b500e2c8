// The play overlay and the scorecard: their arithmetic, and what a GL window shows after a ball
// is holed (plain one-colour images stand in for the pictures).
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "course/course_catalogue.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/play_overlay.h"
#include "play/play_state.h"
#include "play/turn_flow.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/scratch_dir.h"
#include "ui/localised_strings.h"
#include "ui/score_file.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Every picture gets its own colour so that the grab tells them apart.
Pixel letterColour(char c) { return letterTestColour(c); }
Pixel digitColour(char c) { return {100, static_cast<std::uint8_t>(20 + 20 * (c - '0')), 30}; }
const Pixel kDotColour{255, 128, 0};
const Pixel kPanelColour{40, 40, 120};
const Pixel kBackdropColour{200, 0, 0};
const Pixel kLineColour{128, 128, 255};

// The scorecard's frame: x 0..660 spans the window; y runs from -160 at the top to 320.
int screenX(float x) { return static_cast<int>(x * kWidth / 660.0f); }
int screenY(float y) { return static_cast<int>((y + 160) * kHeight / 480.0f); }
// Pixels of a colour in hole 5's column of a player's scorecard row.
int holeFiveCount(const FrameGrab& frame, const Pixel& colour, int player) {
  return frame.count(colour, screenX(220), screenY(152 + 30 * player), screenX(250),
                     screenY(168 + 30 * player));
}

// Three players on hole 4 of world 0 (pars 2 + hole % 3); the play tables start empty.
class PlayOverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLanguage = language;
    language = 0;
    applyLanguage();
    players = PlayerTable{};
    scores = ScoreTable{};
    players.playerCount = 3;
    const char* names[] = {"ann", "bob", "cid", "dan"};
    for (int p = 0; p < kMaxPlayers; ++p) std::strncpy(players.name[p].data(), names[p], kPlayerNameLength - 1);
    catalogue.currentWorld = 0;
    for (int hole = 1; hole <= kHolesPerCourse; ++hole) catalogue.holePars[0][hole] = 2 + hole % 3;
    holeSetup.par = 9;  // the loaded hole's own par; the card must not use it
    holeNumber = 4;
    trainingMode = 0;
    input = InputState{};
    input.mouseXf = input.mouseYf = -1000;
  }
  void TearDown() override {
    language = savedLanguage;
    applyLanguage();
  }
  int savedLanguage = 0;
};

// (Skipped holes counting thirty on the card as in the table: the score file's test.)
TEST_F(PlayOverlayTest, TheCoursesParIsTheWorldsOwn) {
  int parSum = 0;  // not the loaded hole's par of 9
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) parSum += 2 + hole % 3;
  EXPECT_EQ(courseParTotal(), parSum);
  catalogue.currentWorld = kMaxWorlds + 3;
  EXPECT_EQ(courseParTotal(), 0);
  catalogue.currentWorld = 0;
}

// ---- On screen ----

class PlayOverlayScreenTest : public PlayOverlayTest {
 protected:
  static void SetUpTestSuite() {
    windowOpen = openTestWindow(kWidth, kHeight);
    if (!windowOpen) return;
    ScratchDir tree;
    const std::filesystem::path& dir = tree.root();
    releaseAllTextures();
    auto sprite = [&](int slot, const std::string& name, int w, int h, Pixel colour, int anchor) {
      loadPlainSprite(slot, dir.string(), name, w, h, colour, anchor);
    };
    auto texture = [&](int slot, const std::string& name, Pixel colour) {
      std::string path = (dir / (name + ".tga")).string();
      writeSolidImage(path, 16, 16, colour);
      loadTexture(GameTextures[slot], path.c_str(), ClampMipmapped);
    };
    for (char c = 'a'; c <= 'z'; ++c) sprite(100 + c - 'a', std::string(1, c), 12, 12, letterColour(c), Centre);
    for (char c = '0'; c <= '9'; ++c) sprite(126 + c - '0', std::string("d") + c, 12, 12, digitColour(c), Centre);
    sprite(145, "dot", 12, 12, kDotColour, Centre);
    sprite(157, "line", 2, 20, kLineColour, Corner);
    texture(OverlayTexture, "panel", kPanelColour);
    texture(RedBackgroundTexture, "backdrop", kBackdropColour);
  }
  void SetUp() override {
    PlayOverlayTest::SetUp();
    if (!windowOpen) GTEST_SKIP() << "no GL window";
    screenWidth = kWidth;
    screenHeight = kHeight;
    applyFixedGlState();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::snprintf(worldTheme.levelName.data(), worldTheme.levelName.size(), "%s", "test hole");
  }
  static bool windowOpen;
};
bool PlayOverlayScreenTest::windowOpen = false;

// The holed sequence of the play flow runs until the backdrop is opaque and the card shows.
TEST_F(PlayOverlayScreenTest, HoledBallLeadsToAScorecardOfEveryPlayerWithDotsForSkippedHoles) {
  shotPhase = Aiming;
  cameraMode = Holed;
  viewTimer = 0;
  frameClock.fps = 15;
  for (int p = 0; p < 3; ++p)
    for (int hole = 1; hole <= kHolesPerCourse; ++hole) scores.strokes[p][hole] = 3;
  scores.strokes[1][5] = 0;  // bob skipped hole 5
  scores.strokes[3][2] = 4;  // a fourth slot that is not playing
  scoreWave = 20;            // left over from a high-score merge
  for (int i = 0; i < 200 && viewTimer <= 25; ++i) {
    glClear(GL_COLOR_BUFFER_BIT);
    updatePlay();
  }
  glClear(GL_COLOR_BUFFER_BIT);
  updatePlay();
  EXPECT_EQ(shotPhase, HoleDone);
  EXPECT_EQ(scoreWave, 0);
  FrameGrab frame = grabFrame();
  frame.save("overlay_scorecard.png");
  EXPECT_EQ(screenWidth, kWidth);  // the virtual frame is left again
  EXPECT_EQ(screenHeight, kHeight);

  for (int p = 0; p < 4; ++p) {
    int top = screenY(160 + 30 * p - 8), bottom = screenY(160 + 30 * p + 8);
    int nameCount = frame.count(letterColour(players.name[p][0]), 0, top, screenX(60), bottom);
    EXPECT_EQ(nameCount > 0, p < 3) << "player " << p;
    // Hole 5's column: dots only in bob's row, the strokes in the others.
    EXPECT_EQ(holeFiveCount(frame, kDotColour, p) > 0, p == 1) << "player " << p;
    EXPECT_EQ(holeFiveCount(frame, digitColour('3'), p) > 0, p == 0 || p == 2) << "player " << p;
  }
  EXPECT_EQ(frame.at(3, 3), kBackdropColour);
  EXPECT_EQ(frame.at(kWidth / 2 - 250, kHeight / 2 - 105), kPanelColour);
  // Eighteen hole rules and the two around the total.
  int rules = 0;
  int ruleY = screenY(-125 + 240 + 5);
  for (int x = 1; x < kWidth; ++x)
    rules += frame.at(x, ruleY) == kLineColour && frame.at(x - 1, ruleY) != kLineColour;
  EXPECT_EQ(rules, 20);
}

}  // namespace
