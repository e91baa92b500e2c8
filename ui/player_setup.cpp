#include "ui/player_setup.h"

#include <GL/glew.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "core/app_state.h"
#include "core/config_file.h"
#include "core/frame_clock.h"
#include "core/kinds_file.h"
#include "core/video_modes.h"
#include "play/computer_player.h"
#include "play/play_state.h"
#include "render/texture_tables.h"
#include "render/vector_math.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTallScreen = 700;  // above this the rows spread and the portraits grow
constexpr int kRowHeight = 70;
constexpr int kRowHalfWidth = 200;
constexpr int kPortraitShift = 168;  // portrait centre left of the screen's centre
constexpr float kFaintRow = 0.2f;
constexpr float kHoveredRow = 2.0f;
constexpr float kRockDegrees = 15.0f;
constexpr int kButtonRowLift = 40;
constexpr int kKindShift = 70;  // the kind's word starts right of the screen's centre

bool mouseStrictlyInside(int left, int top, int right, int bottom) {
  return input.mouseX > left && input.mouseX < right && input.mouseY > top && input.mouseY < bottom;
}

int rowTop(int player) {
  const PlayerRowLayout layout = playerRowLayout(screenHeight);
  return layout.firstTop + layout.pitch * player;
}

void drawRowBand(int cx, int top, float alpha) {
  const Rgba left = alpha == kHoveredRow ? Rgba{1.0f, 1.0f, 0.5f, alpha} : Rgba{0.0f, 0.8f, 0.9f, alpha};
  fillHorizontalGradient(static_cast<float>(cx - kRowHalfWidth), static_cast<float>(top + 15),
                         static_cast<float>(cx + kRowHalfWidth), static_cast<float>(top + 64), left,
                         kFadedCyan);
}

// An active name is an item: a click gives it the keyboard, and no later item sees the click.
void drawName(int player, int cx, int top, float alpha) {
  const bool active = alpha > 0.5f;
  const int id = active ? kNameItem + player : 0;
  drawText(id, HAnchor::Left, VAnchor::Top, cx - 100, top + 40, alpha, players.name[player].data());
  if (active && itemClicked(id)) {
    widgetInput.editPlayer = player;
    widgetInput.editFocusWidget = id;
    input.clickState = -1;
  }
}

// Person, rookie, club or ace: a click on an active row's word cycles it.
void drawKind(int player, int cx, int top, float alpha) {
  const int id = alpha > 0.5f ? kKindItem + player : 0;
  drawSmallText(id, HAnchor::Left, VAnchor::Top, cx + kKindShift, top + 45, alpha, playerKindName(playerKinds[player]));
}

void drawPortrait(int player, int cx, int top, float alpha) {
  const bool large = playerRowLayout(screenHeight).largePortraits;
  const PortraitBox box = portraitBox(cx - kPortraitShift, top, large);
  const bool hovered = alpha > 0.5f && mouseStrictlyInside(box.left, box.top, box.right, box.bottom);
  if (hovered && input.clickState == 1) {
    input.clickState = -1;
    players.icon[player] = nextPortrait(players.icon[player]);
  }
  const int icon = players.icon[player];
  if (icon < 0 || icon >= kPortraitCount) return;  // a hand-edited configuration: no picture
  glColor4f(1, 1, 1, alpha);
  glPushMatrix();
  glTranslatef(static_cast<float>(cx - kPortraitShift), static_cast<float>(top + 32), 0);
  if (hovered) glRotatef(kRockDegrees * std::sin(10.0f * decorAngle * kDegToRad), 0, 0, 1);
  if (large) {
    drawSprite(Sprites[kFirstPortraitSprite + icon], 0);
  } else {
    drawSpriteSmall(Sprites[kFirstPortraitSprite + icon], 0);
  }
  glPopMatrix();
}

void drawPlayerRows() {
  const int cx = screenWidth / 2;
  for (int player = 0; player < kMaxPlayers; ++player) {
    const int top = rowTop(player);
    const float alpha = playerRowAlpha(player, top);
    drawRowBand(cx, top, alpha);
    drawName(player, cx, top, alpha);
    drawKind(player, cx, top, alpha);
    drawPortrait(player, cx, top, alpha);
  }
}

void drawCountItems() {
  std::array<char, 16> count{};
  std::snprintf(count.data(), count.size(), "%i", players.playerCount);
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 45, 1.0f,
           localisedStrings.strChangeCharacter.data());
  drawText(FewerPlayers, HAnchor::CentreOnScreenDim, VAnchor::Top, -210, 95, 1.0f, " -");
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Top, -168, 95, 1.0f, count.data());
  drawText(MorePlayers, HAnchor::CentreOnScreenDim, VAnchor::Top, -146, 95, 1.0f, " +");
  drawSmallText(0, HAnchor::Left, VAnchor::Top, screenWidth / 2 - 105, 95, 1.0f,
                localisedStrings.strNumberOfPlayers.data());
  drawText(SetupContinue, HAnchor::CentreOnScreen, VAnchor::Top, 0, screenHeight - kButtonRowLift,
           1.0f, localisedStrings.strContinueButton.data());
}

}  // namespace

PlayerRowLayout playerRowLayout(int height) {
  const bool tall = height > kTallScreen;
  return {tall ? 170 : 120, tall ? 140 : 70, tall};
}

PortraitBox portraitBox(int centreX, int top, bool large) {
  if (large) return {centreX - 64, top - 32, centreX + 64, top + 96};
  return {centreX - 32, top, centreX + 32, top + 64};
}

float playerRowAlpha(int player, int top) {
  if (player >= players.playerCount) return kFaintRow;
  const int cx = screenWidth / 2;
  if (mouseStrictlyInside(cx - kRowHalfWidth, top, cx + kRowHalfWidth, top + kRowHeight)) {
    return kHoveredRow;
  }
  return 1.0f;
}

int nextPortrait(int icon) { return icon + 1 >= kPortraitCount ? 0 : icon + 1; }

const char* playerKindName(int kind) {
  switch (kind) {
    case RookieComputer: return localisedStrings.strRookie.data();
    case ClubComputer: return localisedStrings.strClub.data();
    case AceComputer: return localisedStrings.strAce.data();
    default: return localisedStrings.strPerson.data();
  }
}

void choosePlayerSetupItem(int item) {
  if (item >= kKindItem && item < kKindItem + players.playerCount && item < kKindItem + kMaxPlayers) {
    playerKinds[item - kKindItem] = nextPlayerKind(playerKinds[item - kKindItem]);
    return;
  }
  switch (item) {
    case FewerPlayers:
      if (players.playerCount > 1) --players.playerCount;
      break;
    case MorePlayers:
      if (players.playerCount < kMaxPlayers) ++players.playerCount;
      break;
    case SetupContinue:
      // The configuration keeps the display the game runs in, also a window size the mode
      // list does not hold (the selection then still names another entry).
      selectCurrentVideoMode();
      slideOffset = 0.0f;
      screenState = CourseSelect;
      writeConfigForCurrentDisplay();
      writePlayerKinds();
      break;
    default: break;
  }
}

void runPlayerSetup() {
  drawSkyAndSea();
  beginMenu2D();
  drawBlueVeil(true);
  drawMenuStripBand();
  drawPlayerRows();
  glColor4f(1, 1, 1, 1);
  drawSideBorders();
  drawCountItems();
  if (input.clickState == 1) choosePlayerSetupItem(input.hoveredItem);
  updateSecondClock();
}
