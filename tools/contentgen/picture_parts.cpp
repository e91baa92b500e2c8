#include "picture_parts.h"

#include "palette.h"

#include <algorithm>
#include <cmath>

void drawGolfBall(Image &img, float cx, float cy, float r)
{
    fillOutlinedPaint(
        img, [=](float x, float y) { return sdCircle(x, y, cx, cy, r); },
        [=](float x, float y) {
            const float d = std::hypot(x - (cx - 0.35f * r), y - (cy - 0.35f * r)) / (1.4f * r);
            return mix(palette::white, rgb(0xaec4e0), std::clamp(d * d, 0.0f, 1.0f));
        },
        palette::ink, kRimWidth);
    // Dimples on a loose hexagonal lattice, fainter towards the lit side.
    const float step = std::max(2.5f, r * 0.34f);
    for (float dy = -r; dy <= r; dy += step * 0.87f)
        for (float dx = -r; dx <= r; dx += step) {
            const float ox = dx + ((static_cast<int>(std::lround((dy + r) / (step * 0.87f))) % 2) ? step / 2 : 0);
            if (std::hypot(ox, dy) > r * 0.8f) continue;
            const float light = std::hypot(ox + 0.35f * r, dy + 0.35f * r) / (1.6f * r);
            fillCircle(img, cx + ox, cy + dy, std::max(0.8f, r * 0.09f), withAlpha(rgb(0x7f98ba), 0.25f + 0.4f * light));
        }
    fillCircle(img, cx - 0.38f * r, cy - 0.4f * r, r * 0.22f, withAlpha(palette::white, 0.9f));
}

void drawFlag(Image &img, float x, float groundY, float height, Colour pennant)
{
    const float top = groundY - height;
    const float w = std::max(2.0f, height * 0.05f);
    drawLine(img, x, groundY, x, top, w + 2 * kRimWidth, palette::ink);
    const float flagH = height * 0.32f, flagW = height * 0.5f;
    std::vector<float> cloth = {x,           top,
                                x + flagW * 0.55f, top + flagH * 0.08f,
                                x + flagW,   top + flagH * 0.5f,
                                x + flagW * 0.5f, top + flagH * 0.86f,
                                x,           top + flagH};
    fillOutlinedPaint(
        img, [&](float px, float py) { return sdPolygon(px, py, cloth); },
        [=](float px, float) { return mix(lighten(pennant, 0.15f), darken(pennant, 0.12f), (px - x) / flagW); },
        palette::ink, kRimWidth);
    drawLine(img, x, groundY, x, top, w, palette::white);
    fillCircle(img, x, top - w * 0.6f, w * 1.1f, palette::sun);
}

void drawTrophy(Image &img, float cx, float cy, float size)
{
    const float s = size / 100.0f;
    auto gold = [=](float, float y) { return mix(rgb(0xfff1a8), palette::gold, std::clamp((y - cy + 40 * s) / (90 * s), 0.f, 1.f)); };
    // Handles first, so the bowl covers their inner ends.
    for (float side : {-1.0f, 1.0f}) {
        auto handle = [=](float x, float y) {
            return std::fabs(sdCircle(x, y, cx + side * 38 * s, cy - 8 * s, 16 * s)) - 5 * s;
        };
        fillOutlinedPaint(img, handle, gold, palette::ink, kRimWidth);
    }
    auto bowl = [=](float x, float y) {
        const float body = sdEllipse(x, y, cx, cy - 14 * s, 40 * s, 44 * s);
        return std::max(body, (cy - 40 * s) - y);  // flat rim on top
    };
    fillOutlinedPaint(img, bowl, gold, palette::ink, kRimWidth);
    fillOutlinedPaint(img, [=](float x, float y) { return sdBox(x, y, cx, cy + 34 * s, 7 * s, 8 * s, 2 * s); }, gold,
                      palette::ink, kRimWidth);
    fillOutlined(img, [=](float x, float y) { return sdBox(x, y, cx, cy + 48 * s, 28 * s, 8 * s, 4 * s); },
                 palette::woodDark, palette::ink, kRimWidth);
    fillShape(img, [=](float x, float y) { return sdBox(x, y, cx, cy + 48 * s, 18 * s, 3 * s, 1.5f * s); },
              withAlpha(palette::sun, 0.9f));
    // Shine on the bowl.
    fillShape(img, [=](float x, float y) { return sdEllipse(x, y, cx - 18 * s, cy - 16 * s, 6 * s, 16 * s); },
              withAlpha(palette::white, 0.6f));
}

void drawCloud(Image &img, float cx, float cy, float size, float alpha)
{
    auto cloud = [=](float x, float y) {
        float d = sdCircle(x, y, cx, cy, size * 0.32f);
        d = std::min(d, sdCircle(x, y, cx - size * 0.3f, cy + size * 0.08f, size * 0.24f));
        d = std::min(d, sdCircle(x, y, cx + size * 0.3f, cy + size * 0.06f, size * 0.26f));
        d = std::min(d, sdBox(x, y, cx, cy + size * 0.2f, size * 0.5f, size * 0.12f, size * 0.12f));
        return d;
    };
    fillShape(img, cloud, [=](float, float y) {
        return withAlpha(mix(palette::white, rgb(0xd8ecff), std::clamp((y - cy + size * 0.3f) / (size * 0.6f), 0.f, 1.f)), alpha);
    });
}

void drawRays(Image &img, float cx, float cy, int count, Colour c, float reach)
{
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const float a = std::atan2(y + 0.5f - cy, x + 0.5f - cx);
            const float wave = std::sin(a * count);
            const float fade = std::max(0.0f, 1.0f - std::hypot(x + 0.5f - cx, y + 0.5f - cy) / reach);
            const float edge = std::clamp(wave * 6.0f, 0.0f, 1.0f) * fade;
            if (edge > 0) blendPixel(img, x, y, c, edge);
        }
}

void drawGreen(Image &img, float cx, float cy, float rx, float ry)
{
    fillShape(img, [=](float x, float y) { return sdEllipse(x, y, cx, cy + ry * 0.18f, rx, ry); },
              palette::grassDark);
    fillOutlinedPaint(
        img, [=](float x, float y) { return sdEllipse(x, y, cx, cy, rx, ry); },
        [=](float x, float y) {
            const float stripe = std::fmod(std::fabs(x - cx + (y - cy) * 0.6f), rx * 0.5f) < rx * 0.25f ? 0.0f : 0.06f;
            return lighten(mix(palette::lime, palette::grass, std::clamp((y - cy + ry) / (2 * ry), 0.f, 1.f)), stripe);
        },
        palette::ink, kRimWidth);
}

void drawGlow(Image &img, float cx, float cy, float r, Colour c)
{
    for (int y = std::max(0, int(cy - r)); y < std::min(img.height, int(cy + r) + 1); ++y)
        for (int x = std::max(0, int(cx - r)); x < std::min(img.width, int(cx + r) + 1); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d < 1) blendPixel(img, x, y, c, (1 - d) * (1 - d));
        }
}
