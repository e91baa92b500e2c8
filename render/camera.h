// The 3D camera: where each view mode puts the eye, the perspective and lights of every 3D
// frame, and the view frustum used to skip cells and objects that cannot be seen.
#pragma once

#include <array>

#include "render/vector_math.h"

constexpr float kFieldOfView = 67.0f;  // vertical, degrees
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 80.0f;
constexpr float kOverviewLowest = 4.0f;   // view 3 eye height limits
constexpr float kOverviewHighest = 18.0f;

// Lives for the whole run. The game resource load puts the eye at (5, 4, 18) looking at
// (5, 1, 18); each hole load and each frame's view mode move it from there.
struct Camera {
  Vec3 eye{5.0f, 4.0f, 18.0f};
  Vec3 target{5.0f, 1.0f, 18.0f};          // overwritten by its smoothed value while smoothing is on
  Vec3 previousTarget{5.0f, 1.0f, 18.0f};  // the target used in the previous frame
  float viewDistance = 0.7f;               // working distance of views 0 to 2
  float overviewHeight = 10.0f;            // eye height of view 3, kept in 4..18
  Vec3 savedEye{5.0f, 4.0f, 18.0f};        // camera at the stroke; moved by the follow view
  Vec3 savedTarget{5.0f, 1.0f, 18.0f};
};
extern Camera camera;

enum FrustumPlane : int { RightPlane, LeftPlane, BottomPlane, TopPlane, FarPlane, NearPlane };

// Six planes (a, b, c, d), (a, b, c) of unit length; a point is inside when
// a x + b y + c z + d > 0 for every plane.
struct Frustum {
  std::array<std::array<float, 4>, 6> planes{};
};

// The frustum of the view being drawn; refreshed by every scene draw and texture bake.
// Course object drawing culls against it.
extern Frustum sceneFrustum;

// Viewport, perspective, target smoothing, look-at and the three fixed lights.
void setupCamera();

// Lighting on with the three fixed lights and the scene material, at the current modelview.
void setSceneLights();

// Puts eye and target where the current cameraMode wants them (all eight modes).
void placeCamera();

// Fills the frustum from the current GL projection and modelview matrices.
void extractFrustum(Frustum& frustum);

// The same from given matrices (column-major), so it can be checked without GL.
void frustumFromMatrices(const Matrix4& projection, const Matrix4& modelview, Frustum& frustum);

// False as soon as the sphere lies wholly outside one plane (touching from outside counts
// as outside).
bool sphereInFrustum(const Frustum& frustum, float x, float y, float z, float radius);

// One frame of the target smoothing: the target moves 8 / (fps + 8) of the way from the
// previous target towards its new place.
Vec3 smoothedTarget(Vec3 target, Vec3 previousTarget, float fps);

// Ground height under (x, z) for placing the eye, shadows and effects; unlike
// terrainHeightAt it leaves the ball's slope angles to the physics.
float sceneGroundHeight(float x, float z);

// The step of the close and wide views that pulls the eye in front of view-blocking walls:
// 100 rounds of two probes along the heading; returns the shortened distance.
float pullInViewDistance(Vec3 ball, float headingDegrees, float startDistance);
