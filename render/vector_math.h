// Small vector and matrix helpers for the 3D view: a three-float vector, degree conversions
// and the 4 x 4 column-major product that the frustum needs.
#pragma once

#include <array>
#include <cmath>

constexpr float kDegToRad = 0.017453292f;  // degrees to radians, as the game writes it everywhere
constexpr float kRadToDeg = 57.29578f;

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }

inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }

// A zero vector stays zero rather than turning into NaNs.
inline Vec3 normalised(Vec3 a) {
  const float len = length(a);
  return len > 0.0f ? a * (1.0f / len) : a;
}

// The unit heading of angle degrees in the ground plane: (cos, 0, sin) on x and z.
inline Vec3 groundDirection(float degrees) {
  return {std::cos(degrees * kDegToRad), 0.0f, std::sin(degrees * kDegToRad)};
}

// Distance in the ground plane only.
inline float groundDistance(Vec3 a, Vec3 b) { return std::hypot(a.x - b.x, a.z - b.z); }

// Column-major 4 x 4 matrices, as OpenGL hands them out.
using Matrix4 = std::array<float, 16>;

// result = a x b (apply b first, then a), all column-major.
Matrix4 multiplyMatrices(const Matrix4& a, const Matrix4& b);
