// Glyph text layout, hover pulses and hit boxes, worked out without a display.
#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kLetterA = 100;
constexpr int kLetterB = 101;

class TextLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = {screenWidth, screenHeight};
    screenWidth = 640;
    screenHeight = 480;
    frameClock.fps = 100;
    widgetInput = WidgetInput{};
    input = InputState{};
    moveMouse(-1000, -1000);
  }
  void TearDown() override {
    screenWidth = saved[0];
    screenHeight = saved[1];
    widgetInput = WidgetInput{};
    input = InputState{};
  }
  static void moveMouse(float x, float y) {
    input.mouseXf = x;
    input.mouseYf = y;
  }
  // One frame of a normal text line at the top-left, as a screen would draw it.
  static TextPlacement frame(int widget, const char* text, int x = 100, int y = 50) {
    input.hoveredItem = 0;
    return placeText(TextSize::Normal, widget, HAnchor::Left, VAnchor::Top, x, y, 1.0f, text);
  }
  std::array<int, 2> saved{};
};

TEST_F(TextLayoutTest, CentredLineLetsBlanksTakeACellAndUnknownBytesNone) {
  TextPlacement line =
      placeText(TextSize::Normal, 0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 0, 1, "a b");
  ASSERT_EQ(line.glyphsDrawn, 2);
  EXPECT_EQ(line.slot[0], kLetterA);
  EXPECT_EQ(line.slot[1], kLetterB);
  EXPECT_EQ(line.penX + line.offsetX[0], 320 - 20);
  EXPECT_EQ(line.penX + line.offsetX[1], 320 + 20);
  EXPECT_EQ(widgetInput.glyphCount, 2);

  // An unmapped capital is skipped outright: 'b' lands in the very next cell.
  TextPlacement skipped = frame(0, "aZb");
  ASSERT_EQ(skipped.glyphsDrawn, 2);
  EXPECT_EQ(skipped.offsetX[1] - skipped.offsetX[0], 20);
  // '$' steps like a blank and draws nothing.
  TextPlacement dollar = frame(0, "a$b");
  ASSERT_EQ(dollar.glyphsDrawn, 2);
  EXPECT_EQ(dollar.offsetX[1] - dollar.offsetX[0], 40);
  EXPECT_EQ(widgetInput.glyphCount, 2);
}

TEST_F(TextLayoutTest, AnchorsPlaceThePenStart) {
  TextPlacement centredOnX =
      placeText(TextSize::Normal, 0, HAnchor::CentreOnX, VAnchor::Middle, 100, 10, 1, "ab");
  // Two cells centred on x = 100: glyph centres at 90 and 110.
  EXPECT_EQ(centredOnX.penX + centredOnX.offsetX[0], 90);
  EXPECT_EQ(centredOnX.penX + centredOnX.offsetX[1], 110);
  EXPECT_EQ(centredOnX.penY, 240 + 10);

  TextPlacement bottomRight =
      placeText(TextSize::Normal, 0, HAnchor::Right, VAnchor::Bottom, -50, -30, 1, "a");
  EXPECT_EQ(bottomRight.penX, 590);
  EXPECT_EQ(bottomRight.penY, 450);

  TextPlacement small =
      placeText(TextSize::Small, 0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 0, 1, "abc");
  EXPECT_EQ(small.penX + small.offsetX[1], 320);  // the middle letter on the centre
  EXPECT_EQ(small.offsetX[2], 20);

  TextPlacement large =
      placeText(TextSize::Large, 0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 0, 1, "abc");
  EXPECT_EQ(large.penX + large.offsetX[1], 320);
  EXPECT_EQ(large.offsetX[2], 160);

  // Odd pulses give fractional positions; the start is truncated toward zero.
  widgetInput.pulse[3] = 3.0f;
  TextPlacement pulsing =
      placeText(TextSize::Normal, 3, HAnchor::CentreOnX, VAnchor::Top, 0, 0, 1, "abc");
  EXPECT_EQ(pulsing.penX, static_cast<int>(10 + 1.5f - 3 * 11.5f));
}

TEST_F(TextLayoutTest, ColourFollowsFadeDimmingAndFocus) {
  TextPlacement faded = placeText(TextSize::Normal, 0, HAnchor::Left, VAnchor::Top, 0, 0, 0.5f, "a");
  EXPECT_EQ(faded.colour, (std::array<float, 4>{0.5f, 0.5f, 1.0f, 0.5f}));

  TextPlacement resting =
      placeText(TextSize::Normal, 4, HAnchor::CentreOnScreenDim, VAnchor::Top, 0, 0, 0.2f, "a");
  EXPECT_EQ(resting.colour, (std::array<float, 4>{1, 1, 1, 0.6f}));
  widgetInput.pulse[4] = 1.0f;
  TextPlacement lit =
      placeText(TextSize::Small, 4, HAnchor::CentreOnX, VAnchor::Top, 0, 0, 0.2f, "a");
  EXPECT_EQ(lit.colour[3], 1.0f);

  widgetInput.editFocusWidget = 6;
  TextPlacement focused = frame(6, "abc");
  EXPECT_TRUE(focused.focused);
  EXPECT_EQ(focused.colour, (std::array<float, 4>{1, 1, 0, 1}));
  EXPECT_EQ(focused.endX, 60);  // the cursor goes after the last character
  EXPECT_FALSE(frame(0, "abc").focused);
  EXPECT_FALSE(placeText(TextSize::Small, 6, 0, 0, 0, 0, 1, "abc").focused);
}

TEST_F(TextLayoutTest, HitBoxSpansTheFullTextLength) {
  // "aZb" draws two glyphs but its box is three cells wide.
  moveMouse(100 + 50, 50);
  frame(7, "aZb");
  EXPECT_EQ(input.hoveredItem, 7);
  EXPECT_EQ(widgetInput.pulse[7], kTextPulse);
  widgetInput = WidgetInput{};
  moveMouse(100 + 65, 50);
  frame(7, "aZb");
  EXPECT_EQ(input.hoveredItem, 0);
  // Vertical extent: 16 pixels either side of the centre line, edges excluded.
  moveMouse(110, 50 + 15.9f);
  frame(7, "a");
  EXPECT_EQ(input.hoveredItem, 7);
  moveMouse(110, 50 - 16);
  frame(8, "a");
  EXPECT_EQ(input.hoveredItem, 0);
  // An empty text has no width and can never be hovered; a label (id 0) never is.
  moveMouse(100, 50);
  frame(9, "");
  EXPECT_EQ(input.hoveredItem, 0);
  moveMouse(105, 50);
  frame(0, "abc");
  EXPECT_EQ(input.hoveredItem, 0);
  EXPECT_EQ(widgetInput.pulse[0], 0);
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
  TextPlacement cut = frame(12, longText.c_str());
  EXPECT_EQ(cut.glyphsDrawn, kMaxTextLength);
  EXPECT_EQ(widgetInput.glyphCount, kMaxTextLength);
  // The box ends with the 60th character: (20 + 5) x 60 = 1500 after the hover widened it.
  widgetInput = WidgetInput{};
  moveMouse(100 + 20 * 61, 50);
  frame(12, longText.c_str());
  EXPECT_EQ(input.hoveredItem, 0);
}

TEST_F(TextLayoutTest, HoverSpreadsAtOnceAndSettlesWithinAQuarterSecond) {
  moveMouse(110, 50);
  TextPlacement hovered = frame(5, "abc");
  EXPECT_EQ(hovered.offsetX[1], 25);
  EXPECT_EQ(hovered.offsetX[2], 50);

  moveMouse(-1000, -1000);
  frameClock.fps = 100;
  for (int i = 0; i < 24; ++i) frame(5, "abc");  // 0.24 s
  EXPECT_GT(widgetInput.pulse[5], 0);
  frame(5, "abc");
  frame(5, "abc");
  EXPECT_EQ(widgetInput.pulse[5], 0);
  EXPECT_EQ(frame(5, "abc").offsetX[1], 20);
}

TEST_F(TextLayoutTest, SmallTextSoundsOnlyWhenTheMouseArrives) {
  auto smallFrame = [] {
    input.hoveredItem = 0;
    return placeText(TextSize::Small, 2, HAnchor::Left, VAnchor::Top, 100, 50, 1, "quit");
  };
  moveMouse(110, 52);
  EXPECT_TRUE(smallFrame().hoverSound);
  EXPECT_EQ(widgetInput.pulse[2], kSmallTextPulse);
  for (int i = 0; i < 10; ++i) {
    EXPECT_FALSE(smallFrame().hoverSound);
    EXPECT_EQ(input.hoveredItem, 2);
  }
  // Away for 0.05 s, back before the pulse dies: still no sound.
  moveMouse(-1000, -1000);
  for (int i = 0; i < 5; ++i) smallFrame();
  moveMouse(110, 52);
  EXPECT_FALSE(smallFrame().hoverSound);
  // Away long enough for the pulse to reach 0 (a tenth of a second): it sounds again.
  moveMouse(-1000, -1000);
  for (int i = 0; i < 12; ++i) smallFrame();
  EXPECT_EQ(widgetInput.pulse[2], 0);
  moveMouse(110, 52);
  EXPECT_TRUE(smallFrame().hoverSound);
  // Small text's box is 9 pixels either side of its centre line.
  widgetInput = WidgetInput{};
  moveMouse(110, 60);
  EXPECT_FALSE(smallFrame().hoverSound);
}

TEST_F(TextLayoutTest, EachSizeKnowsItsOwnCharacters) {
  for (int c : {int{'('}, int{'A'}, int{'B'}, 0xA3}) {
    EXPECT_NE(glyphFor(c, TextSize::Normal), kGlyphNothing) << c;
    EXPECT_EQ(glyphFor(c, TextSize::Small), kGlyphNothing) << c;
  }
  for (int c : {'X', 'C', 'D', 'K', 'T'}) {
    EXPECT_NE(glyphFor(c, TextSize::Small), kGlyphNothing) << c;
    EXPECT_EQ(glyphFor(c, TextSize::Large), kGlyphNothing) << c;
  }
  EXPECT_EQ(glyphFor('L', TextSize::Large), glyphFor('L', TextSize::Normal));
  EXPECT_EQ(glyphFor(0x8E, TextSize::Large), glyphFor(0x8E, TextSize::Small));
  EXPECT_EQ(glyphFor('z', TextSize::Normal) - glyphFor('a', TextSize::Normal), 25);
  EXPECT_EQ(glyphFor('9', TextSize::Normal) - glyphFor('0', TextSize::Normal), 9);
  for (int c : {int{'Z'}, int{'E'}, int{'?'}, int{'/'}, 0xE9})
    EXPECT_EQ(glyphFor(c, TextSize::Normal), kGlyphNothing) << c;
  // The three slots no image is loaded into are never handed out.
  for (int c = 0; c < 256; ++c) {
    int slot = glyphFor(static_cast<unsigned char>(c), TextSize::Normal);
    EXPECT_TRUE(slot != 141 && slot != 142 && slot != 144) << c;
  }
}

}  // namespace
