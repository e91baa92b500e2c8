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
    widgetInput.editPlayer = 1;
    widgetInput.editFocusWidget = 41;
    setName("");
  }
  void TearDown() override {
    players = savedPlayers;
    input = InputState{};
    widgetInput = WidgetInput{};
  }
  static void setName(const char* name) {
    std::strncpy(players.name[1].data(), name, kPlayerNameLength - 1);
  }
  static std::string name() { return players.name[1].data(); }
  // One frame: the name is drawn first (which counts its glyphs), then the key is taken.
  static void typeKey(char key) {
    placeText(TextSize::Normal, 41, HAnchor::Left, VAnchor::Top, 0, 0, 1, players.name[1].data());
    input.typedChar = key;
    runNameEntry();
    input.typedChar = kNoTypedChar;
  }
  PlayerTable savedPlayers;
};

TEST_F(NameEntryTest, LettersAreLowerCasedAndOnlyLettersAndDigitsAreTaken) {
  for (char key : {'B', 'o', 'b', '7', ' ', '.', '-', '(', 'Z', kNoTypedChar}) typeKey(key);
  EXPECT_EQ(name(), "bob7z");
  EXPECT_EQ(widgetInput.editFocusWidget, 41);  // still typing
  EXPECT_EQ(std::string(players.name[0].data()), std::string(savedPlayers.name[0].data()));
}

TEST_F(NameEntryTest, NameStopsAtNineGlyphsAndBackspaceEmptiesIt) {
  for (const char* c = "abcdefghijkl"; *c != '\0'; ++c) typeKey(*c);
  EXPECT_EQ(name(), "abcdefghi");
  typeKey('x');
  EXPECT_EQ(name(), "abcdefghi");
  typeKey(8);
  EXPECT_EQ(name(), "");
  setName("abc");
  typeKey(127);
  EXPECT_EQ(name(), "");
}

TEST_F(NameEntryTest, ReturnOrAnyClickEndsTypingAndEmptyBecomesMyname) {
  input.keyReturn = 1;
  typeKey(kNoTypedChar);
  EXPECT_EQ(name(), "myname");
  EXPECT_EQ(widgetInput.editFocusWidget, 0);

  widgetInput.editFocusWidget = 41;
  input.keyReturn = 0;
  setName("ann");
  input.clickState = 1;  // a click anywhere, in the frame the screen also sees it
  typeKey(kNoTypedChar);
  EXPECT_EQ(name(), "ann");
  EXPECT_EQ(widgetInput.editFocusWidget, 0);

  // Backspace and Return in one frame never leave an empty name.
  widgetInput.editFocusWidget = 41;
  input.clickState = 0;
  input.keyReturn = 1;
  typeKey(8);
  EXPECT_EQ(name(), "myname");

  // A held button (clickState -1) does not end the typing.
  widgetInput.editFocusWidget = 41;
  input.keyReturn = 0;
  input.clickState = -1;
  typeKey('q');
  EXPECT_EQ(widgetInput.editFocusWidget, 41);
}

TEST_F(NameEntryTest, StrayPlayerIndexEditsNothing) {
  PlayerTable before = players;
  for (int stray : {-1, kMaxPlayers, 1000}) {
    widgetInput.editPlayer = stray;
    widgetInput.editFocusWidget = 41;
    input.typedChar = 'a';
    runNameEntry();
    EXPECT_EQ(widgetInput.editFocusWidget, 0);
  }
  for (int p = 0; p < kMaxPlayers; ++p) EXPECT_EQ(players.name[p], before.name[p]);
}

}  // namespace
