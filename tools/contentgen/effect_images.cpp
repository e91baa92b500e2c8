// Particle and floor textures (particles/, floor/). Particles are drawn as
// camera-facing quads whose s coordinate runs down the quad, so the water
// drop's head lies at the image's right edge. The floor textures: the sea
// surface that drifts around every hole (tiles seamlessly), and the plain
// shadow, wave and blank images that the hole load bakes over.
#include "content_groups.h"
#include "noise.h"
#include "palette.h"

#include <algorithm>
#include <cmath>

namespace {

// A soft cloud of five overlapping puffs, lit from the top left.
Image smokePuff()
{
    Image img(64, 64);
    const float blobs[][3] = {{32, 34, 15}, {22, 30, 10}, {42, 29, 11}, {28, 22, 9}, {38, 40, 10}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            float density = 0;
            for (const auto &b : blobs) {
                const float d = std::hypot(px - b[0], py - b[1]) / b[2];
                density += std::exp(-d * d * 1.4f);
            }
            const float grain = tiledFractal(px / 8, py / 8, 8, 3, 5) - 0.5f;
            const float rim = std::clamp((30.5f - std::hypot(px - 32, py - 32)) / 6.0f, 0.0f, 1.0f);
            const float a = std::clamp(density * 0.9f + grain * 0.25f, 0.0f, 0.9f) * rim;
            const float shade = std::clamp((px + py - 40) / 60.0f, 0.0f, 1.0f);
            img.at(x, y) = withAlpha(mix(palette::white, rgb(0xc4d2e4), shade), a);
        }
    return img;
}

Image sparkle()
{
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = std::fabs(x + 0.5f - 32), dy = std::fabs(y + 0.5f - 32);
            const float r = std::hypot(dx, dy);
            const float glow = std::max(0.0f, 1 - r / 30);
            const float cross = std::max(std::max(0.0f, 1 - dx / 2.5f) * std::max(0.0f, 1 - dy / 30),
                                         std::max(0.0f, 1 - dy / 2.5f) * std::max(0.0f, 1 - dx / 30));
            const float diag = std::max(0.0f, 1 - std::fabs(dx - dy) / 2.0f) * std::max(0.0f, 1 - r / 18);
            const float a = std::clamp(glow * glow * 0.7f + cross + diag * 0.6f, 0.0f, 1.0f);
            img.at(x, y) = withAlpha(mix(palette::white, palette::sun, std::min(1.0f, r / 22)), a);
        }
    return img;
}

Image waterDrop()
{
    Image img(64, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            // Round head at the right, thin tail trailing to the left.
            const float head = sdCircle(px, py, 54, 8, 6);
            const float tail = sdSegment(px, py, 8, 8, 54, 8, 1.0f + 5.0f * (px - 8) / 46);
            const float d = std::min(head, tail);
            const float a = std::clamp(0.5f - d, 0.0f, 1.0f) * std::clamp((px - 4) / 40, 0.15f, 1.0f);
            const Colour c = mix(rgb(0xbfefff), palette::white, std::clamp((8 - py) / 6 + (px - 50) / 20, 0.f, 1.f));
            img.at(x, y) = withAlpha(c, a * 0.95f);
        }
    return img;
}

// Sea surface: translucent turquoise with brighter ripple lines (caustics),
// seamless in both directions because the game repeats it edge to edge.
Image seaEffect()
{
    constexpr int size = 256;
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / size * 4, v = (y + 0.5f) / size * 4;
            const float n1 = tiledFractal(u, v, 4, 4, 17);
            const float n2 = tiledFractal(u + 1.3f, v + 2.7f, 4, 3, 29);
            const float ridge = 1.0f - std::fabs(n1 - n2) * 4.0f;
            const float caustic = std::pow(std::clamp(ridge, 0.0f, 1.0f), 4.0f);
            Colour c = mix(rgb(0x1aa6d8), rgb(0x35d4e0), n1);
            c = mix(c, rgb(0xd8fbff), caustic * 0.45f);
            img.at(x, y) = withAlpha(c, 0.62f + 0.2f * caustic);
        }
    return img;
}

Image plain(Colour c) { return Image(64, 64, c); }

}  // namespace

void generateEffectImages()
{
    writeImage("particles/fumee.tga", smokePuff(), true);
    writeImage("particles/10.tga", sparkle(), true);
    writeImage("particles/eau.tga", waterDrop(), true);
    writeImage("floor/sea-effect.tga", seaEffect(), true);
    writeImage("floor/shadow.tga", plain(palette::white), false);
    writeImage("floor/vague.tga", plain(Colour{0, 0, 0, 1}), false);
    writeImage("floor/blank.tga", plain(palette::white), false);
}
