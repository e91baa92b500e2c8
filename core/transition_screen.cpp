#include "core/transition_screen.h"

#include <GL/gl.h>

#include <cstdlib>

#include "core/app_state.h"
#include "render/texture_tables.h"
#include "ui/localised_strings.h"
#include "ui/text_drawing.h"

float transitionOffset = 0.0f;

bool advanceTransition(float* offset, float fps) {
  *offset += kTransitionSpeed / fps;
  if (*offset > 0.0f) {
    *offset = 0.0f;
    return true;
  }
  return false;
}

namespace {

void drawBackground(float offset) {
  loadScreenProjection();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, GameTextures[BackgroundTexture].glName);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const float left = offset - 1.0f;
  const float top = offset - 1.0f;
  const float right = static_cast<float>(screenWidth) + 1.0f - offset;
  const float bottom = static_cast<float>(screenHeight) + 1.0f - offset;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(left, top);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(right, top);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(right, bottom);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(left, bottom);
  glEnd();
}

}  // namespace

void drawTransitionScreen() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (advanceTransition(&transitionOffset, frameClock.fps)) screenState = std::abs(screenState);
  drawBackground(transitionOffset);
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 0, 0, 1.0f,
           localisedStrings.strLoading.data());
}
