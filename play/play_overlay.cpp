// The play overlay and the scorecard, drawn in the pixel projection over the 3D view.
#include "play/play_overlay.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/play_state.h"
#include "render/texture_tables.h"
#include "ui/localised_strings.h"
#include "ui/score_file.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kViewIconSlot = 8;       // 8..11, one per player view
constexpr int kPlayerViews = 4;
constexpr int kOverviewMode = 3;
constexpr int kGaugeSlot = 12;         // 12..24, one per whole power step
constexpr int kGaugeSteps = 12;
constexpr int kPortraitSlot = 40;      // 40..54
constexpr int kPortraits = 15;
constexpr float kBannerRise = 5.0f;    // turnBannerFade units per second
constexpr float kSlidePerFade = 50.0f; // slide pixels per unit of fade still to go
constexpr float kViewIconFall = 2.0f;  // viewIconFade units per second
constexpr float kBackdropTime = 25.0f; // viewTimer at which the result backdrop is opaque
constexpr int kWideWindow = 1024;      // from this width the key hint uses normal text

struct Rgba {
  float r, g, b, a;
};

// A screen rectangle with texture coordinates 0..1, (0,0) at its top-left corner; the left
// and right edges may differ in colour (the bar and the scorecard bands fade out rightwards).
void drawRect(float x0, float y0, float x1, float y1, Rgba left, Rgba right) {
  glBegin(GL_QUADS);
  glColor4f(left.r, left.g, left.b, left.a);
  glTexCoord2f(0, 0);
  glVertex2f(x0, y0);
  glColor4f(right.r, right.g, right.b, right.a);
  glTexCoord2f(1, 0);
  glVertex2f(x1, y0);
  glTexCoord2f(1, 1);
  glVertex2f(x1, y1);
  glColor4f(left.r, left.g, left.b, left.a);
  glTexCoord2f(0, 1);
  glVertex2f(x0, y1);
  glEnd();
}

void drawTexturedRect(int textureSlot, float x0, float y0, float x1, float y1, Rgba left,
                      Rgba right) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, GameTextures[textureSlot].glName);
  drawRect(x0, y0, x1, y1, left, right);
}

void drawSpriteAt(int slot, float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0);
  drawSprite(Sprites[slot], 0);
  glPopMatrix();
}

void loadPixelProjection() {
  loadScreenProjection();
  glDisable(GL_DEPTH_TEST);
}


// A portrait index outside the fifteen pictures shows the first one.
void drawPortrait(float x, float y, float alpha) {
  int icon = players.icon[currentSlot()];
  if (icon < 0 || icon >= kPortraits) icon = 0;
  glColor4f(1, 1, 1, alpha);
  drawSpriteAt(kPortraitSlot + icon, x, y);
}

void drawViewIcon() {
  if (viewIconFade <= 0) return;
  // Only the four player views have an icon; the replay, banner and water modes have none.
  if (cameraMode >= 0 && cameraMode < kPlayerViews) {
    glColor4f(1, 1, viewIconFade, viewIconFade);
    drawSpriteAt(kViewIconSlot + cameraMode, static_cast<float>(screenWidth - 74), 10);
  }
  viewIconFade -= kViewIconFall / frameClock.fps;
}

void drawOverviewHint() {
  if (cameraMode != kOverviewMode) return;
  const char* hint = localisedStrings.strCameraKeys.data();
  if (screenWidth < kWideWindow) {
    drawSmallText(0, HAnchor::Left, VAnchor::Bottom, 15, -15, 1.0f, hint);
  } else {
    drawText(0, HAnchor::Left, VAnchor::Bottom, 30, -30, 1.0f, hint);
  }
}

void formatNumbered(OverlayLine& line, const TextBuffer& prefix, int number) {
  std::snprintf(line.data(), line.size(), "%s %i", prefix.data(), number);
}

void drawAimingDisplay(float slide) {
  if (shotPhase != Aiming || cameraMode == kOverviewMode) return;
  const int width = screenWidth, height = screenHeight;
  OverlayLine line{};
  drawText(0, HAnchor::Left, VAnchor::Top, 30, 22, 1.0f,
           trainingMode != 0 ? localisedStrings.strTraining.data() : worldTheme.levelName.data());
  formatNumbered(line, localisedStrings.strHole, holeNumber);
  drawText(0, HAnchor::Left, VAnchor::Top, 30, 57, 1.0f, line.data());
  formatNumbered(line, localisedStrings.strPar, holeSetup.par);
  drawText(0, HAnchor::Left, VAnchor::Top, 30, 92, 1.0f, line.data());

  // Texture unit 1 may still hold the terrain's second layer; the bar uses unit 0 alone.
  if (glActiveTextureARB != nullptr) {
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    glActiveTextureARB(GL_TEXTURE0_ARB);
  }
  drawTexturedRect(DisplayBarTexture, 0, static_cast<float>(height - 80), 506,
                   static_cast<float>(height - 5), {1, 1, 1, 1}, {1, 1, 1, 0});

  drawPortrait(static_cast<float>(static_cast<int>(64 - 3 * slide)),
               static_cast<float>(height - 64), turnBannerFade);
  drawSpriteAt(powerGaugeSlot(strikePower), static_cast<float>(width - 70),
               height + slide - 70);
  drawSmallText(0, HAnchor::Left, VAnchor::Top, width - 175,
                static_cast<int>(height + slide - 70), 1.0f,
                localisedStrings.strStrikeForce.data());
  formatStrokeLine(line);
  drawText(0, HAnchor::Left, VAnchor::Top, 150, height - 25, 1.0f, line.data());
  drawText(0, HAnchor::Left, VAnchor::Top, 150, height - 60, 1.0f,
           players.name[currentSlot()].data());
}

// The panel behind the result and the introduction banner.
void drawResultPanel() {
  float centreX = screenWidth / 2, centreY = screenHeight / 2;
  drawTexturedRect(OverlayTexture, centreX - 256, centreY - 128, centreX + 256, centreY,
                   {1, 1, 1, 1}, {1, 1, 1, 1});
}

void drawResultDisplay() {
  if (shotPhase != HoleDone) return;
  Rgba backdrop{1, 1, 1, viewTimer / kBackdropTime};
  drawTexturedRect(RedBackgroundTexture, 0, 0, static_cast<float>(screenWidth),
                   static_cast<float>(screenHeight), backdrop, backdrop);
  drawResultPanel();
  drawPortrait(static_cast<float>(screenWidth / 2), static_cast<float>(screenHeight / 2 - 175),
               turnBannerFade);
  OverlayLine line{};
  formatStrokeLine(line);
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, -90, 1.0f, line.data());
  std::snprintf(line.data(), line.size(), "%s %s", players.name[currentSlot()].data(),
                localisedStrings.strFinishedCourse.data());
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, -60, 1.0f, line.data());
  if (viewTimer > kBackdropTime) {
    drawScorecard();
    drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, screenHeight - 25, 1.0f,
                  localisedStrings.strClickToContinue.data());
  }
}

void drawHoleIntroduction() {
  if (cameraMode != HoleIntro) return;
  drawResultPanel();
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, -90, 1.0f,
           worldTheme.levelName.data());
  OverlayLine line{};
  formatNumbered(line, localisedStrings.strHole, holeNumber);
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, -60, 1.0f, line.data());
}

}  // namespace

void formatStrokeLine(OverlayLine& line) {
  int player = currentSlot();
  int strokes = players.strokes[player];
  const TextBuffer& words =
      strokes < 2 ? localisedStrings.strStrokePlayed : localisedStrings.strStrokesPlayed;
  std::snprintf(line.data(), line.size(), "%s %i   X%i", words.data(), strokes,
                players.starsCollected[player]);
}

int powerGaugeSlot(float power) {
  int step = static_cast<int>(power);
  if (step < 0) step = 0;
  if (step > kGaugeSteps) step = kGaugeSteps;
  return kGaugeSlot + step;
}

void drawPlayOverlay() {
  loadPixelProjection();
  float slide = std::fabs((turnBannerFade - 1) * kSlidePerFade);
  if (turnBannerFade < 1) turnBannerFade += kBannerRise / frameClock.fps;
  drawViewIcon();
  drawOverviewHint();
  drawAimingDisplay(slide);
  drawResultDisplay();
  drawHoleIntroduction();
}

// ---- The scorecard ----

namespace {

constexpr int kCardWidth = 640;   // screen size the text anchors compute against
constexpr int kCardHeight = 480;
constexpr float kFrameWidth = 660;  // the virtual frame: x 0..660, y -160 (top) .. 320
constexpr float kFrameTop = -160;
constexpr float kFrameBottom = 320;
constexpr int kRowPitch = 30;       // per player row
constexpr int kColumnPitch = 27;    // per hole column
constexpr float kDecorSpeed = 23.0f;  // degrees per second

// The par row always comes from the current world's table, not from the loaded hole.
int worldPar(int hole) {
  if (catalogue.currentWorld < 0 || catalogue.currentWorld >= kMaxWorlds) return 0;
  return catalogue.holePars[catalogue.currentWorld][hole];
}


void drawPlayerBands() {
  glDisable(GL_TEXTURE_2D);
  for (int p = 0; p < activePlayerCount(); ++p) {
    float top = 145.0f + kRowPitch * p;
    drawRect(20, top, 637, top + 31, {0, 0, 0, 0.4f}, {0, 0, 0, 0.3f});
    drawSmallText(0, HAnchor::Left, VAnchor::Middle, 30, kRowPitch * p - 80, 1.0f,
                  players.name[p].data());
    glDisable(GL_TEXTURE_2D);  // the glyphs leave texturing on
    drawRect(20, top, 637, top + 1, {1, 1, 1, 1}, {1, 1, 1, 0.3f});
  }
}

void drawHoleColumns() {
  OverlayLine cell{};
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) {
    int x = kColumnPitch * hole - 220;
    drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, kColumnPitch * hole - 233, -125, 1.0f,
             "L");
    std::snprintf(cell.data(), cell.size(), "%d", hole);
    drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, x, -120, 1.0f, cell.data());
    std::snprintf(cell.data(), cell.size(), "%d", worldPar(hole));
    drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, x, -105, 1.0f, cell.data());
    for (int p = 0; p < activePlayerCount(); ++p) {
      formatScoreCell(cell, p, hole);
      drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, x, kRowPitch * p - 80, 1.0f,
                    cell.data());
    }
  }
}

void drawTotalColumn() {
  OverlayLine cell{};
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 280, -125, 1.0f, "L");
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 317, -125, 1.0f, "L");
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 293, -120, 1.0f, "T");
  std::snprintf(cell.data(), cell.size(), "%d", courseParTotal());
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 298, -105, 1.0f, cell.data());
  for (int p = 0; p < activePlayerCount(); ++p) {
    std::snprintf(cell.data(), cell.size(), "%d", scorecardTotal(p));
    drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 298, kRowPitch * p - 80, 1.0f,
                  cell.data());
  }
}

}  // namespace

void formatScoreCell(OverlayLine& cell, int player, int hole) {
  int strokes = scores.strokes[player][hole];
  if (strokes == 0) {
    std::snprintf(cell.data(), cell.size(), "..");
  } else {
    std::snprintf(cell.data(), cell.size(), "%d", strokes);
  }
}

int scorecardTotal(int player) {
  int total = 0;
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) {
    int strokes = scores.strokes[player][hole];
    total += strokes == 0 ? kSkippedHoleStrokes : strokes;
  }
  return total;
}

int courseParTotal() {
  int total = 0;
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) total += worldPar(hole);
  return total;
}

void drawScorecard() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kFrameWidth, kFrameBottom, kFrameTop, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  int savedWidth = screenWidth, savedHeight = screenHeight;
  screenWidth = kCardWidth;
  screenHeight = kCardHeight;
  scoreWave = 0;  // the numbers of the card stand still
  decorAngle += kDecorSpeed / frameClock.fps;

  drawSmallText(0, HAnchor::Left, VAnchor::Middle, 30, -120, 1.0f,
                localisedStrings.strHole.data());
  drawSmallText(0, HAnchor::Left, VAnchor::Middle, 30, -105, 1.0f,
                localisedStrings.strPar.data());
  drawPlayerBands();
  drawHoleColumns();
  drawTotalColumn();

  screenWidth = savedWidth;
  screenHeight = savedHeight;
  loadPixelProjection();
}
