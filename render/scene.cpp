#include "render/scene.h"

#include <GL/glew.h>

#include "core/app_state.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "render/camera.h"
#include "render/frame_profile.h"
#include "render/model_loader.h"
#include "render/particles.h"
#include "render/sea.h"

double skyClock = 0.0;
bool mirrorPass = false;

namespace {

constexpr float kSkyBTurnRate = 0.4f;  // degrees per second of game time
constexpr float kBallLift = 0.08f;     // the ball model's centre above its contact point
constexpr std::array<float, 4> kFogColour{0.9f, 0.9f, 0.9f, 1.0f};
constexpr float kFogEnd = 30.0f;
constexpr int kShadowDiscs = 4;

// The two sky domes travel with the eye, so the horizon never comes closer; the upper one turns.
// Behind laid ground depth they lie at the far end of the depth range: they fill only what
// the ground leaves open, write no depth, and everything later draws over them.
void drawSky(bool behindGroundDepth) {
  glDisable(GL_LIGHTING);
  if (behindGroundDepth) {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDepthRange(1.0, 1.0);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glDisable(GL_CULL_FACE);
  glPushMatrix();
  glColor4f(1, 1, 1, 1);
  glTranslatef(camera.eye.x, 3.0f, camera.eye.z);
  drawModel(SkyModelA);
  glRotatef(kSkyBTurnRate * static_cast<float>(skyClock), 0, -1, 0);
  glTranslatef(0, 12.0f, 0);
  drawModel(SkyModelB);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  glDepthRange(0.0, 1.0);
  glDepthMask(GL_TRUE);
}


// Four faint discs, each a little wider than the last, make a soft shadow under the ball.
void drawBallShadow() {
  const float x = static_cast<float>(ball.position.x);
  const float z = static_cast<float>(ball.position.z);
  glPushMatrix();
  glColor4f(0.0f, 0.0f, 0.1f, 0.15f);
  glTranslatef(x, sceneGroundHeight(x, z), z);
  glScalef(0.6f, 0.6f, 0.6f);
  drawModel(BallShadowModel);
  for (int disc = 1; disc < kShadowDiscs; ++disc) {
    glScalef(1.2f, 1.1f, 1.2f);
    drawModel(BallShadowModel);
  }
  glPopMatrix();
}

void drawBall() {
  glPushMatrix();
  glColor4f(1, 1, 1, 1);
  glTranslatef(static_cast<float>(ball.position.x), static_cast<float>(ball.position.y) + kBallLift,
               static_cast<float>(ball.position.z));
  drawModel(BallModel);
  glPopMatrix();
}

void setWaterClipPlane(double side) {
  const std::array<double, 4> plane{0.0, side, 0.0, 0.0};
  glClipPlane(GL_CLIP_PLANE0, plane.data());
  glEnable(GL_CLIP_PLANE0);
}

// The land and its objects mirrored under the water line. The sea and the real scene draw
// over it, so its depth is cleared afterwards.
void drawMirroredLand() {
  glDisable(GL_CULL_FACE);
  setWaterClipPlane(-1.0);
  glPushMatrix();
  glScalef(1.0f, -1.0f, 1.0f);
  drawTerrain();
  mirrorPass = true;
  drawCourseObjects();
  mirrorPass = false;
  glPopMatrix();
  glDisable(GL_CLIP_PLANE0);
  glEnable(GL_CULL_FACE);
  glClear(GL_DEPTH_BUFFER_BIT);
}

// Under the same clip plane as the ground of the pass above the water.
void layGroundDepth() {
  setWaterClipPlane(1.0);
  drawOpaqueGroundDepth();
  glDisable(GL_CLIP_PLANE0);
}

// The ground and the objects with what they always hide left out: the ground inside walls
// and the back faces of closed opaque parts.
void drawLandFacing() {
  cullClosedGroups = true;
  drawTerrain();
  markFramePart(FramePart::Terrain);
  drawCourseObjects();
  cullClosedGroups = false;
}

}  // namespace

void drawPass(int mode) {
  mirrorPass = false;
  drawCupAndFlag();
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  // The ball moves once per drawn frame, in the pass that is not the reflection.
  if (mode != MirroredPass) runBallPhysics();

  drawBall();
  glPushMatrix();
  switch (mode) {
    case AboveWaterPass:
      setWaterClipPlane(1.0);
      drawLandFacing();
      markFramePart(FramePart::Objects);
      glDisable(GL_CLIP_PLANE0);
      break;
    case MirroredPass:
      drawMirroredLand();
      break;
    default:
      drawLandFacing();
      markFramePart(FramePart::Objects);
      break;
  }
}

void drawScene() {
  markFramePart(FramePart::Rest);
  const float fps = frameClock.fps;
  setupCamera();
  extractFrustum(sceneFrustum);
  markFramePart(FramePart::Camera);
  // With the reflection, the depth of the ground above the water goes first: the sky, the
  // mirrored land and the sea then skip what the ground will cover, which is most of the
  // screen. Mirrored geometry is farther than anything above the water only while the eye is
  // above it. Without the reflection the ground is drawn before the sea anyway, and laying
  // its depth costs more than it saves on the sky alone.
  const bool reflection = detailLevel == 2;
  const bool groundFirst = reflection && camera.eye.y > 0.0f;
  if (groundFirst) layGroundDepth();
  markFramePart(FramePart::GroundDepth);
  skyClock += 1.0 / fps;
  drawSky(groundFirst);
  markFramePart(FramePart::Sky);

  const bool fog = startWorldFog();
  if (reflection) {
    drawPass(MirroredPass);
    glPopMatrix();
    if (groundFirst) layGroundDepth();  // the reflection's own depth was cleared
    markFramePart(FramePart::Reflection);
    drawSea();
    markFramePart(FramePart::Sea);
    drawPass(AboveWaterPass);
  } else {
    drawPass(PlainPass);
    drawSea();
    markFramePart(FramePart::Sea);
  }
  glPopMatrix();

  drawBallShadow();
  if (fog) glDisable(GL_FOG);
  markFramePart(FramePart::BallShadow);

  // Effects run their course whether or not they are shown.
  ageParticles(fps);
  if (detailLevel > 0) drawParticles();
  markFramePart(FramePart::Particles);
}

bool startWorldFog() {
  if (!worldTheme.fogEnabled) return false;
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 0.0f);
  glFogf(GL_FOG_END, kFogEnd);
  glFogfv(GL_FOG_COLOR, kFogColour.data());
  return true;
}
