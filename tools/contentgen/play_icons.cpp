// Play screen icons (interfacejeu/): the four view icons shown at the top
// right when the view changes, and the thirteen power-gauge pictures, one
// per power step, that grow and warm from green to red as the stroke gets
// stronger.
#include "content_groups.h"
#include "font_text.h"
#include "palette.h"
#include "picture_parts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kPowerSteps = 13;

void cameraShape(Image &img, float cx, float cy, float size, float turn)
{
    // A small film camera looking along `turn` (radians, 0 = to the right).
    const float c = std::cos(turn), s = std::sin(turn);
    auto local = [=](float x, float y, float &u, float &v) {
        u = (x - cx) * c + (y - cy) * s;
        v = -(x - cx) * s + (y - cy) * c;
    };
    auto body = [=](float x, float y) {
        float u, v;
        local(x, y, u, v);
        return sdBox(u, v, -size * 0.15f, 0, size * 0.45f, size * 0.3f, size * 0.08f);
    };
    auto lens = [=](float x, float y) {
        float u, v;
        local(x, y, u, v);
        const std::vector<float> cone = {size * 0.3f, -size * 0.12f, size * 0.62f, -size * 0.3f,
                                         size * 0.62f, size * 0.3f,  size * 0.3f,  size * 0.12f};
        return sdPolygon(u, v, cone);
    };
    fillOutlined(img, lens, palette::stone, palette::ink, kRimWidth);
    fillOutlined(img, body, palette::coral, palette::ink, kRimWidth);
    fillCircle(img, cx - size * 0.15f * c, cy - size * 0.15f * s, size * 0.1f, withAlpha(palette::white, 0.8f));
}

Image viewTile(int number)
{
    Image img(64, 64);
    fillOutlinedPaint(
        img, [](float x, float y) { return sdBox(x, y, 32, 32, 29, 29, 10); },
        [](float, float y) { return withAlpha(mix(palette::ocean, palette::deepBlue, y / 64), 0.9f); },
        palette::ink, kRimWidth);
    TextStyle style;
    style.outline = palette::ink;
    style.outlineWidth = 1.5f;
    drawTextCentred(img, renderText(FontFace::Rounded, std::to_string(number), 14, 2, 0, 0.8f), 52, 14, style);
    return img;
}

Image viewIcon(int view)
{
    Image img = viewTile(view + 1);
    switch (view) {
    case 0:  // close behind the ball
        drawGreen(img, 32, 46, 22, 6);
        drawGolfBall(img, 38, 40, 6);
        cameraShape(img, 18, 32, 16, 0.35f);
        break;
    case 1:  // wide behind the ball
        drawGreen(img, 34, 48, 24, 6);
        drawGolfBall(img, 44, 43, 4);
        cameraShape(img, 15, 22, 14, 0.6f);
        break;
    case 2:  // straight down on the ball
        drawGreen(img, 32, 48, 22, 7);
        drawGolfBall(img, 32, 46, 5);
        cameraShape(img, 32, 22, 15, 1.5708f);
        break;
    default:  // orbit over the whole hole
        drawGreen(img, 32, 40, 22, 9);
        drawFlag(img, 36, 40, 16, palette::coral);
        fillShape(img, [](float x, float y) { return std::fabs(sdEllipse(x, y, 32, 36, 26, 12)) - 1.2f; },
                  withAlpha(palette::sun, 0.9f));
        cameraShape(img, 12, 22, 11, 0.5f);
        break;
    }
    return img;
}

// Power step k (0..12): a ring of twelve segments around a ball, k of them
// lit; the whole gauge grows with k and its colour runs green to red.
Image powerGauge(int k)
{
    Image img(128, 128);
    const float t = k / 12.0f;
    const float radius = 34 + 24 * t;
    const Colour heat = t < 0.5f ? mix(palette::lime, palette::sun, t * 2) : mix(palette::sun, palette::red, (t - 0.5f) * 2);
    drawGlow(img, 64, 64, radius + 8, withAlpha(heat, 0.25f + 0.45f * t));
    fillShape(img, [=](float x, float y) { return sdCircle(x, y, 64, 64, radius); }, palette::ink);
    fillShape(img, [=](float x, float y) { return sdCircle(x, y, 64, 64, radius - kRimWidth); },
              withAlpha(palette::deepBlue, 0.9f));
    for (int i = 0; i < 12; ++i) {
        const float a = -1.5708f + (i + 0.5f) * 6.2831853f / 12;
        const float inner = radius * 0.62f, outer = radius * 0.9f;
        const float ax = 64 + inner * std::cos(a), ay = 64 + inner * std::sin(a);
        const float bx = 64 + outer * std::cos(a), by = 64 + outer * std::sin(a);
        const bool lit = i < k;
        const Colour c = lit ? mix(palette::lime, heat, i / 11.0f) : withAlpha(palette::white, 0.22f);
        drawLine(img, ax, ay, bx, by, radius * 0.16f, c);
    }
    drawGolfBall(img, 64, 64, radius * 0.42f);
    return img;
}

}  // namespace

void generatePlayIcons()
{
    for (int v = 0; v < 4; ++v) writeImage("interfacejeu/view" + std::to_string(v + 1) + ".tga", viewIcon(v), true);
    for (int k = 0; k < kPowerSteps; ++k)
        writeImage("interfacejeu/" + std::to_string(k + 1) + ".tga", powerGauge(k), true);
}
