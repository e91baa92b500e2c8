// The fifteen golfer portraits (perso/1..15). Each is a round badge with a
// friendly face built from a few parts (hair, headwear, glasses, smile,
// shirt) chosen in the table below, so that no two players look alike. The
// game draws them at 128 pixels on tall screens and at half size otherwise.
#include "content_groups.h"
#include "palette.h"
#include "picture_parts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

enum class Hair { Short, Spiky, Curly, Long, Ponytail, Bun, None };
enum class Hat { None, Cap, Visor, Beanie, Sunhat };
enum class Mouth { Smile, Grin, Open, Smirk };

struct Golfer {
    int skin;
    int hair;
    Hair hairStyle;
    Hat hat;
    int hatColour;
    bool glasses;
    Mouth mouth;
    int shirt;
    int badge;
    bool freckles;
    bool moustache;
};

// clang-format off
constexpr std::array<Golfer, 15> kGolfers = {{
    {0xffd6b0, 0x6b3e1f, Hair::Short,    Hat::Cap,    0xe84545, false, Mouth::Grin,  0x4fc3f7, 0xffd54f, false, false},
    {0xf1c09a, 0xf5c542, Hair::Long,     Hat::None,   0,        false, Mouth::Smile, 0xff8fb8, 0x9be7ff, true,  false},
    {0x8d5a3b, 0x221a14, Hair::Curly,    Hat::None,   0,        true,  Mouth::Grin,  0xffd54f, 0xb4e85c, false, false},
    {0xe8b48f, 0xb8481f, Hair::Ponytail, Hat::Visor,  0x00ccd9, false, Mouth::Open,  0x5cc85a, 0xff9f43, true,  false},
    {0xc68a62, 0x3a2618, Hair::Spiky,    Hat::None,   0,        false, Mouth::Smirk, 0xff6b6b, 0x4fc3f7, false, false},
    {0xffdcc0, 0xd9d9e0, Hair::Short,    Hat::Sunhat, 0xf2d79b, true,  Mouth::Smile, 0x9b7bff, 0xb4e85c, false, true},
    {0x6b4028, 0x15100c, Hair::Bun,      Hat::None,   0,        false, Mouth::Smile, 0x00ccd9, 0xff8fb8, false, false},
    {0xf3c7a4, 0x8a5a2b, Hair::None,     Hat::Beanie, 0x5cc85a, false, Mouth::Grin,  0xff9f43, 0x9b7bff, true,  false},
    {0xd9a47c, 0x2b1d14, Hair::Long,     Hat::Cap,    0x9b7bff, false, Mouth::Open,  0xf5b82e, 0x00ccd9, false, false},
    {0xffe0c8, 0xe07a2f, Hair::Curly,    Hat::None,   0,        false, Mouth::Grin,  0x1e88d8, 0xffd54f, true,  false},
    {0xa86b48, 0x4a3020, Hair::Short,    Hat::Visor,  0xff6b6b, true,  Mouth::Smirk, 0xb4e85c, 0xff6b6b, false, true},
    {0xf0bd98, 0x2f4777, Hair::Spiky,    Hat::None,   0,        false, Mouth::Open,  0xff8fb8, 0x5cc85a, false, false},
    {0x7d4c30, 0x1b1410, Hair::Ponytail, Hat::Cap,    0xffd54f, false, Mouth::Smile, 0x9b7bff, 0x4fc3f7, false, false},
    {0xffd0b0, 0x9a9aa8, Hair::Bun,      Hat::None,   0,        true,  Mouth::Smile, 0x5cc85a, 0xf2d79b, false, false},
    {0xe2aa84, 0xc98a4b, Hair::Short,    Hat::Beanie, 0xe84545, false, Mouth::Grin,  0x4fc3f7, 0xff9f43, true,  false},
}};
// clang-format on

constexpr float kCx = 64, kHeadY = 62;
constexpr float kHeadRx = 27, kHeadRy = 30;

float badge(float x, float y) { return sdCircle(x, y, 64, 64, 60); }

// Shapes are clipped to the round badge by taking the larger distance.
template <typename Shape>
auto clipped(Shape s)
{
    return [s](float x, float y) { return std::max(s(x, y), badge(x, y) + 2.5f); };
}

float sdArc(float x, float y, float cx, float cy, float r, float fromY, float thickness)
{
    // Lower part of a circle (below fromY), as a stroke.
    const float ring = std::fabs(sdCircle(x, y, cx, cy, r)) - thickness;
    return std::max(ring, fromY - y);
}

void drawBackHair(Image &img, const Golfer &g)
{
    const Colour hair = rgb(g.hair);
    switch (g.hairStyle) {
    case Hair::Long:
        fillOutlined(img, clipped([](float x, float y) { return sdBox(x, y, kCx, 72, 33, 36, 18); }), hair,
                     palette::ink, kRimWidth);
        break;
    case Hair::Ponytail:
        fillOutlined(img, clipped([](float x, float y) { return sdEllipse(x, y, 98, 66, 12, 24); }), hair,
                     palette::ink, kRimWidth);
        break;
    case Hair::Bun:
        fillOutlined(img, [](float x, float y) { return sdCircle(x, y, kCx, 26, 14); }, hair, palette::ink,
                     kRimWidth);
        break;
    case Hair::Curly:
        for (int i = 0; i < 9; ++i) {
            const float a = 3.14159f + i * 3.14159f / 8;
            fillOutlined(img, [=](float x, float y) {
                return sdCircle(x, y, kCx + 31 * std::cos(a), 58 + 30 * std::sin(a), 11);
            }, hair, palette::ink, kRimWidth);
        }
        break;
    default:
        break;
    }
}

void drawFrontHair(Image &img, const Golfer &g)
{
    const Colour hair = rgb(g.hair);
    auto cap = [](float x, float y) {
        const float top = sdEllipse(x, y, kCx, kHeadY - 4, kHeadRx + 3, kHeadRy + 1);
        return std::max(top, y - (44 + 4 * std::sin(x * 0.35f)));
    };
    switch (g.hairStyle) {
    case Hair::Short:
    case Hair::Long:
    case Hair::Ponytail:
    case Hair::Bun:
        fillOutlined(img, cap, hair, palette::ink, kRimWidth);
        break;
    case Hair::Spiky: {
        std::vector<float> spikes = {36, 52};
        for (int i = 0; i <= 6; ++i) {
            spikes.push_back(38 + i * 8.7f);
            spikes.push_back(i % 2 ? 34 : 20);
        }
        spikes.insert(spikes.end(), {92, 52, 64, 44});
        fillOutlined(img, [&](float x, float y) { return std::min(sdPolygon(x, y, spikes), cap(x, y)); }, hair,
                     palette::ink, kRimWidth);
        break;
    }
    case Hair::Curly:
        for (int i = 0; i < 6; ++i)
            fillOutlined(img, [=](float x, float y) { return sdCircle(x, y, 42 + i * 8.8f, 38 + (i % 2) * 3, 9); },
                         hair, palette::ink, kRimWidth);
        break;
    case Hair::None:
        break;
    }
}

void drawHat(Image &img, const Golfer &g)
{
    const Colour c = rgb(g.hatColour);
    switch (g.hat) {
    case Hat::Cap:
        fillOutlined(img, [](float x, float y) { return sdEllipse(x, y, 50, 45, 26, 5); }, darken(c, 0.15f),
                     palette::ink, kRimWidth);
        fillOutlined(img, [](float x, float y) {
            return std::max(sdEllipse(x, y, kCx, 46, 29, 24), y - 45.0f);
        }, c, palette::ink, kRimWidth);
        fillCircle(img, kCx, 24, 3, palette::white);
        break;
    case Hat::Visor:
        fillOutlined(img, [](float x, float y) { return sdBox(x, y, kCx, 40, 29, 4, 3); }, c, palette::ink,
                     kRimWidth);
        fillOutlined(img, [](float x, float y) { return std::max(sdEllipse(x, y, 52, 44, 26, 7), 42.0f - y); },
                     darken(c, 0.15f), palette::ink, kRimWidth);
        break;
    case Hat::Beanie:
        fillOutlined(img, [](float x, float y) {
            return std::max(sdEllipse(x, y, kCx, 46, 30, 28), y - 44.0f);
        }, c, palette::ink, kRimWidth);
        fillOutlined(img, [](float x, float y) { return sdBox(x, y, kCx, 43, 31, 6, 5); }, lighten(c, 0.3f),
                     palette::ink, kRimWidth);
        fillOutlined(img, [](float x, float y) { return sdCircle(x, y, kCx, 16, 7); }, palette::white, palette::ink,
                     kRimWidth);
        break;
    case Hat::Sunhat:
        fillOutlined(img, [](float x, float y) { return sdEllipse(x, y, kCx, 42, 46, 9); }, c, palette::ink,
                     kRimWidth);
        fillOutlined(img, [](float x, float y) {
            return std::max(sdEllipse(x, y, kCx, 40, 24, 20), y - 40.0f);
        }, c, palette::ink, kRimWidth);
        fillShape(img, [](float x, float y) { return sdBox(x, y, kCx, 36, 24, 3, 1); }, palette::coral);
        break;
    case Hat::None:
        break;
    }
}

void drawFace(Image &img, const Golfer &g)
{
    const Colour skin = rgb(g.skin);
    const Colour shade = darken(skin, 0.18f);
    for (float side : {-1.0f, 1.0f})
        fillOutlined(img, [=](float x, float y) { return sdCircle(x, y, kCx + side * 27, 66, 7); }, skin,
                     palette::ink, kRimWidth);
    fillOutlinedPaint(
        img, [](float x, float y) { return sdEllipse(x, y, kCx, kHeadY, kHeadRx, kHeadRy); },
        [=](float x, float) { return mix(skin, shade, std::clamp((x - 40) / 60, 0.0f, 1.0f) * 0.6f); },
        palette::ink, kRimWidth);
    // Eyes: dark ovals with a catch light; brows above them.
    for (float side : {-1.0f, 1.0f}) {
        const float ex = kCx + side * 10;
        fillShape(img, [=](float x, float y) { return sdEllipse(x, y, ex, 62, 3.6f, 5.0f); }, palette::ink);
        fillCircle(img, ex + 1.2f, 60, 1.3f, palette::white);
        drawLine(img, ex - 4, 52 - side * 0.5f, ex + 4, 52 + side * 0.5f, 2.2f, darken(rgb(g.hair), 0.2f));
    }
    fillShape(img, [](float x, float y) { return sdEllipse(x, y, kCx, 69, 3.5f, 2.6f); }, shade);
    for (float side : {-1.0f, 1.0f})
        fillCircle(img, kCx + side * 17, 72, 4.5f, withAlpha(palette::coral, 0.35f));
    if (g.freckles)
        for (float side : {-1.0f, 1.0f})
            for (int i = 0; i < 3; ++i)
                fillCircle(img, kCx + side * (14 + i * 3), 69 + (i % 2) * 2, 0.9f, withAlpha(rgb(0x9a5a3a), 0.8f));
    switch (g.mouth) {
    case Mouth::Smile:
        fillShape(img, [](float x, float y) { return sdArc(x, y, kCx, 70, 9, 74, 1.3f); }, palette::ink);
        break;
    case Mouth::Grin:
        fillOutlined(img, [](float x, float y) { return std::max(sdCircle(x, y, kCx, 74, 9), 74.0f - y); },
                     palette::white, palette::ink, 1.6f);
        break;
    case Mouth::Open:
        fillOutlined(img, [](float x, float y) { return sdEllipse(x, y, kCx, 79, 5, 4); }, rgb(0xb83a3a),
                     palette::ink, 1.5f);
        break;
    case Mouth::Smirk:
        fillShape(img, [](float x, float y) { return sdArc(x, y, kCx + 4, 72, 7, 76, 1.3f); }, palette::ink);
        break;
    }
    if (g.moustache)
        for (float side : {-1.0f, 1.0f})
            fillShape(img, [=](float x, float y) { return sdEllipse(x, y, kCx + side * 5, 74, 6, 2.5f); },
                      rgb(g.hair));
    if (g.glasses)
        for (float side : {-1.0f, 1.0f}) {
            fillShape(img, [=](float x, float y) { return std::fabs(sdCircle(x, y, kCx + side * 10, 62, 7.5f)) - 1.3f; },
                      palette::ink);
            drawLine(img, kCx - 3, 61, kCx + 3, 61, 2, palette::ink);
        }
}

Image portrait(const Golfer &g)
{
    Image img(128, 128);
    fillOutlinedPaint(
        img, badge, [&](float, float y) { return mix(lighten(rgb(g.badge), 0.35f), rgb(g.badge), y / 128); },
        palette::ink, kRimWidth);
    const Colour shirt = rgb(g.shirt);
    fillOutlined(img, clipped([](float x, float y) { return sdEllipse(x, y, kCx, 128, 44, 34); }), shirt,
                 palette::ink, kRimWidth);
    fillShape(img, clipped([](float x, float y) { return sdBox(x, y, kCx, 100, 9, 4, 3); }), lighten(shirt, 0.5f));
    drawBackHair(img, g);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, kCx, 90, 8, 8, 3); }, darken(rgb(g.skin), 0.1f),
                 palette::ink, kRimWidth);
    drawFace(img, g);
    drawFrontHair(img, g);
    drawHat(img, g);
    return img;
}

}  // namespace

void generatePortraits()
{
    for (size_t i = 0; i < kGolfers.size(); ++i)
        writeImage("perso/" + std::to_string(i + 1) + ".tga", portrait(kGolfers[i]), true);
}
