// Puffs, sparkles, drifting smoke and water drops: one fixed pool of camera-facing textured
// quads, aged every frame and drawn back to front after the scene.
#pragma once

#include <array>

#include "render/vector_math.h"

constexpr int kParticleCount = 100;

enum ParticleKind : int {
  FreeParticle = 0,
  SmokePuff = 1,      // rises from the spot where the ball was struck or bounced
  Sparkle = 2,        // an object was touched
  DriftingSmoke = 3,  // drifts and spins away from emitters
  WaterDrop = 4,      // falls until it meets the ground
};

struct Particle {
  int kind = FreeParticle;
  float x = 0.0f;  // world units
  float y = 0.0f;
  float z = 0.0f;
  float age = 0.0f;  // grows from 0; drives size, transparency and death
};

// Lives for the whole run; every entry is freed at each hole load.
struct ParticlePool {
  std::array<Particle, kParticleCount> entries{};
};
extern ParticlePool particlePool;

// Takes the lowest free entry; ignored when the pool is full or the kind is not 1..4.
void spawnEffect(float x, float y, float z, int kind);

// Frees every entry (hole load).
void clearParticles();

// Ages, moves and retires the live particles by one frame of fps frames per second. The scene
// calls it every frame whatever the detail level, so effects run their course unseen at
// detail 0 too.
void ageParticles(float fps);

// Back-to-front order: rank 99 is the nearest; entries at the same distance from the eye share
// a rank. Free entries count as very far away.
std::array<int, kParticleCount> rankParticles(Vec3 eye);

// Draws the live particles back to front, facing the camera.
void drawParticles();
