// Pieces of pictures that several images share (a golf ball, a flag on its
// pole, a trophy, clouds, rays), drawn in the palette with the same dark rim
// so menus, icons and portraits read as one family.
#pragma once

#include "raster.h"

constexpr float kRimWidth = 2.0f;  // the dark rim around every drawn shape

void drawGolfBall(Image &img, float cx, float cy, float r);
// Pole standing on (x, groundY), `height` tall, pennant to the right.
void drawFlag(Image &img, float x, float groundY, float height, Colour pennant);
// Trophy cup whose bowl is centred on (cx, cy), `size` pixels wide.
void drawTrophy(Image &img, float cx, float cy, float size);
void drawCloud(Image &img, float cx, float cy, float size, float alpha);
// Soft rays from (cx, cy), fading out at distance `reach`.
void drawRays(Image &img, float cx, float cy, int count, Colour c, float reach);
// Ellipse of grass with a darker rim, the island every picture stands on.
void drawGreen(Image &img, float cx, float cy, float rx, float ry);
// Soft round light: full at the centre, gone at `r`.
void drawGlow(Image &img, float cx, float cy, float r, Colour c);
