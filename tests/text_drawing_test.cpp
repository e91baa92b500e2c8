// Glyph text: its layout, hover pulses and hit boxes, worked out without a display (the glyphs
// on screen are checked with the scorecard).
#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "play/play_state.h"
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

}  // namespace
