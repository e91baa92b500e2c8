#include <gtest/gtest.h>

#include <cstdlib>

#include "course/terrain_grid.h"
#include "render/particles.h"

namespace {

int liveCount() {
  int n = 0;
  for (const Particle& p : particlePool.entries) n += p.kind != FreeParticle;
  return n;
}

}  // namespace

TEST(ParticlePool, SpawnTakesTheLowestFreeEntryAndIgnoresWhenFullOrUnknown) {
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
  for (int unknown : {0, 5, -1}) spawnEffect(0, 0, 0, unknown);
  EXPECT_EQ(liveCount(), 0) << "unknown kinds are ignored";
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

TEST(ParticleAgeing, LaterEntriesAgeFasterAndEachKindHasItsOwnLifetime) {
  clearParticles();
  for (int i = 0; i < 50; ++i) spawnEffect(5, 1, 5, SmokePuff);
  spawnEffect(5, 1, 5, Sparkle);        // entry 50
  spawnEffect(5, 1, 5, DriftingSmoke);  // entry 51
  // Puff 49 ages at 0.99 per second, nearly twice as fast as puff 0 at 0.5.
  EXPECT_LT(framesToLive(49, 60.0f), 40);
  EXPECT_EQ(particlePool.entries[0].kind, SmokePuff);
  clearParticles();
  for (int i = 0; i < 50; ++i) spawnEffect(5, 1, 5, Sparkle);
  const float sparkleSeconds = framesToLive(0, 60.0f) / 60.0f;
  EXPECT_GT(sparkleSeconds, 7.0f) << "entry 0 ages at 0.2 per second: (1.99 - 0.5) / 0.2";
  EXPECT_LT(sparkleSeconds, 7.6f);
  clearParticles();
  spawnEffect(5, 1, 5, DriftingSmoke);
  const float driftSeconds = framesToLive(0, 60.0f) / 60.0f;
  EXPECT_GT(driftSeconds, 5.9f) << "(2 - 0.2) / 0.3";
  EXPECT_LT(driftSeconds, 6.1f);
  clearParticles();
}

TEST(ParticleAgeing, DriftingSmokeDriftsAlongXAndZ) {
  clearParticles();
  spawnEffect(5, 1, 5, DriftingSmoke);
  for (int frame = 0; frame < 120; ++frame) ageParticles(60.0f);
  EXPECT_NEAR(particlePool.entries[0].x, 5.1f, 1e-3f);
  EXPECT_NEAR(particlePool.entries[0].z, 5.04f, 1e-3f);
  EXPECT_FLOAT_EQ(particlePool.entries[0].y, 1.0f);
  clearParticles();
}

TEST(ParticleAgeing, DropsFallUntilTheGroundIsAboveThemOrTheyLeaveTheGrid) {
  resetTerrainCells();  // flat at height 1
  forceTerrainRim();
  clearParticles();
  spawnEffect(5.5f, 3.0f, 5.5f, WaterDrop);
  ageParticles(50.0f);
  EXPECT_FLOAT_EQ(particlePool.entries[0].y, 2.95f) << "2.5 units per second";
  EXPECT_FLOAT_EQ(particlePool.entries[0].age, 0.0f);
  // Dies once the ground (1) is above y + 1, that is below y = 0: 3 / 2.5 seconds.
  const float seconds = (framesToLive(0, 50.0f) + 1) / 50.0f;
  EXPECT_NEAR(seconds, 1.22f, 0.03f);

  // Over the sea there is no ground to meet; the drop still ends far below the water.
  clearParticles();
  spawnEffect(-3.0f, 3.0f, 5.5f, WaterDrop);
  const int frames = framesToLive(0, 50.0f);
  EXPECT_LT(frames, 50 * 20);
  EXPECT_EQ(particlePool.entries[0].kind, FreeParticle);
  clearParticles();
}

TEST(ParticleAgeing, AboutOneDropInTenLeavesAPuffWhereItLands) {
  resetTerrainCells();  // flat at height 1
  forceTerrainRim();
  std::srand(7);
  int drops = 0;
  int puffs = 0;
  for (int round = 0; round < 20; ++round) {
    clearParticles();
    for (int i = 0; i < 50; ++i) spawnEffect(5.5f, 1.5f, 5.5f, WaterDrop);
    drops += 50;
    // The drops pass below the ground together; a few puffs come up in their place.
    for (int frame = 0; frame < 60; ++frame) ageParticles(60.0f);
    for (const Particle& p : particlePool.entries) {
      if (p.kind == WaterDrop) ADD_FAILURE() << "a drop outlived its fall";
      if (p.kind != SmokePuff) continue;
      ++puffs;
      EXPECT_NEAR(p.x, 5.5f, 0.0101f);
      EXPECT_NEAR(p.z, 5.5f, 0.0101f);
      EXPECT_GT(p.y, 0.9f) << "one unit above where the drop ended, just below the ground";
      EXPECT_LT(p.y, 1.0f);
    }
  }
  EXPECT_GT(puffs, drops / 20);
  EXPECT_LT(puffs, drops / 5);
  clearParticles();
}
