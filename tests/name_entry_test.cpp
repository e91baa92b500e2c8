// Typing a player's name: what a key adds, the nine-glyph limit and how typing ends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/app_state.h"
#include "play/play_state.h"
#include "ui/name_entry.h"
#include "ui/text_drawing.h"

namespace {

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

}  // namespace
