#include "render/camera.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/terrain_sampling.h"

Camera camera;
Frustum sceneFrustum;

namespace {

// GL_LIGHT0 is never used; the three lights give the land a cool key light, a warm fill from
// the other side and a dim back light. Their diffuse colours are the light records that the
// game resource set fills.
constexpr std::array<GLenum, kLightColours> kLightIds{GL_LIGHT1, GL_LIGHT2, GL_LIGHT3};
constexpr std::array<std::array<float, 4>, kLightColours> kLightDirections{{
    {100.0f, 5.0f, 70.0f, 0.0f},  // w = 0: directions fixed in the world
    {-2.0f, 5.0f, 2.0f, 0.0f},
    {-70.0f, 5.0f, -100.0f, 0.0f},
}};

constexpr std::array<float, 4> kMaterialAmbient{0.8f, 0.8f, 0.4f, 1.0f};
constexpr std::array<float, 4> kMaterialSpecular{1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

void setSceneLights() {
  glEnable(GL_LIGHTING);
  for (int i = 0; i < kLightColours; ++i) {
    glLightfv(kLightIds[i], GL_DIFFUSE, lightColours[i].data());
    glLightfv(kLightIds[i], GL_POSITION, kLightDirections[i].data());
    glEnable(kLightIds[i]);
  }
  glMaterialfv(GL_FRONT, GL_AMBIENT, kMaterialAmbient.data());
  glMaterialfv(GL_FRONT, GL_SPECULAR, kMaterialSpecular.data());
}

namespace {

// Row r (0-based) of the column-major matrix m.
std::array<float, 4> matrixRow(const Matrix4& m, int r) {
  return {m[r], m[4 + r], m[8 + r], m[12 + r]};
}

// Plane = row 4 + sign x row `row`, divided by the length of its normal.
std::array<float, 4> clipPlane(const Matrix4& clip, int row, float sign) {
  const std::array<float, 4> w = matrixRow(clip, 3);
  const std::array<float, 4> r = matrixRow(clip, row);
  std::array<float, 4> plane{};
  for (int i = 0; i < 4; ++i) plane[i] = w[i] + sign * r[i];
  float len = length(Vec3{plane[0], plane[1], plane[2]});
  if (len <= 0.0f) len = 1.0f;
  for (float& v : plane) v /= len;
  return plane;
}

}  // namespace

Vec3 smoothedTarget(Vec3 target, Vec3 previousTarget, float fps) {
  return (target * 8.0f + previousTarget * fps) * (1.0f / (fps + 8.0f));
}

void setupCamera() {
  glViewport(0, 0, screenWidth, screenHeight);

  // The 3D projection replaces whatever the previous screen left on the projection stack.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double aspect = static_cast<double>(screenWidth) / static_cast<double>(screenHeight);
  gluPerspective(kFieldOfView, aspect, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  // While the ball runs the camera glides after it instead of jumping.
  if (shotPhase != Aiming) camera.target = smoothedTarget(camera.target, camera.previousTarget, frameClock.fps);
  gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.target.x, camera.target.y, camera.target.z,
            0.0, 2.0, 0.0);
  camera.previousTarget = camera.target;

  // After the look-at, so the light directions stay fixed in the world.
  setSceneLights();
  glEnable(GL_DEPTH_TEST);
}

void frustumFromMatrices(const Matrix4& projection, const Matrix4& modelview, Frustum& frustum) {
  const Matrix4 clip = multiplyMatrices(projection, modelview);
  frustum.planes[RightPlane] = clipPlane(clip, 0, -1.0f);
  frustum.planes[LeftPlane] = clipPlane(clip, 0, 1.0f);
  frustum.planes[BottomPlane] = clipPlane(clip, 1, 1.0f);
  frustum.planes[TopPlane] = clipPlane(clip, 1, -1.0f);
  frustum.planes[FarPlane] = clipPlane(clip, 2, -1.0f);
  frustum.planes[NearPlane] = clipPlane(clip, 2, 1.0f);
}

void extractFrustum(Frustum& frustum) {
  Matrix4 projection{};
  Matrix4 modelview{};
  glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
  frustumFromMatrices(projection, modelview, frustum);
}

bool sphereInFrustum(const Frustum& frustum, float x, float y, float z, float radius) {
  for (const std::array<float, 4>& p : frustum.planes) {
    if (p[0] * x + p[1] * y + p[2] * z + p[3] <= -radius) return false;
  }
  return true;
}

namespace {

constexpr float kGridMiddle = 12.5f;
constexpr float kOverviewRadius = 13.0f;
constexpr int kPullInRounds = 100;
constexpr float kViewBlockingSpeed = 1214.0f;  // wall types this fast are tall enough to hide the ball

Vec3 ballPosition() {
  return {static_cast<float>(ball.position.x), static_cast<float>(ball.position.y),
          static_cast<float>(ball.position.z)};
}

// A cell hides the ball when it carries a tall wall: a wall type animated faster than 1214.
bool cellBlocksView(Vec3 point) {
  const int x = static_cast<int>(std::floor(point.x + 0.5f));
  const int z = static_cast<int>(std::floor(point.z + 0.5f));
  if (x < 0 || z < 0 || x >= kGridCells || z >= kGridCells) return false;
  const int id = loadedObjectId(terrainGrid.cells[x][z].object);
  if (id < 0) return false;
  const ObjectType& type = worldTheme.objectTypes[id];
  return type.behaviour == WallBlock && type.animationSpeed > kViewBlockingSpeed;
}

// Pulls the view in front of the walls; when that leaves less than `least`, switches to the
// fallback view and places that one instead.
bool pulledInOrFellBack(Vec3 b, float start, float least, int fallbackMode) {
  camera.viewDistance = pullInViewDistance(b, aimAngle, start);
  if (camera.viewDistance >= least) return false;
  cameraMode = fallbackMode;
  placeCamera();
  return true;
}

// Close view behind the ball; falls back to the view from above when a wall leaves no room.
void placeCloseView(Vec3 b) {
  if (pulledInOrFellBack(b, 0.7f, 0.2f, 2)) return;
  camera.eye = b + groundDirection(aimAngle) * camera.viewDistance;
  camera.target = b + groundDirection(aimAngle + 180.0f) * 0.7f;
  camera.target.y = b.y;
  camera.eye.y = std::max(sceneGroundHeight(camera.eye.x, camera.eye.z) + 0.5f, camera.target.y + 0.5f);
}

// Wide view behind the ball; falls back to the close view when a wall leaves no room.
void placeWideView(Vec3 b) {
  if (pulledInOrFellBack(b, 1.7f, 0.3f, 0)) return;
  const float lift = camera.viewDistance - 0.2f;
  camera.eye = b + groundDirection(aimAngle) * camera.viewDistance;
  camera.target = b + groundDirection(aimAngle + 180.0f) * 2.7f;
  camera.target.y = b.y;
  const float ground = sceneGroundHeight(camera.eye.x, camera.eye.z);
  camera.eye.y = std::max(std::max(ground + lift, ground), camera.target.y + lift);
}

void placeViewFromAbove(Vec3 b) {
  camera.viewDistance = 0.1f;
  camera.target = b + groundDirection(aimAngle + 180.0f) * 0.5f;
  camera.target.y = b.y;
  camera.eye = b + groundDirection(aimAngle + 180.0f) * 0.4f;
  camera.eye.y = b.y + 5.0f;
}

// The orbit around the middle of the grid: up and down change the height (stopping within
// one frame's step of the limits), left and right turn the orbit.
void placeOverview() {
  const float fps = frameClock.fps;
  if (input.keyUp && camera.overviewHeight > kOverviewLowest) camera.overviewHeight -= 5.0f / fps;
  if (input.keyDown && camera.overviewHeight < kOverviewHighest) camera.overviewHeight += 5.0f / fps;
  if (input.keyLeft) decorAngle += 40.0f / fps;
  if (input.keyRight) decorAngle -= 40.0f / fps;
  camera.target = {kGridMiddle, 0.0f, kGridMiddle};
  camera.eye = {kGridMiddle + kOverviewRadius * std::cos(decorAngle * kDegToRad), camera.overviewHeight,
                kGridMiddle + kOverviewRadius * std::sin(decorAngle * kDegToRad)};
}

// Fly-in: a spiral that closes in on the ball as viewTimer falls from 9 towards 1.
void placeHoleIntro(Vec3 b) {
  camera.target = b;
  camera.eye = b + groundDirection(viewTimer * 10.0f + aimAngle) * viewTimer;
  camera.eye.y = b.y + 2.0f * viewTimer;
}

void placeInWater() {
  camera.target = camera.savedTarget;
  camera.eye = camera.savedEye;
  camera.eye.y += viewTimer * 0.1f;
}

// The eye rises and drifts over the cup while the result is shown.
void placeHoled(Vec3 b) {
  camera.target = b;
  if (viewTimer < 26.0f) {
    camera.savedEye.x += (camera.target.x - camera.savedEye.x) / frameClock.fps;
    camera.savedEye.z += (camera.target.z - camera.savedEye.z) / frameClock.fps;
  }
  camera.eye = camera.savedEye;
  camera.eye.y = camera.savedEye.y + viewTimer * 0.1f;
}

}  // namespace

float sceneGroundHeight(float x, float z) {
  return sampleGround(x, z, static_cast<float>(ball.position.x), static_cast<float>(ball.position.y),
                      objectClock)
      .height;
}

float pullInViewDistance(Vec3 ball, float headingDegrees, float startDistance) {
  const Vec3 heading = groundDirection(headingDegrees);
  float distance = startDistance;
  for (int round = 0; round < kPullInRounds; ++round) {
    if (cellBlocksView(ball + heading * (distance * 0.5f))) distance *= 0.5f;
    if (cellBlocksView(ball + heading * distance)) distance -= 0.01f;
  }
  return distance;
}

void placeCamera() {
  const Vec3 b = ballPosition();
  switch (cameraMode) {
    case 0: placeCloseView(b); break;
    case 1: placeWideView(b); break;
    case 2: placeViewFromAbove(b); break;
    case 3: placeOverview(); break;
    case ShotReplay:
      camera.eye = camera.savedEye;
      camera.target = camera.savedTarget;
      break;
    case HoleIntro: placeHoleIntro(b); break;
    case InWater: placeInWater(); break;
    case Holed: placeHoled(b); break;
    default: break;  // an unknown mode leaves the camera where it is
  }
}
