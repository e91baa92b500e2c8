#include "render/sea.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "core/app_state.h"
#include "render/texture_tables.h"
#include "render/vector_math.h"

float seaPhase = 0.0f;
float waveAmplitude = 0.1f;

namespace {

constexpr float kSeaLow = -4.0f;   // the sea overlaps the grid by 4 units on the low side
constexpr float kSeaHigh = 36.0f;  // and by 11 on the high side
constexpr float kSeaStep = 8.0f;   // each quad shows the sea texture once
constexpr float kSurfHeight = -0.09f;
constexpr float kGridSize = 25.0f;

bool onSeaRim(float x, float z) { return x == kSeaLow || x == kSeaHigh || z == kSeaLow || z == kSeaHigh; }

// One corner of a sea quad; (s, t) are its texture coordinates, already drifted.
void seaCorner(float x, float z, float s, float t) {
  glColor4f(1, 1, 1, onSeaRim(x, z) ? 0.0f : 1.0f);  // the sea fades out at its rim
  glTexCoord2f(s, t);
  glVertex3f(x, seaCornerHeight(x, z, seaPhase), z);
}

void drawSeaQuads(float u0, float v0) {
  glBegin(GL_QUADS);
  for (float x = kSeaLow; x < kSeaHigh; x += kSeaStep) {
    for (float z = kSeaLow; z < kSeaHigh; z += kSeaStep) {
      const float s = x + u0;
      const float t = z + v0;
      seaCorner(x, z, s, t);
      seaCorner(x, z + kSeaStep, s, t + 1.0f);
      seaCorner(x + kSeaStep, z + kSeaStep, s + 1.0f, t + 1.0f);
      seaCorner(x + kSeaStep, z, s + 1.0f, t);
    }
  }
  glEnd();
}

// The baked glow around the land, gently breathing.
void drawSurf() {
  glPushMatrix();
  glScalef(1.0f + 0.005f * std::cos(80.0f * seaPhase * kDegToRad), 1.0f,
           1.0f + 0.005f * std::cos((60.0f * seaPhase + 68.0f) * kDegToRad));
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(0, kSurfHeight, 0);
  glTexCoord2f(0, 1);
  glVertex3f(0, kSurfHeight, kGridSize);
  glTexCoord2f(1, 1);
  glVertex3f(kGridSize, kSurfHeight, kGridSize);
  glTexCoord2f(1, 0);
  glVertex3f(kGridSize, kSurfHeight, 0);
  glEnd();
  glPopMatrix();
}

bool surfScreen() { return screenState == Playing || screenState == TitleMenu; }

void stopShadowUnitTexturing() {
  if (glActiveTextureARB == nullptr) return;
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

}  // namespace

float seaCornerHeight(float x, float z, float phase) {
  return std::min(0.05f * std::cos((1.5f * z + 2.0f * x + phase) * 10.0f * kDegToRad) - 0.1f, 0.0f);
}

float waveHeightAt(float x, float z) {
  return waveAmplitude * std::cos((2.0f * x + 1.5f * z + seaPhase) * 10.0f * kDegToRad) - 0.05f;
}

void drawSea() {
  seaPhase += 1.5f / frameClock.fps;
  if (seaPhase > 360.0f) seaPhase -= 360.0f;
  const float u0 = std::cos(seaPhase * kDegToRad);
  const float v0 = std::sin((2.0f * seaPhase + 80.0f) * kDegToRad);

  waveAmplitude = 0.05f;
  glDisable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  stopShadowUnitTexturing();
  glDepthMask(GL_FALSE);
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, GameTextures[SeaEffectTexture].glName);
  drawSeaQuads(u0, v0);

  glDepthMask(GL_TRUE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1, 1, 1, 1);
  glBindTexture(GL_TEXTURE_2D, GameTextures[WaveTexture].glName);
  // Before the first bake the slot holds no picture, and a bare white quad is no surf.
  if (surfScreen() && GameTextures[WaveTexture].glName != 0) drawSurf();

  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (!surfScreen()) waveAmplitude = 0.2f;
}
