#include <gtest/gtest.h>

#include "render/particles.h"

namespace {

int liveCount() {
  int n = 0;
  for (const Particle& p : particlePool.entries) n += p.kind != FreeParticle;
  return n;
}

}  // namespace

TEST(ParticlePool, SpawnTakesTheLowestFreeEntryAndIgnoresWhenFull) {
  clearParticles();
  spawnEffect(1, 2, 3, SmokePuff);
  spawnEffect(4, 5, 6, Sparkle);
  particlePool.entries[0].kind = FreeParticle;
  spawnEffect(7, 8, 9, WaterDrop);
  EXPECT_EQ(particlePool.entries[0].kind, WaterDrop);
  EXPECT_FLOAT_EQ(particlePool.entries[0].x, 7.0f);
  EXPECT_FLOAT_EQ(particlePool.entries[0].age, 0.0f);
  EXPECT_EQ(particlePool.entries[1].kind, Sparkle);

  for (int i = 0; i < kParticleCount; ++i) spawnEffect(static_cast<float>(i), 0, 0, DriftingSmoke);
  EXPECT_EQ(liveCount(), kParticleCount);
  const Particle before = particlePool.entries[kParticleCount - 1];
  spawnEffect(-5, -5, -5, SmokePuff);
  EXPECT_EQ(liveCount(), kParticleCount);
  EXPECT_EQ(particlePool.entries[kParticleCount - 1].kind, before.kind);
  EXPECT_FLOAT_EQ(particlePool.entries[kParticleCount - 1].x, before.x);
  clearParticles();
  EXPECT_EQ(liveCount(), 0);
}

TEST(ParticlePool, UnknownKindsAreIgnored) {
  clearParticles();
  spawnEffect(0, 0, 0, 0);
  spawnEffect(0, 0, 0, 5);
  spawnEffect(0, 0, 0, -1);
  EXPECT_EQ(liveCount(), 0);
}

TEST(ParticleOrder, NearerParticlesRankHigherAndEqualDistancesShareARank) {
  clearParticles();
  spawnEffect(0, 0, 10, SmokePuff);   // 10 away
  spawnEffect(0, 0, 2, SmokePuff);    // 2 away
  spawnEffect(0, 0, -10, Sparkle);    // 10 away, other side
  spawnEffect(0, 0, 5, SmokePuff);    // 5 away
  const auto rank = rankParticles({0, 0, 0});
  EXPECT_EQ(rank[1], kParticleCount - 1) << "the nearest draws last";
  EXPECT_EQ(rank[0], rank[2]) << "equal distances share a rank";
  EXPECT_LT(rank[0], rank[3]);
  EXPECT_LT(rank[3], rank[1]);
  // Free entries rank below every live one.
  for (int i = 4; i < kParticleCount; ++i) EXPECT_LT(rank[i], rank[0]);
  clearParticles();
}
