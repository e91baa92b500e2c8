#include "render/particles.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "render/camera.h"
#include "render/texture_tables.h"

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

namespace {

constexpr float kAgeCeiling = 2.99f;  // ageing stops here; every kind has died before
constexpr float kDropFloor = -20.0f;  // below any ground: a drop off the grid stops here

struct KindLook {
  int texture;        // GameTextures slot
  float ageRate;      // age per second, plus 0.01 per entry index for puffs and sparkles
  float indexRate;
  float youngest;     // the age never shows below this
  float oldest;       // dies past this age
};

// Indexed by kind; kind 0 is unused.
constexpr std::array<KindLook, 5> kKindLooks{{
    {SmokeTexture, 0.0f, 0.0f, 0.0f, 0.0f},
    {SmokeTexture, 0.5f, 0.01f, 0.5f, 1.0f},
    {SparkleTexture, 0.2f, 0.01f, 0.5f, 1.99f},
    {SmokeTexture, 0.3f, 0.0f, 0.2f, 2.0f},
    {WaterDropTexture, 0.0f, 0.0f, 0.0f, 0.0f},
}};

// One drop in ten leaves a small puff where it lands.
void splashDrop(const Particle& drop) {
  if (std::rand() % 10 + 1 != 1) return;
  const int k1 = std::rand() % 2 + 1;
  const int k2 = std::rand() % 2 + 1;
  spawnEffect(drop.x - 0.01f + 0.01f * k2, drop.y + 1.0f, drop.z - 0.01f + 0.01f * k1, SmokePuff);
}

// A drop is retired once it has been drawn below the ground (the frame after it went under).
void ageDrop(Particle& drop, float fps) {
  if (sceneGroundHeight(drop.x, drop.z) > drop.y + 1.0f) {
    drop.kind = FreeParticle;
    splashDrop(drop);
    return;
  }
  if (drop.y < kDropFloor) {
    drop.kind = FreeParticle;
    return;
  }
  drop.y -= 2.5f / fps;
}

void ageParticle(Particle& p, int index, float fps) {
  const KindLook& look = kKindLooks[p.kind];
  if (p.age < kAgeCeiling) p.age += (look.ageRate + look.indexRate * index) / fps;
  if (p.kind == DriftingSmoke) {
    p.x += 0.05f / fps;
    p.z += 0.02f / fps;
  }
  p.age = std::max(p.age, look.youngest);
  if (p.age > look.oldest) p.kind = FreeParticle;
}

// The quad of one particle in its own camera-facing frame: corners (x, y) with texture
// coordinates, in drawing order.
struct QuadCorner {
  float x, y, s, t;
};

std::array<QuadCorner, 4> particleQuad(const Particle& p) {
  const float a = p.age;
  switch (p.kind) {
    case SmokePuff:
      return {{{-0.3f * a, 0.6f * a, 0, 1}, {0.3f * a, 0.6f * a, 0, 0}, {0.3f * a, 0.01f * a, 1, 0},
               {-0.3f * a, 0.01f * a, 1, 1}}};
    case Sparkle:
      return {{{-0.3f * a, 0.6f * a, 1, 0}, {0.3f * a, 0.6f * a, 0, 0}, {0.3f * a, 0.01f * a, 0, 1},
               {-0.3f * a, 0.01f * a, 1, 1}}};
    case DriftingSmoke:
      return {{{-0.3f * a, 0.3f * a, 1, 0}, {0.3f * a, 0.3f * a, 0, 0}, {0.3f * a, -0.3f * a, 0, 1},
               {-0.3f * a, -0.3f * a, 1, 1}}};
    default:
      return {{{-0.1f, 0.9f, 0, 1}, {0.1f, 0.9f, 0, 0}, {0.1f, -0.1f, 1, 0}, {-0.1f, -0.1f, 1, 1}}};
  }
}

void setParticleColour(const Particle& p) {
  const float a = p.age;
  switch (p.kind) {
    case SmokePuff: glColor4f(1, 1, 1, 1 - a); break;
    case Sparkle: glColor4f(1, 1, 1, 2 - a); break;
    case DriftingSmoke: glColor4f(2 - a, 2 - a, 2 - a, 1 - 0.5f * a); break;
    default: glColor4f(1, 1, 1, 1); break;
  }
}

void drawParticle(const Particle& p, int index) {
  // Sparkles and drifting smoke turn towards the eye from where they are; puffs and drops
  // share the heading of the view, so a cluster of them reads as one cloud.
  const bool ownHeading = p.kind == Sparkle || p.kind == DriftingSmoke;
  const Vec3 from = ownHeading ? Vec3{p.x, p.y, p.z} : camera.target;
  const float heading = std::atan2(camera.eye.z - from.z, camera.eye.x - from.x);
  const float lift = ownHeading ? p.age - 0.5f : 0.0f;

  glBindTexture(GL_TEXTURE_2D, GameTextures[kKindLooks[p.kind].texture].glName);
  setParticleColour(p);
  glPushMatrix();
  glTranslatef(p.x, p.y + lift, p.z);
  glRotatef(270.0f - heading * kRadToDeg, 0, 1, 0);
  if (p.kind == DriftingSmoke) glRotatef(20.0f * p.age + 15.0f * index, 0, 0, 1);
  glBegin(GL_QUADS);
  for (const QuadCorner& c : particleQuad(p)) {
    glTexCoord2f(c.s, c.t);
    glVertex3f(c.x, c.y, 0.0f);
  }
  glEnd();
  glPopMatrix();
}

// Current colour, line, stipple, pixel mode, lighting, fog, depth, accumulation, stencil and
// viewport groups. Face culling and texturing are outside them: particles leave culling off
// and 2D texturing on, which the drawing after them expects.
constexpr GLbitfield kParticleAttributes = 0xFF5;

}  // namespace

void ageParticles(float fps) {
  for (int i = 0; i < kParticleCount; ++i) {
    Particle& p = particlePool.entries[i];
    if (p.kind == WaterDrop) {
      ageDrop(p, fps);
    } else if (p.kind != FreeParticle) {
      ageParticle(p, i, fps);
    }
  }
}

void drawParticles() {
  const std::array<int, kParticleCount> rank = rankParticles(camera.eye);
  glPushAttrib(kParticleAttributes);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  // Back to front: the farthest (lowest rank) first; equal ranks by index.
  for (int r = 0; r < kParticleCount; ++r) {
    for (int i = 0; i < kParticleCount; ++i) {
      const Particle& p = particlePool.entries[i];
      if (rank[i] == r && p.kind != FreeParticle) drawParticle(p, i);
    }
  }
  glPopAttrib();
}
