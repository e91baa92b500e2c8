// Glyph text as it lands on screen: a real GL window (Xvfb), plain one-colour glyph images,
// and the pixels read back.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "play/play_state.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/temp_data_tree.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kGlyphSize = 12;

Rgb letterColour(char c) { return letterTestColour(c); }
const Rgb kCursorColour{250, 250, 0};
const Rgb kBlinkColour{30, 250, 0};  // no blue: the focused line is tinted yellow
const Rgb kButtonColour{90, 30, 160};

class TextDrawingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    windowOpen = openTestWindow(640, 480);
    if (!windowOpen) return;
    TempDataTree tree;
    const std::string dir = tree.root().string();
    releaseAllTextures();
    for (char c = 'a'; c <= 'z'; ++c)
      loadPlainSprite(100 + (c - 'a'), dir, std::string(1, c), kGlyphSize, kGlyphSize,
                      letterColour(c), Centre);
    loadPlainSprite(148, dir, "cursor", kGlyphSize, kGlyphSize, kCursorColour, Centre);
    loadPlainSprite(149, dir, "blink", kGlyphSize, kGlyphSize, kBlinkColour, Centre);
    loadPlainSprite(147, dir, "button", 40, 20, kButtonColour, Corner);
  }
  void SetUp() override {
    if (!windowOpen) GTEST_SKIP() << "no GL window";
    applyFixedGlState();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    loadScreenProjection();
    glDisable(GL_DEPTH_TEST);
    widgetInput = WidgetInput{};
    input = InputState{};
    input.mouseXf = input.mouseYf = -1000;
    frameClock.fps = 100;
  }
  static bool windowOpen;
};
bool TextDrawingTest::windowOpen = false;

TEST_F(TextDrawingTest, GlyphsLandOnTheirCellsAtTheirSize) {
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, 0, 1.0f, "a b");
  drawText(7, HAnchor::Left, VAnchor::Top, 100, 100, 1.0f, "(x");
  drawSmallText(0, HAnchor::Left, VAnchor::Top, 100, 400, 1.0f, "cd");
  drawLargeText(0, HAnchor::Left, VAnchor::Top, 500, 300, 1.0f, "e");
  FrameGrab frame = grabFrame();
  frame.save("text_drawing.png");
  float x = 0, y = 0;
  ASSERT_TRUE(frame.centre(letterColour('a'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 300, 0.6);
  EXPECT_NEAR(y, 240, 0.6);
  ASSERT_TRUE(frame.centre(letterColour('b'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 340, 0.6);
  EXPECT_EQ(frame.count(letterColour('a'), 0, 0, 640, 480), kGlyphSize * kGlyphSize);
  // The button background hangs from the pen start by its top-left corner.
  EXPECT_EQ(frame.at(101, 101), kButtonColour);
  EXPECT_EQ(frame.at(98, 101), (Rgb{0, 0, 0}));
  // Small glyphs are half size on 10-pixel steps; large ones four times the size.
  EXPECT_EQ(frame.count(letterColour('c'), 0, 0, 640, 480), 6 * 6);
  ASSERT_TRUE(frame.centre(letterColour('d'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 110, 0.6);
  EXPECT_EQ(frame.count(letterColour('e'), 0, 0, 640, 480), 48 * 48);
  ASSERT_TRUE(frame.centre(letterColour('e'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 500, 0.6);
}

TEST_F(TextDrawingTest, FocusedNameShowsTheBlinkingCursorAndTakesKeys) {
  PlayerTable saved = players;
  std::strncpy(players.name[2].data(), "ab", kPlayerNameLength - 1);
  widgetInput.editFocusWidget = 41;
  widgetInput.editPlayer = 2;
  frameClock.blink = false;
  input.typedChar = 'C';
  drawText(41, HAnchor::Left, VAnchor::Top, 100, 100, 1.0f, players.name[2].data());
  FrameGrab frame = grabFrame();
  float x = 0, y = 0;
  ASSERT_TRUE(frame.centre(kCursorColour, 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 140, 0.6);  // just after the second letter
  EXPECT_STREQ(players.name[2].data(), "abc");
  // Yellow tint: the focused line draws its letters with no blue.
  Rgb tinted = frame.at(100, 100);
  EXPECT_EQ(tinted[2], 0);
  EXPECT_EQ(tinted[0], letterColour('a')[0]);

  glClear(GL_COLOR_BUFFER_BIT);
  frameClock.blink = true;
  input.typedChar = kNoTypedChar;
  drawText(41, HAnchor::Left, VAnchor::Top, 100, 100, 1.0f, players.name[2].data());
  frame = grabFrame();
  EXPECT_EQ(frame.count(kCursorColour, 0, 0, 640, 480), 0);
  ASSERT_TRUE(frame.centre(kBlinkColour, 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 160, 0.6);
  players = saved;
}

}  // namespace
