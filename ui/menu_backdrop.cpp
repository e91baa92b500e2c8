#include "ui/menu_backdrop.h"

#include <GL/glew.h>

#include <cmath>

#include "core/app_state.h"
#include "course/world_theme.h"
#include "play/play_state.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/scene.h"
#include "render/sea.h"
#include "render/texture_tables.h"
#include "render/vector_math.h"
#include "ui/text_drawing.h"

namespace {

constexpr float kOrbitCentre = 12.5f;  // the middle of the 25 x 25 grid
constexpr float kOrbitRadius = 13.0f;
constexpr float kBackdropEyeHeight = 6.0f;
constexpr float kBackdropTargetHeight = 2.0f;
constexpr float kSkyHeight = 3.0f;
constexpr float kUpperSkyLift = 12.0f;
constexpr float kUpperSkyTurn = 0.4f;  // degrees per second of sky clock
constexpr float kStripAbove = 108.0f;  // the strip band starts this far above the bottom edge
constexpr float kStripBelow = 50.0f;
constexpr float kBorderWidth = 64.0f;
constexpr float kCornerCircle = 13.0f;
constexpr int kVirtualWidth = 640;
constexpr int kVirtualHeight = 480;
constexpr double kVirtualFrameWidth = 660.0;

void colour(const Rgba& c) { glColor4f(c[0], c[1], c[2], c[3]); }

void bindTexture(int slot) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, GameTextures[slot].glName);
}

void texturedVertex(float s, float t, float x, float y) {
  glTexCoord2f(s, t);
  glVertex2f(x, y);
}

void drawSkies() {
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glPushMatrix();
  glColor4f(1, 1, 1, 1);
  glTranslatef(camera.eye.x, kSkyHeight, camera.eye.z);
  drawModel(SkyModelA);
  glRotatef(kUpperSkyTurn * static_cast<float>(skyClock), 0, -1, 0);
  glTranslatef(0, kUpperSkyLift, 0);
  drawModel(SkyModelB);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}

}  // namespace

void turnDecor() { decorAngle += kDecorTurnRate / frameClock.fps; }

void drawSkyAndSea() {
  turnDecor();
  const float a = decorAngle * kDegToRad;
  camera.eye = {kOrbitCentre + kOrbitRadius * std::cos(a), kBackdropEyeHeight,
                kOrbitCentre + kOrbitRadius * std::sin(a)};
  camera.target = {kOrbitCentre, kBackdropTargetHeight, kOrbitCentre};
  camera.previousTarget = camera.target;  // no gliding: the orbit moves the eye only
  setupCamera();
  skyClock += 1.0 / frameClock.fps;
  drawSkies();
  const bool fog = startWorldFog();
  drawSea();
  if (fog) glDisable(GL_FOG);
}

void beginMenu2D() {
  loadScreenProjection();
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  if (glActiveTextureARB != nullptr) {
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    glActiveTextureARB(GL_TEXTURE0_ARB);
  }
  glDisable(GL_TEXTURE_2D);
}

void fillVerticalGradient(float x0, float y0, float x1, float y1, const Rgba& top,
                          const Rgba& bottom) {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  colour(top);
  glVertex2f(x0, y0);
  glVertex2f(x1, y0);
  colour(bottom);
  glVertex2f(x1, y1);
  glVertex2f(x0, y1);
  glEnd();
}

void fillHorizontalGradient(float x0, float y0, float x1, float y1, const Rgba& left,
                            const Rgba& right) {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  colour(left);
  glVertex2f(x0, y0);
  glVertex2f(x0, y1);
  colour(right);
  glVertex2f(x1, y1);
  glVertex2f(x1, y0);
  glEnd();
}

void fillCentreGlow(float x0, float y0, float x1, float y1, const Rgba& centre, const Rgba& edge) {
  const float middle = (x0 + x1) / 2.0f;
  fillHorizontalGradient(x0, y0, middle, y1, edge, centre);
  fillHorizontalGradient(middle, y0, x1, y1, centre, edge);
}

void drawBlueVeil(bool opaqueTop) {
  Rgba clear = kMenuBlue;
  clear[3] = 0.0f;
  const float bottom = static_cast<float>(screenHeight) + 1.0f;
  const float width = static_cast<float>(screenWidth);
  if (opaqueTop) {
    fillVerticalGradient(0, -1, width, bottom, kMenuBlue, clear);
  } else {
    fillVerticalGradient(0, -1, width, bottom, clear, kMenuBlue);
  }
}

void drawMenuStripBand() {
  const float top = static_cast<float>(screenHeight) - kStripAbove;
  const float bottom = static_cast<float>(screenHeight) + kStripBelow;
  const float width = static_cast<float>(screenWidth);
  colour(kWhite);
  bindTexture(MenuBarTexture);
  glBegin(GL_QUADS);
  texturedVertex(1, 0, 0, top);
  texturedVertex(0, 0, 0, bottom);
  texturedVertex(0, 1, width, bottom);
  texturedVertex(1, 1, width, top);
  glEnd();
}

void drawSideBorders() {
  const float width = static_cast<float>(screenWidth);
  const float height = static_cast<float>(screenHeight);
  colour(kWhite);
  bindTexture(MenuArcTexture);
  glBegin(GL_QUADS);
  texturedVertex(0, 0, 0, 0);
  texturedVertex(0, 1, 0, height);
  texturedVertex(1, 1, kBorderWidth, height);
  texturedVertex(1, 0, kBorderWidth, 0);
  texturedVertex(1, 0, width - kBorderWidth, 0);
  texturedVertex(1, 1, width - kBorderWidth, height);
  texturedVertex(0, 1, width, height);
  texturedVertex(0, 0, width, 0);
  glEnd();
}

void drawCirclingBackground(const Rgba& tint, float lowerBase) {
  const float a = decorAngle;
  const float w = static_cast<float>(screenWidth);
  const float low = static_cast<float>(screenHeight) + lowerBase;
  auto sine = [a](float shift) { return kCornerCircle * std::sin((a + shift) * kDegToRad); };
  auto cosine = [a](float shift) { return kCornerCircle * std::cos((a + shift) * kDegToRad); };
  colour(tint);
  bindTexture(BackgroundTexture);
  glBegin(GL_QUADS);
  texturedVertex(0, 0, -kCornerCircle - sine(300), -kCornerCircle + cosine(270));
  texturedVertex(0, 1, -kCornerCircle - sine(36), low + cosine(70));
  texturedVertex(1, 1, w + kCornerCircle - sine(150), low + cosine(30));
  texturedVertex(1, 0, w + kCornerCircle - sine(3), -kCornerCircle + cosine(3));
  glEnd();
}

VirtualScreen beginVirtualScreen() {
  const VirtualScreen saved{screenWidth, screenHeight};
  screenWidth = kVirtualWidth;
  screenHeight = kVirtualHeight;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, kVirtualFrameWidth, kVirtualHeight, 0.0, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  return saved;
}

void endVirtualScreen(const VirtualScreen& saved) {
  screenWidth = saved.width;
  screenHeight = saved.height;
  loadScreenProjection();
}

void drawSpriteAt(int slot, float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0);
  drawSprite(Sprites[slot], 0);
  glPopMatrix();
}

void drawSmallSpriteAt(int slot, float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0);
  drawSpriteSmall(Sprites[slot], 0);
  glPopMatrix();
}

bool itemClicked(int widgetId) {
  return input.clickState == 1 && input.hoveredItem == widgetId;
}
