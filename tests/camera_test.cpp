#include <gtest/gtest.h>

#include <cmath>

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

TEST(TargetSmoothing, JumpOfSixPointEightMovesPointEightAtSixtyFps) {
  const Vec3 moved = smoothedTarget({6.8f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, 60.0f);
  EXPECT_NEAR(moved.x, 0.8f, 1e-5f);
  EXPECT_FLOAT_EQ(moved.y, 0.0f);
  // At 8 fps the target goes half way; the share shrinks as the frame rate grows.
  EXPECT_NEAR(smoothedTarget({0, 4.0f, 0}, {0, 0, 0}, 8.0f).y, 2.0f, 1e-5f);
  EXPECT_NEAR(smoothedTarget({0, 0, 1.0f}, {0, 0, 3.0f}, 500.0f).z, 3.0f - 2.0f * 8.0f / 508.0f, 1e-5f);
}

TEST(TargetSmoothing, ReachesAStillTargetInAboutTheSameTimeAtAnyFrameRate) {
  // Distance left after one second of frames: (fps / (fps + 8)) ^ fps tends to exp(-8).
  for (float fps : {30.0f, 60.0f, 120.0f}) {
    Vec3 previous{0, 0, 0};
    for (int frame = 0; frame < static_cast<int>(fps); ++frame) previous = smoothedTarget({1, 0, 0}, previous, fps);
    EXPECT_GT(previous.x, 0.99f) << fps;
    EXPECT_LT(previous.x, 1.0f) << fps;
  }
}

TEST(Frustum, PlanesAreUnitLengthAndFaceInwards) {
  const Frustum f = defaultFrustum();
  for (const auto& p : f.planes) EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1.0f, 1e-5f);
  // The near plane sits 0.1 in front of the eye facing away from it; the far plane at 80.
  EXPECT_NEAR(f.planes[NearPlane][2], -1.0f, 1e-5f);
  EXPECT_NEAR(f.planes[NearPlane][3], -kNearPlane, 1e-4f);
  EXPECT_NEAR(f.planes[FarPlane][2], 1.0f, 1e-5f);
  EXPECT_NEAR(f.planes[FarPlane][3], kFarPlane, 1e-2f);
  // The right plane's normal points to -x (inwards), the top plane's to -y.
  EXPECT_LT(f.planes[RightPlane][0], 0.0f);
  EXPECT_GT(f.planes[LeftPlane][0], 0.0f);
  EXPECT_LT(f.planes[TopPlane][1], 0.0f);
  EXPECT_GT(f.planes[BottomPlane][1], 0.0f);
}

TEST(Frustum, SpheresInsideOutsideAndTouching) {
  const Frustum f = defaultFrustum();
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 0.0f, -10.0f, 0.1f));
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 0.0f, 10.0f, 1.0f)) << "behind the eye";
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 0.0f, -90.0f, 1.0f)) << "past the far plane";
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 0.0f, -80.5f, 1.0f)) << "straddles the far plane";
  // 67 degrees vertically: at distance 10 the top edge is at 10 tan(33.5) = 6.62.
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 6.5f, -10.0f, 0.01f));
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 6.8f, -10.0f, 0.01f));
}

TEST(Frustum, SphereExactlyTouchingAPlaneFromOutsideIsCulled) {
  Frustum f;
  // A box of planes around the origin, each one unit away; x = 3 lies two units outside the
  // right plane x <= 1.
  f.planes[RightPlane] = {-1, 0, 0, 1};
  f.planes[LeftPlane] = {1, 0, 0, 1};
  f.planes[BottomPlane] = {0, 1, 0, 1};
  f.planes[TopPlane] = {0, -1, 0, 1};
  f.planes[FarPlane] = {0, 0, 1, 1};
  f.planes[NearPlane] = {0, 0, -1, 1};
  EXPECT_FALSE(sphereInFrustum(f, 3.0f, 0.0f, 0.0f, 2.0f));
  EXPECT_TRUE(sphereInFrustum(f, 3.0f, 0.0f, 0.0f, 2.001f));
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 0.0f, 0.0f, 0.0f));
}

TEST(Frustum, FollowsTheModelviewTransform) {
  // Move the world 20 units along -z: a point at the origin is now in front of the eye.
  Matrix4 modelview = identityMatrix();
  modelview[14] = -20.0f;
  Frustum f;
  frustumFromMatrices(perspectiveMatrix(kFieldOfView, 4.0f / 3.0f, kNearPlane, kFarPlane), modelview, f);
  EXPECT_TRUE(sphereInFrustum(f, 0.0f, 0.0f, 0.0f, 0.5f));
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 0.0f, 25.0f, 0.5f));
  // The wider aspect widens x only: at distance 20 the side edge is at 20 tan(33.5) 4/3 = 17.7.
  EXPECT_TRUE(sphereInFrustum(f, 17.0f, 0.0f, 0.0f, 0.01f));
  EXPECT_FALSE(sphereInFrustum(f, 0.0f, 17.0f, 0.0f, 0.01f));
}
