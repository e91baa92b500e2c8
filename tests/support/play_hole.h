// Small holes built in memory for the play tests: flat ground, a cup, placed objects.
#pragma once

#include "play/ball_physics.h"

constexpr float kTestGround = 1.0f;

// A flat hole at kTestGround with no objects, the cup at the centre of cell (cupX, cupZ), the sea
// calm and every play global back to a fresh start of aiming for one player.
void buildFlatHole(int cupX = 20, int cupZ = 20);

// Sets the height of every vertex of cells x0..x1, z0..z1 (inclusive).
void setGround(int x0, int z0, int x1, int z1, float height);

// Puts an object type with this behaviour on cell (x, z); the type id is the behaviour's own
// slot in a small table, frameCount and speed as given.
void placeObject(int x, int z, int behaviour, int rotation = 0, float height = kTestGround,
                 int frameCount = 0, float animationSpeed = 0);

// The ball on the ground at (x, z) with the given horizontal velocity; previousPosition is left
// for the test to set (a physics frame sets it itself).
void placeBall(double x, double z, double vx = 0, double vz = 0, double y = kTestGround);

// Runs frames of the headless play frame at the given rate.
void runFrames(int frames, float fps = 60);

// Runs single physics sub-steps at eight times the frame rate.
void runSubSteps(int steps, float frameFps = 60);

// Live particles of one kind (the pool is cleared by buildFlatHole).
int liveParticles(int kind);

double horizontalSpeed();
