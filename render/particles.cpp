#include "render/particles.h"

#include <limits>

ParticlePool particlePool;

void spawnEffect(float x, float y, float z, int kind) {
  if (kind < SmokePuff || kind > WaterDrop) return;
  for (Particle& p : particlePool.entries) {
    if (p.kind != FreeParticle) continue;
    p = Particle{kind, x, y, z, 0.0f};
    return;
  }
}

void clearParticles() {
  for (Particle& p : particlePool.entries) p.kind = FreeParticle;
}

std::array<int, kParticleCount> rankParticles(Vec3 eye) {
  // Free entries stand farther than any live one, so they never share a live particle's rank.
  std::array<float, kParticleCount> distance{};
  for (int i = 0; i < kParticleCount; ++i) {
    const Particle& p = particlePool.entries[i];
    distance[i] = p.kind == FreeParticle ? std::numeric_limits<float>::max() : length(Vec3{p.x, p.y, p.z} - eye);
  }
  std::array<int, kParticleCount> rank{};
  for (int i = 0; i < kParticleCount; ++i) {
    int notNearer = 0;
    for (int j = 0; j < kParticleCount; ++j) {
      if (j != i && distance[j] <= distance[i]) ++notNearer;
    }
    rank[i] = kParticleCount - 1 - notNearer;
  }
  return rank;
}
