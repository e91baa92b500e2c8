// The 2D interface image: one texture and three ready-made screen quads (own size, half size
// and four times the size), drawn by the widget routines in a y-down pixel projection.
#pragma once

#include <array>

#include "render/texture_loader.h"

constexpr int kSpriteFrames = 100;  // only frame 0 is ever filled or drawn

using SpriteQuad = std::array<std::array<float, 2>, 4>;  // corners in pixels from the origin

// Corners run (min x, min y), (max x, min y), (max x, max y), (min x, max y) and are drawn
// with texture coordinates (0,0), (1,0), (1,1), (0,1): the image's first row lands on top.
struct Sprite {
  std::array<TextureRecord, kSpriteFrames> frames{};
  int sequence = 0;      // running number of sprite loads since the last release (1 first)
  int loadedFrames = 0;  // 1 after a successful load
  SpriteQuad quad{};       // the image's own size
  SpriteQuad smallQuad{};  // half size
  SpriteQuad largeQuad{};  // four times the size (corners at plus or minus twice w and h)
};

enum SpriteAnchor : int {
  Centre = 0,        // origin in the middle; sets all three quads
  Corner = 1,        // origin at the top-left corner; sets quad only
  BottomCentre = 2,  // origin in the middle of the top edge, image below it; sets quad only
};

// Loads `path` into frame 0 with ClampLinear and numbers the sprite; true on success.
bool loadSprite(Sprite& sprite, const char* path);

// Computes the quads from frame 0's size; false (and nothing changed) for an unknown anchor.
bool setSpriteAnchor(Sprite& sprite, int anchor);

// Starts the sprite numbering again from 1; called when all textures are released.
void resetSpriteSequence();
