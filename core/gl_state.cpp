#include "core/gl_state.h"

#include <GL/gl.h>

std::array<std::array<float, 4>, kLightColours> lightColours{};

void applyFixedGlState() {
  glClearColor(0.0f, 0.3f, 0.8f, 1.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_LIGHTING);

  // w = 0: both lights are directional.
  const std::array<float, 4> light1Position{100.0f, 5.0f, 70.0f, 0.0f};
  const std::array<float, 4> light2Position{-2.0f, 5.0f, 2.0f, 0.0f};
  glLightfv(GL_LIGHT1, GL_DIFFUSE, lightColours[0].data());
  glLightfv(GL_LIGHT1, GL_POSITION, light1Position.data());
  glLightfv(GL_LIGHT2, GL_DIFFUSE, lightColours[1].data());
  glLightfv(GL_LIGHT2, GL_POSITION, light2Position.data());
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHT2);
  glColorMaterial(GL_FRONT, GL_DIFFUSE);
}

void setBlending(bool on) {
  if (on) {
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
  } else {
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
  }
}

bool usualBlending() {
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  return glIsEnabled(GL_BLEND) && glIsEnabled(GL_ALPHA_TEST) && source == GL_SRC_ALPHA &&
         destination == GL_ONE_MINUS_SRC_ALPHA;
}
