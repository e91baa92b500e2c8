#include "render/sprite.h"

namespace {

// Running number of sprite loads; starts again from 1 after every release of all textures.
int spriteLoads = 0;

// Corners of a box from (left, top) to (right, bottom) in the drawing order.
SpriteQuad boxQuad(float left, float top, float right, float bottom) {
  return SpriteQuad{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
}

}  // namespace

void resetSpriteSequence() { spriteLoads = 0; }

bool loadSprite(Sprite& sprite, const char* path) {
  sprite.loadedFrames = 0;
  spriteLoads += 1;
  sprite.sequence = spriteLoads;
  if (!loadTexture(sprite.frames[0], path, ClampLinear)) return false;
  sprite.loadedFrames = 1;
  return true;
}

bool setSpriteAnchor(Sprite& sprite, int anchor) {
  const float w = static_cast<float>(sprite.frames[0].width);
  const float h = static_cast<float>(sprite.frames[0].height);
  switch (anchor) {
    case Centre:
      sprite.quad = boxQuad(-w / 2, -h / 2, w / 2, h / 2);
      sprite.smallQuad = boxQuad(-w / 4, -h / 4, w / 4, h / 4);
      sprite.largeQuad = boxQuad(-2 * w, -2 * h, 2 * w, 2 * h);
      return true;
    case Corner:
      sprite.quad = boxQuad(0, 0, w, h);
      return true;
    case BottomCentre:
      sprite.quad = boxQuad(-w / 2, 0, w / 2, h);
      return true;
    default:
      return false;
  }
}
