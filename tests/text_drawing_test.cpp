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

Rgb letterColour(char c) {
  int i = c - 'a';
  return {static_cast<std::uint8_t>(20 + 8 * i), 100, static_cast<std::uint8_t>(200 - 5 * i)};
}
const Rgb kCursorColour{250, 250, 0};
const Rgb kBlinkColour{30, 250, 0};  // no blue: the focused line is tinted yellow
const Rgb kButtonColour{90, 30, 160};

class TextDrawingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    windowOpen = openTestWindow(640, 480);
    if (!windowOpen) return;
    TempDataTree tree;
    const std::filesystem::path& dir = tree.root();
    releaseAllTextures();
    for (char c = 'a'; c <= 'z'; ++c) {
      std::string path = (dir / (std::string(1, c) + ".tga")).string();
      writeSolidImage(path, kGlyphSize, kGlyphSize, letterColour(c));
      loadGlyph(100 + (c - 'a'), path, Centre);
    }
    std::string cursor = (dir / "cursor.tga").string();
    writeSolidImage(cursor, kGlyphSize, kGlyphSize, kCursorColour);
    loadGlyph(148, cursor, Centre);
    std::string blink = (dir / "blink.tga").string();
    writeSolidImage(blink, kGlyphSize, kGlyphSize, kBlinkColour);
    loadGlyph(149, blink, Centre);
    std::string button = (dir / "button.tga").string();
    writeSolidImage(button, 40, 20, kButtonColour);
    loadGlyph(147, button, Corner);
  }
  static void loadGlyph(int slot, const std::string& path, int anchor) {
    loadSprite(Sprites[slot], path.c_str());
    setSpriteAnchor(Sprites[slot], anchor);
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

TEST_F(TextDrawingTest, CentredLettersLandOnTheirCells) {
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, 0, 1.0f, "a b");
  FrameGrab frame = grabFrame();
  float x = 0, y = 0;
  ASSERT_TRUE(frame.centre(letterColour('a'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 300, 0.6);
  EXPECT_NEAR(y, 240, 0.6);
  ASSERT_TRUE(frame.centre(letterColour('b'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 340, 0.6);
  EXPECT_EQ(frame.count(letterColour('a'), 0, 0, 640, 480), kGlyphSize * kGlyphSize);
  frame.save("text_centred.png");
}

TEST_F(TextDrawingTest, HoveredButtonSpreadsAndReportsItself) {
  input.mouseXf = 105;
  input.mouseYf = 100;
  drawText(7, HAnchor::Left, VAnchor::Top, 100, 100, 1.0f, "(xy");
  EXPECT_EQ(input.hoveredItem, 7);
  FrameGrab frame = grabFrame();
  // The button background hangs from the pen start by its top-left corner.
  EXPECT_EQ(frame.at(101, 101), kButtonColour);
  EXPECT_EQ(frame.at(98, 101), (Rgb{0, 0, 0}));
  float x = 0, y = 0;
  ASSERT_TRUE(frame.centre(letterColour('y'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 100 + 2 * 25, 0.6);  // third cell at the hovered 25-pixel step
}

TEST_F(TextDrawingTest, SmallAndLargeTextScaleTheirGlyphs) {
  drawSmallText(0, HAnchor::Left, VAnchor::Top, 100, 100, 1.0f, "ab");
  drawLargeText(0, HAnchor::Left, VAnchor::Top, 300, 300, 1.0f, "c");
  FrameGrab frame = grabFrame();
  EXPECT_EQ(frame.count(letterColour('a'), 0, 0, 640, 480), 6 * 6);
  float x = 0, y = 0;
  ASSERT_TRUE(frame.centre(letterColour('b'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 110, 0.6);
  EXPECT_EQ(frame.count(letterColour('c'), 0, 0, 640, 480), 48 * 48);
  ASSERT_TRUE(frame.centre(letterColour('c'), 0, 0, 640, 480, x, y));
  EXPECT_NEAR(x, 300, 0.6);
  EXPECT_NEAR(y, 300, 0.6);
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
