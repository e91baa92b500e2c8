// Glyph text layout, hover pulses and hit boxes, worked out without a display.
#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
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

TEST_F(TextLayoutTest, HitBoxSpansTheWholeTextAndHoverSpreadsTheLetters) {
  moveMouse(100 + 50, 50);  // inside the third cell of "aZb", past its last glyph
  EXPECT_EQ(frame(7, "aZb").offsetX[1], 25);  // hovered: spread at once to 25-pixel steps
  EXPECT_EQ(input.hoveredItem, 7);
  EXPECT_EQ(widgetInput.pulse[7], kTextPulse);
  widgetInput = WidgetInput{};
  moveMouse(100 + 65, 50);
  frame(7, "aZb");
  EXPECT_EQ(input.hoveredItem, 0);
  moveMouse(110, 50 - 16);  // the box spans 16 pixels either side, edges excluded
  frame(7, "a");
  EXPECT_EQ(input.hoveredItem, 0);
  moveMouse(100, 50);
  frame(9, "");  // no width: never hovered
  EXPECT_EQ(input.hoveredItem, 0);
  moveMouse(105, 50);
  widgetInput.pulse[0] = 3;
  frame(0, "abc");  // a label is never hit and its pulse stays at rest
  EXPECT_EQ(input.hoveredItem, 0);
  EXPECT_EQ(widgetInput.pulse[0], 0);

  // After the mouse leaves, the spread settles within a quarter of a second (fps 100).
  moveMouse(110, 50);
  frame(5, "abc");
  moveMouse(-1000, -1000);
  for (int i = 0; i < 24; ++i) frame(5, "abc");
  EXPECT_GT(widgetInput.pulse[5], 0);
  frame(5, "abc");
  frame(5, "abc");
  EXPECT_EQ(widgetInput.pulse[5], 0);
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

TEST_F(TextLayoutTest, SmallTextAsksForItsSoundOnlyWhenTheMouseArrives) {
  moveMouse(110, 52);
  EXPECT_TRUE(frame(2, "quit", TextSize::Small).hoverSound);
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(frame(2, "quit", TextSize::Small).hoverSound);
  moveMouse(-1000, -1000);
  for (int i = 0; i < 5; ++i) frame(2, "quit", TextSize::Small);  // away 0.05 s
  moveMouse(110, 52);
  EXPECT_FALSE(frame(2, "quit", TextSize::Small).hoverSound);
  moveMouse(-1000, -1000);
  for (int i = 0; i < 12; ++i) frame(2, "quit", TextSize::Small);  // the pulse dies out
  moveMouse(110, 52);
  EXPECT_TRUE(frame(2, "quit", TextSize::Small).hoverSound);
  moveMouse(110, 60);  // small text's box is 9 pixels either side
  EXPECT_FALSE(frame(4, "quit", TextSize::Small).hoverSound);
}

TEST_F(TextLayoutTest, ColourFollowsFadeDimmingAndFocus) {
  TextPlacement faded = placeText(TextSize::Normal, 0, HAnchor::Left, VAnchor::Top, 0, 0, 0.5f, "a");
  EXPECT_EQ(faded.colour, (std::array<float, 4>{0.5f, 0.5f, 1.0f, 0.5f}));
  TextPlacement resting =
      placeText(TextSize::Normal, 4, HAnchor::CentreOnScreenDim, VAnchor::Top, 0, 0, 0.2f, "a");
  EXPECT_EQ(resting.colour, (std::array<float, 4>{1, 1, 1, 0.6f}));
  widgetInput.pulse[4] = 1.0f;
  EXPECT_EQ(placeText(TextSize::Small, 4, HAnchor::CentreOnX, 0, 0, 0, 0.2f, "a").colour[3], 1);
  widgetInput.editFocusWidget = 6;
  EXPECT_TRUE(frame(6, "abc").focused);
  EXPECT_FALSE(frame(6, "abc", TextSize::Small).focused);
}

TEST_F(TextLayoutTest, EachSizeKnowsItsOwnCharacters) {
  for (int c : {int{'('}, int{'A'}, int{'B'}, 0xA3}) {
    EXPECT_NE(glyphFor(c, TextSize::Normal), kGlyphNothing) << c;
    EXPECT_EQ(glyphFor(c, TextSize::Small), kGlyphNothing) << c;
  }
  for (int c : {'X', 'C', 'D', 'K', 'T'}) EXPECT_EQ(glyphFor(c, TextSize::Large), kGlyphNothing);
  EXPECT_EQ(glyphFor('L', TextSize::Large), glyphFor('L', TextSize::Normal));
  for (int c = 0; c < 256; ++c) {  // the three slots no image is loaded into are never used
    int slot = glyphFor(static_cast<unsigned char>(c), TextSize::Normal);
    EXPECT_TRUE(slot != 141 && slot != 142 && slot != 144) << c;
  }
}

}  // namespace
