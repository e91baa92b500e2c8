#include "play/aiming_aid.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/vector_math.h"
#include "play/terrain_sampling.h"
#include "render/model_loader.h"
#include "render/texture_loader.h"

namespace {

constexpr float kGuideLength = 25;  // the training lines reach across the whole hole

struct GroundPoint {
  float x, z;
};

GroundPoint headingOf(float degrees) { return {std::cos(degrees * kDegToRad), std::sin(degrees * kDegToRad)}; }

// A thin triangle from two base points beside the ball to a tip far along the heading.
void drawGuideLine(float headingDegrees, float height) {
  const float x = static_cast<float>(ball.position.x);
  const float z = static_cast<float>(ball.position.z);
  const GroundPoint d = headingOf(headingDegrees);
  const GroundPoint left = headingOf(headingDegrees + 90);
  const GroundPoint right = headingOf(headingDegrees + 270);
  glBegin(GL_TRIANGLES);
  glVertex3f(x + 0.07f * left.x, height, z + 0.05f * left.z);
  glVertex3f(x + 0.07f * right.x, height, z + 0.05f * right.z);
  glVertex3f(x + kGuideLength * d.x, height, z + kGuideLength * d.z);
  glEnd();
}

// Seven small balls along the stroke, spaced by the power.
void drawPowerBeads(GroundPoint d, float power) {
  glColor4f(1, 1, 0, 0.4f);
  for (int i = 8; i >= 2; --i) {
    glPushMatrix();
    glTranslatef(static_cast<float>(ball.position.x) + d.x * power * i / 40,
                 static_cast<float>(ball.position.y) + 0.1f,
                 static_cast<float>(ball.position.z) + d.z * power * i / 40);
    drawModel(SmallBallModel);
    glPopMatrix();
  }
}

// The arrow from the ball towards the stroke; its tip follows the ground.
void drawArrow(GroundPoint d, float power, float groundHeight) {
  const float x = static_cast<float>(ball.position.x);
  const float y = static_cast<float>(ball.position.y) + 0.1f;
  const float z = static_cast<float>(ball.position.z);
  const GroundPoint left = headingOf(aimAngle + 90);
  const GroundPoint right = headingOf(aimAngle + 270);
  const float tipX = x + d.x * power / 10;
  const float tipZ = z + d.z * power / 10;
  const float tipY = std::max(terrainHeightAt(tipX, tipZ) + 0.1f, groundHeight);
  glBegin(GL_TRIANGLES);
  glColor4f(1, 0.5f, 0, 0.5f);
  glVertex3f(x + 0.05f * left.x, y, z + 0.05f * left.z);
  glColor4f(1, 0.5f, 1, 0.5f);
  glVertex3f(x + 0.05f * right.x, y, z + 0.05f * right.z);
  glColor4f(1, 1, 0.3f, 0.5f);
  glVertex3f(tipX, tipY, tipZ);
  glEnd();
}

}  // namespace

void drawAimingAid(float groundHeight) {
  if (!glWindowOpen()) return;
  const float heading = aimAngle + 180;
  const GroundPoint d = headingOf(heading);
  glDisable(GL_LIGHTING);
  drawPowerBeads(d, strikePower);
  glDisable(GL_TEXTURE_2D);  // the arrow and guides are plain colour
  drawArrow(d, strikePower, groundHeight);
  if (trainingMode) {
    const float y = static_cast<float>(ball.position.y);
    glColor4f(1, 0, 0, 0.5f);
    drawGuideLine(heading, y + 0.09f);
    const float toCup = std::atan2(holeSetup.cupZ - static_cast<float>(ball.position.z),
                                   holeSetup.cupX - static_cast<float>(ball.position.x)) / kDegToRad;
    glColor4f(0, 1, 0, 0.5f);
    drawGuideLine(toCup, y + 0.1f);
  }
  glColor4f(1, 1, 1, 1);
  glEnable(GL_LIGHTING);
}
