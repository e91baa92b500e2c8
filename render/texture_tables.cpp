#include "render/texture_tables.h"

std::array<TextureRecord, kGameTextureSlots> GameTextures;
std::array<Sprite, kSpriteSlots> Sprites;
