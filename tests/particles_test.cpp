#include <gtest/gtest.h>

#include "course/terrain_grid.h"
#include "render/particles.h"

namespace {

int liveCount() {
  int n = 0;
  for (const Particle& p : particlePool.entries) n += p.kind != FreeParticle;
  return n;
}

}  // namespace

TEST(ParticlePool, SpawnIgnoresEffectsWhenFullOrUnknown) {
  clearParticles();
  for (int i = 0; i < kParticleCount; ++i) spawnEffect(static_cast<float>(i), 0, 0, DriftingSmoke);
  EXPECT_EQ(liveCount(), kParticleCount);
  const Particle before = particlePool.entries[kParticleCount - 1];
  spawnEffect(-5, -5, -5, SmokePuff);
  EXPECT_EQ(liveCount(), kParticleCount);
  EXPECT_EQ(particlePool.entries[kParticleCount - 1].kind, before.kind);
  EXPECT_FLOAT_EQ(particlePool.entries[kParticleCount - 1].x, before.x);
  clearParticles();
  EXPECT_EQ(liveCount(), 0);
  for (int unknown : {0, 5, -1}) spawnEffect(0, 0, 0, unknown);
  EXPECT_EQ(liveCount(), 0) << "unknown kinds are ignored";
}

namespace {

// Frames until entry `index` is free again, at a steady frame rate.
int framesToLive(int index, float fps) {
  int frames = 0;
  while (particlePool.entries[index].kind != FreeParticle && frames < 100000) {
    ageParticles(fps);
    ++frames;
  }
  return frames;
}

}  // namespace

TEST(ParticleAgeing, APuffLivesAboutOneSecondAtAnyFrameRate) {
  for (float fps : {30.0f, 120.0f}) {
    clearParticles();
    spawnEffect(5, 1, 5, SmokePuff);
    ageParticles(fps);
    EXPECT_FLOAT_EQ(particlePool.entries[0].age, 0.5f) << "a new puff shows at half size, not at nothing";
    const float seconds = (framesToLive(0, fps) + 1) / fps;
    EXPECT_GT(seconds, 0.95f) << fps;
    EXPECT_LT(seconds, 1.1f) << fps;
  }
  clearParticles();
}
