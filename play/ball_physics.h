// The ball's motion: gravity, slopes, bounces, rolling resistance, the cup, the sea and the
// walls and solid objects of the grid. A fixed-rule integrator on the height field: the ball is a
// point that probes the grid at its centre and at four points 0.05 away.
#pragma once

struct BallVector {
  double x = 0, y = 0, z = 0;
};

// The one moving ball (the other players' balls rest in PlayerTable). Lives for the whole run;
// the hole loader zeroes its horizontal velocity and drops it to y = -50 (resetBallForHole).
struct BallState {
  BallVector position;          // world units; y is the height of the contact point
  BallVector previousPosition;  // position at the start of the current frame's sub-steps
  BallVector velocity;          // world units per second
  float slopeAngleX = 90;       // degrees, left by the last terrainHeightAt call; 90 is level
  float slopeAngleZ = 90;
};
extern BallState ball;

constexpr int kPhysicsSubSteps = 8;
constexpr float kCupCaptureRadius = 0.08f;  // horizontal distance at which the cup takes the ball
constexpr float kProbeOffset = 0.05f;       // the four side probes around the ball's centre
constexpr double kBallStartDepth = -50.0;   // below any terrain: the first sub-step lifts it up

// Part of the hole load: the ball stops and waits below the ground for the first sub-step.
void resetBallForHole();

// One drawn frame of physics: previousPosition = position, then eight updateBall sub-steps with
// frameClock.fps temporarily multiplied by eight.
void runBallPhysics();

// Pulls a ball that lies right over the cup towards its centre, at the frame's own rate.
// Runs at the start of every scene pass (so twice per frame with the sea reflection).
void pullBallToCup();

// One sub-step; frameClock.fps is already eight times the frame's rate.
void updateBall();

// Applies the walls and solid objects of the cell under (px, pz) to the ball.
void collideBallAt(float px, float pz);

// Sea surface height at (x, z) in play: waveHeightAt with the sea's current phase.
float seaHeightAt(float x, float z);
