// Glyph text: its layout, hover pulses and hit boxes worked out without a display, then as it
// lands on screen in a real GL window (Xvfb) with plain one-colour glyph images, read back.
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
#include "tests/support/scratch_dir.h"
#include "ui/text_drawing.h"

namespace {

class TextLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screenWidth = 640;
    screenHeight = 480;
    frameClock.fps = 100;
    widgetInput = WidgetInput{};
    input = InputState{};
    moveMouse(-1000, -1000);
  }
  void TearDown() override {
    widgetInput = WidgetInput{};
    input = InputState{};
  }
  static void moveMouse(float x, float y) {
    input.mouseXf = x;
    input.mouseYf = y;
  }
  // One frame of a text line with its pen at (100, 50), as a screen would draw it.
  static TextPlacement frame(int widget, const char* text, TextSize size = TextSize::Normal) {
    input.hoveredItem = 0;
    return placeText(size, widget, HAnchor::Left, VAnchor::Top, 100, 50, 1.0f, text);
  }
  static float centreX(const TextPlacement& line, int glyph) {
    return line.penX + line.offsetX[glyph];
  }
};

TEST_F(TextLayoutTest, CentringCountsBlanksButNotUnknownBytes) {
  TextPlacement line =
      placeText(TextSize::Normal, 0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 0, 1, "a b");
  ASSERT_EQ(line.glyphsDrawn, 2);
  EXPECT_EQ(line.slot[0], glyphFor('a', TextSize::Normal));
  EXPECT_EQ(centreX(line, 0), 320 - 20);
  EXPECT_EQ(centreX(line, 1), 320 + 20);  // the blank took the middle cell
  EXPECT_EQ(widgetInput.glyphCount, 2);

  TextPlacement skipped = frame(0, "aZb");  // an unmapped capital takes no cell
  EXPECT_EQ(skipped.offsetX[1] - skipped.offsetX[0], 20);
  TextPlacement dollar = frame(0, "a$b");   // '$' takes a cell and draws nothing
  ASSERT_EQ(dollar.glyphsDrawn, 2);
  EXPECT_EQ(dollar.offsetX[1] - dollar.offsetX[0], 40);

  TextPlacement onX =
      placeText(TextSize::Normal, 0, HAnchor::CentreOnX, VAnchor::Middle, 100, 10, 1, "ab");
  EXPECT_EQ(centreX(onX, 0), 90);
  EXPECT_EQ(centreX(onX, 1), 110);
  EXPECT_EQ(onX.penY, 250);
  for (TextSize size : {TextSize::Small, TextSize::Large}) {
    TextPlacement centred = placeText(size, 0, HAnchor::CentreOnScreen, VAnchor::Bottom, 0,
                                      -30, 1, "abc");
    EXPECT_EQ(centreX(centred, 1), 320);
    EXPECT_EQ(centred.penY, 450);
  }
}

TEST_F(TextLayoutTest, OutOfRangeIdsAndOverlongTextsStayInsideTheTables) {
  moveMouse(105, 50);
  widgetInput.pulse.fill(1.0f);
  for (int id : {50, 51, 1000, -1}) {
    frame(id, "abc");
    EXPECT_EQ(input.hoveredItem, 0) << id;
  }
  for (int i = 1; i < kWidgetSlots; ++i) EXPECT_EQ(widgetInput.pulse[i], 1.0f);

  widgetInput = WidgetInput{};
  std::string longText(100, 'a');
  EXPECT_EQ(frame(12, longText.c_str()).glyphsDrawn, kMaxTextLength);
  EXPECT_EQ(widgetInput.glyphCount, kMaxTextLength);
  widgetInput = WidgetInput{};
  moveMouse(100 + 20 * 61, 50);  // past the 60th cell even when spread by the hover
  frame(12, longText.c_str());
  EXPECT_EQ(input.hoveredItem, 0);
}

// ---- On screen ----

constexpr int kGlyphSize = 12;

Pixel letterColour(char c) { return letterTestColour(c); }
const Pixel kButtonColour{90, 30, 160};

class TextDrawingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    windowOpen = openTestWindow(640, 480);
    if (!windowOpen) return;
    ScratchDir tree;
    const std::string dir = tree.root().string();
    releaseAllTextures();
    for (char c = 'a'; c <= 'z'; ++c)
      loadPlainSprite(100 + (c - 'a'), dir, std::string(1, c), kGlyphSize, kGlyphSize,
                      letterColour(c), Centre);
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
  EXPECT_EQ(frame.at(98, 101), (Pixel{0, 0, 0}));
  // Small glyphs are half size on 10-pixel steps; large ones four times the size.
  EXPECT_EQ(frame.count(letterColour('c'), 0, 0, 640, 480), 6 * 6);
  ASSERT_TRUE(frame.centre(letterColour('d'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 110, 0.6);
  EXPECT_EQ(frame.count(letterColour('e'), 0, 0, 640, 480), 48 * 48);
  ASSERT_TRUE(frame.centre(letterColour('e'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 500, 0.6);
}

}  // namespace
