#include "ui/high_score_screen.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>

#include "core/app_state.h"
#include "core/frame_clock.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "ui/course_select.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/score_file.h"
#include "ui/text_drawing.h"
#include "render/vector_math.h"

namespace {

constexpr int kRowPitch = 30;
constexpr int kColumnPitch = 27;
constexpr int kFirstRowY = -80;  // from the middle of the virtual frame
constexpr float kWaveDecay = 20.0f;  // pixels per second
constexpr int kScoreGroupSprite = 56;
constexpr int kWideScreen = 801;  // from this width the score picture is drawn at full size
constexpr int kButtonRowLift = 40;

int worldPar(int hole) {
  if (!isCatalogueWorld(catalogue.currentWorld)) return 0;
  return catalogue.holePars[catalogue.currentWorld][hole];
}

bool isNewEntry(int row) {
  for (int i = 0; i < newEntryCount; ++i) {
    if (newEntryRows[i] == row) return true;
  }
  return false;
}

void label(int x, int y, const char* text) {
  drawSmallText(0, HAnchor::Left, VAnchor::Middle, x, y, 1.0f, text);
}

void centredLabel(int x, int y, const char* text) {
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Middle, x, y, 1.0f, text);
}

// New entries glow and pulse; the others lie on a faint dark band.
void drawRowBand(int row) {
  const float y = static_cast<float>(kRowPitch * row);
  if (isNewEntry(row)) {
    const float a = decorAngle;
    const Rgba left{1, 1, 1, 1.3f + std::cos((y + a) * kDegToRad)};
    const Rgba right{1, 1, 0.6f, 1.1f + std::cos((y + a + 15.0f) * kDegToRad)};
    fillHorizontalGradient(20, 147 + y, 600, 174 + y, left, right);
  } else {
    const Rgba shade{0, 0, 0, 0.2f};
    fillHorizontalGradient(20, 145 + y, 637, 176 + y, shade, shade);
  }
}

void drawRows() {
  for (int row = 0; row < kShownScores; ++row) {
    drawRowBand(row);
    label(30, kFirstRowY + kRowPitch * row, HighScoreTable[row + 1].name.data());
    const float y = static_cast<float>(145 + kRowPitch * row);
    fillHorizontalGradient(20, y, 637, y + 1, kWhite, Rgba{1, 1, 1, 0.3f});
  }
}

void drawHoleColumns() {
  ScoreCell cell{};
  for (int c = 1; c <= kHolesPerCourse; ++c) {
    const int x = kColumnPitch * c - 220;
    drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, kColumnPitch * c - 233, -125, 1.0f, "D");
    std::snprintf(cell.data(), cell.size(), "%d", c);
    centredLabel(x, -120, cell.data());
    std::snprintf(cell.data(), cell.size(), "%d", worldPar(c));
    centredLabel(x, -105, cell.data());
    for (int row = 0; row < kShownScores; ++row) {
      formatStrokesCell(cell, HighScoreTable[row + 1].strokes[c]);
      const int y = kFirstRowY + kRowPitch * row + static_cast<int>(scoreWaveOffset(scoreWave, c, row));
      centredLabel(x, y, cell.data());
    }
  }
}

void drawTotals() {
  ScoreCell cell{};
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 280, -125, 1.0f, "D");
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 317, -125, 1.0f, "D");
  centredLabel(293, -120, "T");
  int parTotal = 0;
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) parTotal += worldPar(hole);
  std::snprintf(cell.data(), cell.size(), "%d", parTotal);
  centredLabel(298, -105, cell.data());
  for (int row = 0; row < kShownScores; ++row) {
    std::snprintf(cell.data(), cell.size(), "%d", roundTotal(HighScoreTable[row + 1]));
    const int y = kFirstRowY + kRowPitch * row + static_cast<int>(scoreWaveOffset(scoreWave, 0, row));
    centredLabel(298, y, cell.data());
  }
}

void drawWorldRow() {
  const char* name = isCatalogueWorld(catalogue.currentWorld)
                         ? catalogue.worldNames[catalogue.currentWorld].data()
                         : "";
  drawText(ScoresBack, HAnchor::CentreOnScreen, VAnchor::Top, 0, screenHeight - kButtonRowLift,
           1.0f, localisedStrings.strBack.data());
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Top, 10, 70, 1.0f, name);
  drawText(ScoresPreviousWorld, HAnchor::CentreOnScreen, VAnchor::Top, -220, 70, 1.0f, " A");
  drawText(ScoresNextWorld, HAnchor::CentreOnScreen, VAnchor::Top, 220, 70, 1.0f, " B");
}

void drawScoreGroupPicture() {
  glColor4f(1, 1, 1, 1);
  if (screenWidth < kWideScreen) {
    drawSmallSpriteAt(kScoreGroupSprite, 64, static_cast<float>(screenHeight - 64));
  } else {
    drawSpriteAt(kScoreGroupSprite, 128, static_cast<float>(screenHeight - 128));
  }
}

}  // namespace

float scoreWaveOffset(float wave, int column, int row) {
  // The totals column (0) is the twentieth: its phase is 190 degrees, ten per column.
  const float phase = column == 0 ? 190.0f : 10.0f * static_cast<float>(column);
  return wave * std::cos((13.0f * wave + phase + 15.0f * static_cast<float>(row)) * kDegToRad);
}

void formatStrokesCell(ScoreCell& cell, int strokes) {
  if (strokes == 0) {
    std::snprintf(cell.data(), cell.size(), "..");
  } else {
    std::snprintf(cell.data(), cell.size(), "%d", strokes);
  }
}

void drawHighScoreTable() {
  const VirtualScreen saved = beginVirtualScreen();
  turnDecor();
  label(30, -120, localisedStrings.strHole.data());
  label(30, -105, localisedStrings.strPar.data());
  drawRows();
  drawHoleColumns();
  drawTotals();
  endVirtualScreen(saved);
}

void chooseHighScoreItem(int item) {
  switch (item) {
    case ScoresNextWorld:
    case ScoresPreviousWorld:
      // The new world's file is read, merged with the cleared game and rewritten next frame.
      stepWorld(item == ScoresNextWorld ? 1 : -1);
      roundMerged = 0;
      break;
    case ScoresBack:
      restartPictureZoom();
      screenState = LeaveHighScores;
      break;
    default: break;
  }
}

void runHighScores() {
  if (roundMerged == 0) {
    loadScoreFile();
    mergeRound();
  }
  scoreWave -= kWaveDecay / frameClock.fps;
  if (scoreWave < 0) scoreWave = 0;
  beginMenu2D();
  drawCirclingBackground(kWhite, 1.0f);
  drawMenuStripBand();
  drawSideBorders();
  fillCentreGlow(0, 50, static_cast<float>(screenWidth), 90, kWhite, Rgba{1, 1, 1, 0});
  drawWorldRow();
  glClearColor(1, 1, 1, 1);
  drawScoreGroupPicture();
  drawHighScoreTable();
  if (input.clickState == 1) chooseHighScoreItem(input.hoveredItem);
  updateSecondClock();
}
