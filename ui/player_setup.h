// The player set-up: how many play (1 to 4), their names, their portraits and whether a person
// or the computer plays each, saved on the way to course selection.
#pragma once

// Player set-up items; each player's name is item kNameItem + player.
enum PlayerSetupItem : int {
  FewerPlayers = 1,
  MorePlayers = 2,
  SetupContinue = 9,
  kNameItem = 40,
  kKindItem = 44,  // each player's kind (person or computer strength) is item kKindItem + player
};

constexpr int kPortraitCount = 15;  // portraits 0..14, Sprites slots 40..54
constexpr int kFirstPortraitSprite = 40;

// Where the rows go on a screen this tall.
struct PlayerRowLayout {
  int firstTop = 0;  // top of player A's row
  int pitch = 0;     // from one row's top to the next
  bool largePortraits = false;
};
PlayerRowLayout playerRowLayout(int height);

// The portrait's click box of a row whose top is y, around the portrait centre x.
struct PortraitBox {
  int left, top, right, bottom;  // open interval: the mouse must be strictly inside
};
PortraitBox portraitBox(int centreX, int rowTop, bool large);

// A row's alpha: 0.2 for a player who does not take part, 1 for one who does, 2 while the
// mouse is over the row of one who does.
float playerRowAlpha(int player, int rowTop);

// The next portrait after this one, wrapping from 14 to 0.
int nextPortrait(int icon);

// The word naming a player kind in the current language.
const char* playerKindName(int kind);

// What a click on the count, kind or continue items does.
void choosePlayerSetupItem(int item);

// One frame of the player set-up.
void runPlayerSetup();
