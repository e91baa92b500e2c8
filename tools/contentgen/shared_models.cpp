// Models every world shares (object/ and objectedit/), their textures under
// textures/, and ready-made sky domes under sky/ that world files can name
// on their "SKY-A" and "SKY-B" lines. Model units are hundredths of a world
// unit: the ball has radius 8 (0.08), the pole stands 118 high so the flag,
// hung at 1.15 by the game, sits at its top.
#include "content_groups.h"
#include "model_writer.h"
#include "noise.h"
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kBallRadius = 8.0f;
constexpr float kCupRadius = 11.0f;
constexpr float kPoleHeight = 118.0f;

void writeTexture(const std::string &name, const Image &img, bool alpha)
{
    writeImage("textures/" + name + ".tga", img, alpha);
}

// --- textures -------------------------------------------------------------

Image ballTexture()
{
    // Soft dimple pattern: the game's light does the rounding.
    Image img(64, 32, palette::white);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = std::fmod(x + (y / 4 % 2) * 2.0f, 4.0f) - 2, dy = std::fmod(float(y), 4.0f) - 2;
            const float dimple = std::max(0.0f, 1 - std::hypot(dx, dy) / 1.6f);
            img.at(x, y) = mix(palette::white, rgb(0xdfe6f0), dimple * 0.8f);
        }
    return img;
}

Image poleTexture()
{
    // Red and white bands along the pole (v runs up the pole).
    Image img(16, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 16; ++x) img.at(x, y) = (y / 8) % 2 ? palette::white : palette::red;
    return img;
}

Image pennantTexture()
{
    Image img(64, 64);
    fillVertical(img, palette::coral, palette::red);
    const std::vector<float> star = starPoints(26, 32, 16, 7, 5);
    fillShape(img, [&](float x, float y) { return sdPolygon(x, y, star); }, palette::sun);
    return img;
}

Image markerTexture()
{
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) img.at(x, y) = ((x / 16 + y / 16) % 2) ? palette::sun : palette::orange;
    return img;
}

Image skyTexture(Colour horizon, Colour zenith, Colour sunGlow, int stars)
{
    // Row 0 is the top of the image, which the dome maps to its zenith.
    Image img(256, 256);
    for (int y = 0; y < 256; ++y) {
        const float t = y / 255.0f;  // 0 at the zenith, 1 at the horizon
        for (int x = 0; x < 256; ++x) {
            Colour c = mix(zenith, horizon, std::pow(t, 1.6f));
            const float sun = std::exp(-std::pow((x - 64) / 40.0f, 2.0f) - std::pow((1 - t) / 0.35f, 2.0f));
            img.at(x, y) = mix(c, sunGlow, sun * 0.6f);
        }
    }
    // Stars thin out towards the horizon, where the haze hides them.
    Random rng(static_cast<uint64_t>(stars) * 31 + 5);
    for (int i = 0; i < stars; ++i) {
        const float x = rng.range(0, 256), y = 200 * rng.uniform() * rng.uniform();
        fillCircle(img, x, y, rng.range(0.5f, 1.3f), withAlpha(palette::white, rng.range(0.4f, 1.0f) * (1 - y / 220)));
    }
    return img;
}

Image cloudTexture(Colour tint, uint32_t seed)
{
    // Repeats around the dome (u wraps), fades out at the horizon and top.
    Image img(256, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x) {
            const float n = tiledFractal(x / 32.0f, y / 32.0f, 8, 4, seed);
            const float t = y / 127.0f;
            const float band = std::sin(std::clamp(t, 0.0f, 1.0f) * kPi);
            const float a = std::clamp((n - 0.48f) * 4.0f, 0.0f, 1.0f) * band;
            img.at(x, y) = withAlpha(mix(palette::white, tint, std::clamp(1 - n, 0.0f, 1.0f)), a * 0.9f);
        }
    return img;
}

// --- models ---------------------------------------------------------------

void ballModels()
{
    ModelBuilder ball;
    ball.group("ball", "ball");
    ball.sphere({0, 0, 0}, kBallRadius, 24, 12);
    writeModel("object/ball.obj", ball);

    ModelBuilder small;
    small.group("aimdot", "white");
    small.sphere({0, 0, 0}, 2.5f, 10, 5);
    writeModel("object/ptitball.obj", small);

    // Disc stacked four times, growing and faint, by the game's shadow.
    ModelBuilder shadow;
    shadow.group("shadow", "white");
    shadow.disc({0, 0.4f, 0}, 12.0f, 20);
    writeModel("object/ombre.obj", shadow);
}

void cupModels()
{
    ModelBuilder cup;
    cup.group("rim", "white");
    cup.ring({0, 0.8f, 0}, kCupRadius, kCupRadius + 2.5f, 24);
    cup.group("hole", "cupdark");
    cup.disc({0, 0.6f, 0}, kCupRadius, 24);
    cup.cylinder({0, -15, 0}, kCupRadius, 15.6f, 24, true);
    writeModel("object/trou.obj", cup);

    ModelBuilder pole;
    pole.group("pole", "pole");
    pole.cylinder({0, 0, 0}, 1.4f, kPoleHeight, 10);
    pole.group("light_knob", "pennant");
    pole.sphere({0, kPoleHeight + 1.5f, 0}, 2.4f, 10, 5);
    writeModel("object/poto.obj", pole);

    // The pennant hangs from the pole's top (the game places it there) and
    // ripples a little along its length.
    ModelBuilder flag;
    flag.group("pennant", "pennant");
    constexpr int cols = 6, rows = 2;
    std::vector<int> v, t;
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= cols; ++c) {
            const float u = float(c) / cols, h = float(r) / rows;
            const float length = 44.0f * (1.0f - 0.35f * std::fabs(h - 0.5f) * 2 * u);
            v.push_back(flag.vertex({1.4f + length * u, -28.0f * h + 3.0f * u * (h - 0.5f), 3.0f * std::sin(u * kPi * 1.5f)}));
            t.push_back(flag.texCoord(u, 1 - h));
        }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int a = r * (cols + 1) + c, b = a + 1, d = a + cols + 1, e = d + 1;
            flag.quad(v[a], t[a], v[d], t[d], v[e], t[e], v[b], t[b]);
        }
    writeModel("object/drapo.obj", flag);
}

// Editor markers: one per kind of marker a hole can hold.
void markerModels()
{
    ModelBuilder start;
    start.group("tee", "marker");
    start.box({-14, 0, -14}, {14, 3, 14});
    start.group("ball", "ball");
    start.sphere({0, 3 + kBallRadius, 0}, kBallRadius, 12, 6);
    writeModel("objectedit/start.obj", start);

    ModelBuilder flag;
    flag.group("pole", "pole");
    flag.cylinder({0, 0, 0}, 1.4f, 60, 8);
    flag.group("pennant", "pennant");
    flag.box({1.4f, 42, -0.5f}, {26, 58, 0.5f});
    writeModel("objectedit/flag.obj", flag);

    // A five-pointed star standing on edge, 4 units thick.
    ModelBuilder star;
    star.group("light_star", "marker");
    const std::vector<float> pts = starPoints(0, 0, 16, 7, 5);
    const int n = static_cast<int>(pts.size() / 2);
    const int tc = star.texCoord(0.5f, 0.5f);
    const int front = star.vertex({0, 20, 2}), back = star.vertex({0, 20, -2});
    std::vector<int> f, b;
    for (int i = 0; i < n; ++i) {
        f.push_back(star.vertex({pts[2 * i], 20 - pts[2 * i + 1], 2}));
        b.push_back(star.vertex({pts[2 * i], 20 - pts[2 * i + 1], -2}));
    }
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        star.triangle(front, tc, f[j], tc, f[i], tc);
        star.triangle(back, tc, b[i], tc, b[j], tc);
        star.quad(f[i], tc, f[j], tc, b[j], tc, b[i], tc);
    }
    writeModel("objectedit/etoile.obj", star);

    ModelBuilder camera;
    camera.group("body", "marker");
    camera.box({-10, 10, -6}, {10, 24, 6});
    camera.group("dark_lens", "cupdark");
    camera.box({10, 13, -4}, {18, 21, 4});
    writeModel("objectedit/camera.obj", camera);
}

// A sky pair: A is the dome, B the cloud layer the game turns slowly and
// lifts by 12 units. Drawn at scale 5: 1200 file units make 60 world units.
void skyPair(const std::string &name, Colour horizon, Colour zenith, Colour glow, Colour cloudTint, uint32_t seed,
             int stars = 0)
{
    writeTexture("sky-" + name, skyTexture(horizon, zenith, glow, stars), false);
    writeTexture("clouds-" + name, cloudTexture(cloudTint, seed), true);
    ModelBuilder dome;
    dome.group("light_sky", "sky-" + name);
    // The skirt reaches below the horizon, so no gap shows past the sea's rim.
    dome.skyDome({0, -40, 0}, 1200, 700, 24, 10, 0.4f);
    writeModel("sky/" + name + "-a.obj", dome);
    ModelBuilder clouds;
    clouds.group("light_clouds", "clouds-" + name);
    clouds.skyDome({0, -60, 0}, 1100, 380, 24, 6);
    writeModel("sky/" + name + "-b.obj", clouds);
}

}  // namespace

void generateSharedModels()
{
    writeTexture("ball", ballTexture(), false);
    writeTexture("white", Image(8, 8, palette::white), false);
    writeTexture("cupdark", Image(8, 8, rgb(0x142033)), false);
    writeTexture("pole", poleTexture(), false);
    writeTexture("pennant", pennantTexture(), false);
    writeTexture("marker", markerTexture(), false);
    ballModels();
    cupModels();
    markerModels();
    skyPair("day", rgb(0xdff6ff), rgb(0x2f8fe0), rgb(0xfff3c4), rgb(0xcfe3f5), 41);
    skyPair("dusk", rgb(0xffc48a), rgb(0x5a4fb0), rgb(0xffe08a), rgb(0xf0a0b0), 43);
    skyPair("night", rgb(0x3a4f8a), rgb(0x0b1030), rgb(0x9fb4ff), rgb(0x5a6a9a), 47, 160);
}
