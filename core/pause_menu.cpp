#include "core/pause_menu.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "play/play_state.h"
#include "render/scene.h"
#include "render/texture_tables.h"
#include "ui/localised_strings.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kPopupSprite = 29;

// Leaving a hole early leaves no score on it for any of the four slots.
void clearCurrentHoleScores() {
  if (holeNumber < 1 || holeNumber > kHolesPerCourse) return;
  for (int p = 0; p < kMaxPlayers; ++p) scores.strokes[p][holeNumber] = 0;
}

// A dark veil over the frozen scene.
void drawVeil() {
  loadScreenProjection();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.0f, 0.0f, 0.1f, 0.7f);
  glBegin(GL_QUADS);
  glVertex2i(0, 0);
  glVertex2i(screenWidth, 0);
  glVertex2i(screenWidth, screenHeight);
  glVertex2i(0, screenHeight);
  glEnd();
  glEnable(GL_TEXTURE_2D);
}

// The panel and its three lines; the next-hole line is left out on the last hole.
void drawChoices() {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glPushMatrix();
  glTranslatef(static_cast<float>(screenWidth) / 2.0f, static_cast<float>(screenHeight) / 2.0f,
               0.0f);
  drawSprite(Sprites[kPopupSprite], 0);
  glPopMatrix();
  drawSmallText(QuitCourse, HAnchor::CentreOnScreen, VAnchor::Middle, 0, -15, 1.0f,
                localisedStrings.strQuitCourse.data());
  if (holeNumber < courseHoleCount()) {
    drawSmallText(NextHole, HAnchor::CentreOnScreen, VAnchor::Middle, 0, 20, 1.0f,
                  localisedStrings.strNextCourse.data());
  }
  drawSmallText(ContinuePlay, HAnchor::CentreOnScreen, VAnchor::Middle, 0, 55, 1.0f,
                localisedStrings.strContinue.data());
}

}  // namespace

void choosePauseItem(int item) {
  switch (item) {
    case QuitCourse:
      slideOffset = 0.0f;
      clearCurrentHoleScores();
      screenState = reloadTransitionTo(Reload);  // screenChoice was set to 1 on entry: on to the high scores
      break;
    case NextHole:
      clearCurrentHoleScores();
      SDL_ShowCursor(SDL_DISABLE);
      slideOffset = 0.0f;
      screenState = Playing;
      if (holeNumber < courseHoleCount()) ++holeNumber;
      loadHoleMap();
      break;
    case ContinuePlay:
      slideOffset = 0.0f;
      screenState = Playing;
      SDL_ShowCursor(SDL_DISABLE);
      break;
    default: break;
  }
}

void drawPauseMenu() {
  drawScene();
  drawVeil();
  drawChoices();
  if (input.clickState == 1) choosePauseItem(input.hoveredItem);
}
