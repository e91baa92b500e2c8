// The one palette of the game's art: bright, friendly colours that sit well
// on the interface's own turquoise bands and blue gradients. Every image of
// the generator takes its colours from here.
#pragma once

#include "raster.h"

namespace palette {
constexpr Colour ink = rgb(0x1b2a4a);        // outlines and dark strokes
constexpr Colour inkSoft = rgb(0x2f4777);
constexpr Colour white = rgb(0xffffff);
constexpr Colour cream = rgb(0xfff4dc);
constexpr Colour skyLight = rgb(0x9be7ff);
constexpr Colour sky = rgb(0x4fc3f7);
constexpr Colour ocean = rgb(0x1e88d8);
constexpr Colour deepBlue = rgb(0x1e4fa8);
constexpr Colour turquoise = rgb(0x00ccd9);
constexpr Colour grass = rgb(0x5cc85a);
constexpr Colour grassDark = rgb(0x2e9a4a);
constexpr Colour lime = rgb(0xb4e85c);
constexpr Colour sun = rgb(0xffd54f);
constexpr Colour gold = rgb(0xf5b82e);
constexpr Colour orange = rgb(0xff9f43);
constexpr Colour coral = rgb(0xff6b6b);
constexpr Colour red = rgb(0xe84545);
constexpr Colour pink = rgb(0xff8fb8);
constexpr Colour purple = rgb(0x9b7bff);
constexpr Colour plum = rgb(0x6a4bc4);
constexpr Colour wood = rgb(0xc98a4b);
constexpr Colour woodDark = rgb(0x8a5a2b);
constexpr Colour sand = rgb(0xf2d79b);
constexpr Colour stone = rgb(0xb8c2cc);
}  // namespace palette
