#include "ui/title_menu.h"

#include <GL/glew.h>

#include <array>
#include <cmath>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/config_file.h"
#include "core/frame_clock.h"
#include "play/play_state.h"
#include "render/camera.h"
#include "render/scene.h"
#include "render/texture_tables.h"
#include "render/vector_math.h"
#include "ui/course_select.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/score_file.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kMaxPanelWidth = 400;
constexpr int kColumnShift = 30;
constexpr int kGameLogoSprite = 61;
constexpr int kStudioLogoSprite = 62;
constexpr int kMenuPictureSprite = 63;
constexpr int kLibraryLogoSprite = 65;

struct TitleLine {
  int item;
  TextBuffer LocalisedStrings::*text;
  int y;
};
constexpr std::array<TitleLine, 5> kTitleLines{{
    {TitlePlay, &LocalisedStrings::strPlay, 230},
    {TitleTraining, &LocalisedStrings::strTraining, 270},
    {TitleHighScores, &LocalisedStrings::strHighScores, 310},
    {TitleOptions, &LocalisedStrings::strOptions, 350},
    {TitleQuit, &LocalisedStrings::strQuit, 410},
}};

// The eye circles the hole 13 units out, rising and sinking as it goes.
void placeOrbitCamera() {
  turnDecor();
  const float a = decorAngle * kDegToRad;
  camera.eye = {12.5f + 13.0f * std::cos(a), 9.0f + 6.0f * std::sin(0.6f * a),
                12.5f + 13.0f * std::sin(a)};
  camera.target = {12.5f, 0.0f, 12.5f};
  camera.previousTarget = camera.target;
}

void drawPanel(int panel) {
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, GameTextures[MenuBarTexture].glName);
  const float right = static_cast<float>(panel);
  const float bottom = static_cast<float>(screenHeight) + 1.0f;
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-2, -1);
  glTexCoord2f(0, 1);
  glVertex2f(-2, bottom);
  glTexCoord2f(1, 1);
  glVertex2f(right, bottom);
  glTexCoord2f(1, 0);
  glVertex2f(right, -1);
  glEnd();
}

void drawPictures(int panel) {
  const float h = static_cast<float>(screenHeight);
  const float w = static_cast<float>(screenWidth);
  glColor4f(1, 1, 1, 1);
  drawSpriteAt(kGameLogoSprite, static_cast<float>(panel / 2 - kColumnShift), 138);
  drawSpriteAt(kStudioLogoSprite, 73, h - 16);
  drawSpriteAt(kMenuPictureSprite, static_cast<float>(panel + 30), h - 256);
  drawSpriteAt(kLibraryLogoSprite, w - 42, h - 42);
}

}  // namespace

int titlePanelWidth(int width) { return width / 2 < kMaxPanelWidth ? width / 2 : kMaxPanelWidth; }

int titleItemColumn(int width) { return titlePanelWidth(width) / 2 - kColumnShift; }

void chooseTitleItem(int item) {
  switch (item) {
    case TitlePlay:
      coursePictureLoaded = 0;
      slideOffset = 0.0f;
      screenState = PlayerSetup;
      break;
    case TitleTraining:
      coursePictureLoaded = 0;
      slideOffset = 0.0f;
      screenState = TrainingSelect;
      break;
    case TitleHighScores:
      roundMerged = 0;
      slideOffset = 0.0f;
      screenState = EnterHighScores;
      break;
    case TitleOptions:
      // The options show what is saved: any unsaved change of an earlier visit is dropped,
      // and the strings and music follow the values read back.
      slideOffset = 0.0f;
      screenState = EnterOptions;
      readConfig();
      applyLanguage();
      setMusicVolume(musicVolume);
      break;
    case TitleQuit: quitRequested = 1; break;
    default: break;
  }
}

void runTitleMenu() {
  placeOrbitCamera();
  drawScene();
  beginMenu2D();
  const int panel = titlePanelWidth(screenWidth);
  drawPanel(panel);
  drawPictures(panel);
  const int column = titleItemColumn(screenWidth);
  for (const TitleLine& line : kTitleLines) {
    drawText(line.item, HAnchor::CentreOnX, VAnchor::Top, column, line.y, 1.0f,
             (localisedStrings.*line.text).data());
  }
  if (input.clickState == 1) chooseTitleItem(input.hoveredItem);
  updateSecondClock();
}
