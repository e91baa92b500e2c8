// The fixed tables of textures and sprites that the resource sets fill and the screens draw.
#pragma once

#include <array>

#include "render/sprite.h"
#include "render/texture_loader.h"

constexpr int kGameTextureSlots = 40;
constexpr int kSpriteSlots = 175;

// Roles of the GameTextures slots; the other slots are unused.
enum GameTextureSlot : int {
  SmokeTexture = 0,         // smoke particle
  SparkleTexture = 1,       // sparkle particle
  OverlayTexture = 2,       // in-game display overlay
  WaterDropTexture = 3,     // water drop particle
  RedBackgroundTexture = 4, // red background of the in-game display
  DisplayBarTexture = 5,    // in-game display bar
  MenuArcTexture = 20,
  MenuBarTexture = 21,
  SeaEffectTexture = 28,
  TerrainShadowTexture = 29,  // overwritten by the baked shadow at each hole load
  BackgroundTexture = 30,     // screen background
  WaveTexture = 35,
  BlankTexture = 36,
};

// Live for the whole run; the resource sets refill them at their load points, and their
// texture names go stale (not cleared) when all textures are released.
extern std::array<TextureRecord, kGameTextureSlots> GameTextures;
extern std::array<Sprite, kSpriteSlots> Sprites;
