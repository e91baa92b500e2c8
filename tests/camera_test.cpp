#include <gtest/gtest.h>

#include <cmath>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "render/camera.h"

namespace {

// A symmetric perspective matrix built from first principles (column-major), the same that a
// perspective call with these values produces.
Matrix4 perspectiveMatrix(float fovDegrees, float aspect, float nearZ, float farZ) {
  const float f = 1.0f / std::tan(fovDegrees * 0.5f * kDegToRad);
  Matrix4 m{};
  m[0] = f / aspect;
  m[5] = f;
  m[10] = (farZ + nearZ) / (nearZ - farZ);
  m[11] = -1.0f;
  m[14] = 2.0f * farZ * nearZ / (nearZ - farZ);
  return m;
}

Matrix4 identityMatrix() {
  Matrix4 m{};
  m[0] = m[5] = m[10] = m[15] = 1.0f;
  return m;
}

// Camera at the origin looking down -z, as after an identity modelview.
Frustum defaultFrustum() {
  Frustum f;
  frustumFromMatrices(perspectiveMatrix(kFieldOfView, 1.0f, kNearPlane, kFarPlane), identityMatrix(), f);
  return f;
}

}  // namespace

// 67 degrees vertically: at distance 10 the top edge is at 10 tan(33.5) = 6.62.
TEST(Frustum, SpheresInsideOutsideAndStraddlingFollowTheView) {
  const Frustum f = defaultFrustum();
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 0.0f, -10.0f, 0.1f));
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 0.0f, 10.0f, 1.0f)) << "behind the eye";
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 0.0f, -90.0f, 1.0f)) << "past the far plane";
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 0.0f, -80.5f, 1.0f)) << "straddles the far plane";
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 6.5f, -10.0f, 0.01f));
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 6.8f, -10.0f, 0.01f));
}

// View modes: a flat hole at height 1 with a wall type that blocks the view.
namespace {

class CameraPlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTerrainCells();
    forceTerrainRim();
    worldTheme.objectCount = 1;
    worldTheme.objectTypes[0] = ObjectType{WallBlock, 1, 1300.0f};  // tall: hides the ball
    worldTheme.objectTypes[1] = ObjectType{WallBlock, 1, 1214.0f};  // just too low to hide it
    frameClock.fps = 60.0f;
    aimAngle = 0.0f;  // the eye sits towards +x of the ball, the shot goes to -x
    input = InputState{};
  }
  void TearDown() override {
    resetTerrainCells();
    worldTheme.objectCount = -1;
  }
  static void placeBall(double x, double z) { ball.position = {x, 1.0, z}; }
  static void putObject(int x, int z, int type) {
    terrainGrid.cells[x][z].object = type;
    terrainGrid.cells[x][z].objectHeight = 1.0f;
  }
};

}  // namespace

// The close (0) and wide (1) views behind the ball on a flat hole, with at most one object
// cell; the view from above (2) is the fall-back when a tall wall leaves no room. NAN: not
// checked for that case.
struct ViewCase {
  const char* what;
  double ballX;
  int objectX, objectType;  // on row z = 10; -1: none
  int behaviour;            // of object type 1
  int modeIn, modeOut;
  float distanceMin, distanceMax, eyeX, eyeY, targetX;
};

TEST_F(CameraPlacement, ViewsBehindTheBallMakeRoomForWallsThatHideIt) {
  const ViewCase cases[] = {
      {"close view in the open", 10.5, -1, 0, WallBlock, 0, 0, 0.7f, 0.7f, 11.2f, 1.5f, 9.8f},
      {"close view against a tall wall looks from above", 10.5, 11, 0, WallBlock, 0, 2, 0.1f, 0.1f, 10.1f, 6.0f,
       10.0f},
      {"a low wall does not block", 10.5, 11, 1, WallBlock, 0, 0, 0.7f, 0.7f, NAN, NAN, NAN},
      {"other objects do not block", 10.5, 11, 1, SolidBlock, 1, 1, 1.7f, 1.7f, NAN, NAN, NAN},
      {"the wide view shrinks in front of a wall", 10.5, 12, 0, WallBlock, 1, 1, 0.95f, 0.9999f, NAN, NAN, 7.8f},
      {"too close for the wide view, room for the close one", 11.25, 12, 0, WallBlock, 1, 0, 0.2f, 0.2999f, NAN,
       1.5f, NAN},
  };
  for (const ViewCase& c : cases) {
    SetUp();
    worldTheme.objectTypes[1] = ObjectType{c.behaviour, 1, c.behaviour == WallBlock ? 1214.0f : 5000.0f};
    placeBall(c.ballX, 10.2);
    if (c.objectX >= 0) putObject(c.objectX, 10, c.objectType);
    cameraMode = c.modeIn;
    placeCamera();
    EXPECT_EQ(cameraMode, c.modeOut) << c.what;
    EXPECT_GE(camera.viewDistance, c.distanceMin) << c.what;
    EXPECT_LE(camera.viewDistance, c.distanceMax) << c.what;
    if (!std::isnan(c.eyeX)) {
      EXPECT_NEAR(camera.eye.x, c.eyeX, 1e-4f) << c.what;
    }
    if (!std::isnan(c.eyeY)) {
      EXPECT_NEAR(camera.eye.y, c.eyeY, 1e-5f) << c.what;
    }
    if (!std::isnan(c.targetX)) {
      EXPECT_NEAR(camera.target.x, c.targetX, 1e-4f) << c.what;
    }
    if (c.objectX > 11) {
      EXPECT_LT(camera.eye.x, 11.5f) << c.what << ": the eye stays in front of the wall";
    }
    TearDown();
  }
}
