#include "render/camera.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include "core/app_state.h"
#include "play/play_state.h"

Camera camera;
Frustum sceneFrustum;

namespace {

struct DirectionalLight {
  GLenum id;
  std::array<float, 4> position;  // w = 0: a direction fixed in the world
  std::array<float, 4> diffuse;
};

// GL_LIGHT0 is never used; the three lights give the land a cool key light, a warm fill from
// the other side and a dim back light.
constexpr std::array<DirectionalLight, 3> kSceneLights{{
    {GL_LIGHT1, {100.0f, 5.0f, 70.0f, 0.0f}, {0.8f, 0.8f, 0.9f, 1.0f}},
    {GL_LIGHT2, {-2.0f, 5.0f, 2.0f, 0.0f}, {1.0f, 0.9f, 0.8f, 1.0f}},
    {GL_LIGHT3, {-70.0f, 5.0f, -100.0f, 0.0f}, {0.4f, 0.4f, 0.4f, 1.0f}},
}};

constexpr std::array<float, 4> kMaterialAmbient{0.8f, 0.8f, 0.4f, 1.0f};
constexpr std::array<float, 4> kMaterialSpecular{1.0f, 1.0f, 1.0f, 1.0f};

void setSceneLights() {
  glEnable(GL_LIGHTING);
  for (const DirectionalLight& light : kSceneLights) {
    glLightfv(light.id, GL_DIFFUSE, light.diffuse.data());
    glLightfv(light.id, GL_POSITION, light.position.data());
    glEnable(light.id);
  }
  glMaterialfv(GL_FRONT, GL_AMBIENT, kMaterialAmbient.data());
  glMaterialfv(GL_FRONT, GL_SPECULAR, kMaterialSpecular.data());
  glEnable(GL_DEPTH_TEST);
}

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
