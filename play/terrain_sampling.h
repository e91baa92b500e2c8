// Ground height and slope under a point of the hole, including the tops of the placed objects
// that act as ground (solid blocks, raised platforms, planks, the bobbing platform).
#pragma once

constexpr float kOutsideGround = -200.0f;  // answer for points outside cells 1..24
constexpr float kLevelSlope = 90.0f;       // slope angle of level ground

// What one query finds; the slope angles are degrees (90 level, see slopeAngleFromRise).
struct GroundSample {
  float height = kOutsideGround;
  float slopeAngleX = kLevelSlope;
  float slopeAngleZ = kLevelSlope;
  bool slopesSet = false;  // false outside the playable cells: the caller keeps its angles
};

// 270 - atan2(rise, -1) in degrees: 90 level, 135 climbing one unit per unit towards +x
// (or +z), 405 falling one unit per unit.
float slopeAngleFromRise(float rise);

// The ground at (x, z) for a ball whose own position is (ballX, ballY) and an object clock in
// degrees; reads the terrain grid and the world theme only.
GroundSample sampleGround(float x, float z, float ballX, float ballY, float clock);

// The ground height at (x, z) for the current ball; leaves the slope angles in the ball state
// (unchanged outside the playable cells).
float terrainHeightAt(float x, float z);
