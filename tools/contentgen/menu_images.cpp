// Menu and background images (menu/ and sky/): the game's logo and studio
// badge, the three title pictures, the score picture and cup, our "made with
// SDL" badge, the pause plate, the result panel, the play bar, the two menu
// strips, the blue and red backgrounds and the shine map of metal objects.
// Sizes follow how each is drawn: sprites at their own pixel size, strips
// and backgrounds stretched over the screen.
#include "content_groups.h"
#include "font_text.h"
#include "noise.h"
#include "palette.h"
#include "picture_parts.h"

#include <algorithm>
#include <cmath>

namespace {

TextStyle boldStyle(Colour top, Colour bottom, float rim)
{
    TextStyle s;
    s.top = top;
    s.bottom = bottom;
    s.outline = palette::ink;
    s.outlineWidth = rim;
    s.shadow = withAlpha(palette::ink, 0.45f);
    s.shadowOffset = 3;
    return s;
}

// Drawn centred at the top of the title panel: "Quillmoor" over a green
// ribbon that reads "mini golf", a flag planted in the final letter's corner.
Image logo()
{
    Image img(256, 128);
    const TextMask name = renderText(FontFace::Rounded, "Quillmoor", 44, 4, 0.0f, 2.0f);
    const TextMask sub = renderText(FontFace::Rounded, "mini golf", 24, 3, 1.5f, 1.2f);
    drawFlag(img, 214, 58, 46, palette::coral);
    drawTextCentred(img, name, 122, 44, boldStyle(palette::sun, palette::orange, 3.0f));
    auto ribbon = [](float x, float y) {
        const float bend = 4.0f * std::sin((x - 40) / 176.0f * 3.14159f);
        return sdBox(x, y + bend, 128, 94, 84, 16, 10);
    };
    fillOutlinedPaint(
        img, ribbon, [](float, float y) { return mix(palette::lime, palette::grassDark, (y - 78) / 34); },
        palette::ink, kRimWidth);
    drawTextCentred(img, sub, 128, 90, boldStyle(palette::white, rgb(0xe6f3ff), 2.0f));
    drawGolfBall(img, 40, 96, 11);
    return img;
}

Image studioBadge()
{
    Image img(128, 32);
    fillOutlinedPaint(
        img, [](float x, float y) { return sdBox(x, y, 64, 16, 60, 12, 12); },
        [](float, float y) { return mix(palette::purple, palette::plum, (y - 4) / 24); }, palette::ink, 1.5f);
    const TextMask t = renderText(FontFace::Rounded, "quillmoor games", 12, 1, 0.3f, 0.5f);
    TextStyle s;
    s.outlineWidth = 0;
    drawTextCentred(img, t, 64, 16, s);
    return img;
}

// Our own badge for the library the game is built on.
Image libraryBadge()
{
    Image img(64, 64);
    fillOutlinedPaint(
        img, [](float x, float y) { return sdBox(x, y, 32, 32, 28, 28, 10); },
        [](float, float y) { return mix(palette::sky, palette::deepBlue, (y - 4) / 56); }, palette::ink, 2.0f);
    TextStyle small;
    small.outlineWidth = 0;
    small.top = small.bottom = palette::white;
    drawTextCentred(img, renderText(FontFace::Rounded, "made with", 10, 1, 0.0f, 0.3f), 32, 17, small);
    drawTextCentred(img, renderText(FontFace::Rounded, "SDL", 22, 2, 0.5f, 1.2f), 32, 38,
                    boldStyle(palette::sun, palette::orange, 1.5f));
    return img;
}

Image pictureCanvas(Colour glow)
{
    Image img(256, 256);
    drawGlow(img, 128, 120, 128, withAlpha(glow, 0.55f));
    return img;
}

// Title picture 1: a hole on its island, the ball just short of the cup.
Image titlePictureGreen()
{
    Image img = pictureCanvas(palette::sun);
    drawCloud(img, 70, 60, 70, 0.9f);
    drawCloud(img, 190, 84, 54, 0.8f);
    drawGreen(img, 128, 190, 112, 44);
    fillShape(img, [](float x, float y) { return sdEllipse(x, y, 160, 190, 13, 5); }, palette::ink);
    drawFlag(img, 160, 190, 120, palette::coral);
    drawGolfBall(img, 96, 196, 12);
    for (int i = 0; i < 4; ++i) fillCircle(img, 70.0f - i * 13, 202.0f + i * 3, 2.0f - i * 0.3f, withAlpha(palette::white, 0.8f));
    return img;
}

// Title picture 2: a windmill on the course, sails turning.
Image titlePictureWindmill()
{
    Image img = pictureCanvas(palette::skyLight);
    drawCloud(img, 196, 48, 60, 0.85f);
    drawGreen(img, 128, 206, 116, 38);
    std::vector<float> tower = {100, 206, 110, 104, 146, 104, 156, 206};
    fillOutlinedPaint(
        img, [&](float x, float y) { return sdPolygon(x, y, tower); },
        [](float x, float) { return mix(palette::cream, palette::sand, (x - 100) / 56); }, palette::ink, kRimWidth);
    std::vector<float> roof = {100, 108, 128, 70, 156, 108};
    fillOutlined(img, [&](float x, float y) { return sdPolygon(x, y, roof); }, palette::red, palette::ink, kRimWidth);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, 128, 190, 12, 16, 10); }, palette::woodDark,
                 palette::ink, kRimWidth);
    fillOutlined(img, [](float x, float y) { return sdCircle(x, y, 128, 140, 8); }, palette::sky, palette::ink,
                 kRimWidth);
    for (int i = 0; i < 4; ++i) {
        const float a = 0.4f + i * 1.5708f;
        const float ex = 128 + 70 * std::cos(a), ey = 100 + 70 * std::sin(a);
        const float mx = 128 + 40 * std::cos(a), my = 100 + 40 * std::sin(a);
        const float px = -std::sin(a) * 9, py = std::cos(a) * 9;
        std::vector<float> sail = {mx, my, ex, ey, ex + px * 1.6f, ey + py * 1.6f, mx + px, my + py};
        drawLine(img, 128, 100, ex, ey, 4 + 2 * kRimWidth, palette::ink);
        fillOutlined(img, [&](float x, float y) { return sdPolygon(x, y, sail); }, palette::white, palette::ink,
                     kRimWidth);
        drawLine(img, 128, 100, ex, ey, 4, palette::wood);
    }
    fillOutlined(img, [](float x, float y) { return sdCircle(x, y, 128, 100, 7); }, palette::sun, palette::ink,
                 kRimWidth);
    drawGolfBall(img, 60, 210, 11);
    return img;
}

// Title picture 3: club, ball and a shower of stars.
Image titlePictureStars()
{
    Image img = pictureCanvas(palette::pink);
    drawGreen(img, 128, 204, 104, 36);
    drawLine(img, 196, 40, 140, 186, 7 + 2 * kRimWidth, palette::ink);
    drawLine(img, 196, 40, 140, 186, 7, palette::stone);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, 130, 190, 20, 8, 4); }, rgb(0x8a98a8),
                 palette::ink, kRimWidth);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, 196, 46, 6, 16, 3); }, palette::coral,
                 palette::ink, kRimWidth);
    drawGolfBall(img, 96, 188, 16);
    Random rng(33);
    for (int i = 0; i < 7; ++i) {
        const float x = rng.range(30, 226), y = rng.range(30, 150), r = rng.range(9, 18);
        const std::vector<float> star = starPoints(x, y, r, r * 0.45f, 5);
        fillOutlinedPaint(
            img, [&](float px, float py) { return sdPolygon(px, py, star); },
            [=](float, float py) { return mix(rgb(0xfff3a0), palette::gold, (py - y + r) / (2 * r)); },
            palette::ink, kRimWidth);
    }
    return img;
}

// Score picture: a podium of three balls with their places.
Image scorePicture()
{
    Image img = pictureCanvas(palette::sun);
    drawRays(img, 128, 150, 12, withAlpha(palette::white, 0.3f), 128.0f);
    const struct { float x, top; Colour c; const char *label; } steps[] = {
        {64, 176, palette::sky, "2"}, {128, 148, palette::gold, "1"}, {192, 196, palette::coral, "3"}};
    for (const auto &s : steps) {
        fillOutlinedPaint(
            img, [&](float x, float y) { return sdBox(x, y, s.x, (s.top + 236) / 2, 30, (236 - s.top) / 2, 4); },
            [&](float x, float) { return mix(lighten(s.c, 0.25f), s.c, (x - s.x + 30) / 60); }, palette::ink,
            kRimWidth);
        drawTextCentred(img, renderText(FontFace::Rounded, s.label, 28, 3, 0, 1.5f), s.x, s.top + 24,
                        boldStyle(palette::white, palette::cream, 2.0f));
        drawGolfBall(img, s.x, s.top - 18, 16);
    }
    drawTrophy(img, 128, 70, 50);
    return img;
}

Image cupPicture()
{
    Image img(128, 128);
    drawGlow(img, 64, 56, 64, withAlpha(palette::sun, 0.6f));
    drawTrophy(img, 64, 56, 90);
    const std::vector<float> star = starPoints(64, 52, 12, 5, 5);
    fillOutlined(img, [&](float x, float y) { return sdPolygon(x, y, star); }, palette::white, palette::gold, 1.0f);
    return img;
}

// Translucent plates for the pause menu and the result banner: a w x h
// plate centred in an image of canvasW x canvasH (powers of two).
Image panel(int canvasW, int canvasH, int w, int h, float radius, Colour top, Colour bottom, float alpha)
{
    Image img(canvasW, canvasH);
    const float cx = canvasW / 2.0f, cy = canvasH / 2.0f, top0 = cy - h / 2.0f;
    auto box = [=](float x, float y) { return sdBox(x, y, cx, cy, w / 2.0f - 3, h / 2.0f - 3, radius); };
    fillShape(img, box, withAlpha(palette::turquoise, 0.95f));
    fillShape(img, [&](float x, float y) { return box(x, y) + 3.0f; },
              [=](float, float y) { return withAlpha(mix(top, bottom, (y - top0) / h), alpha); });
    fillShape(img, [=](float x, float y) { return sdBox(x, y, cx, top0 + 10, w / 2.0f - 16, 2, 2); },
              withAlpha(palette::white, 0.3f));
    return img;
}

Image pausePlate()
{
    // Drawn centred on the screen; its lines sit 15 above to 55 below the centre.
    Image img = panel(512, 256, 320, 192, 24, palette::ocean, palette::deepBlue, 0.88f);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, 244, 76, 5, 16, 2.5f); }, palette::sun, palette::ink,
                 kRimWidth);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, 268, 76, 5, 16, 2.5f); }, palette::sun, palette::ink,
                 kRimWidth);
    return img;
}

Image resultPanel()
{
    Image img = panel(512, 128, 512, 128, 28, palette::ocean, palette::deepBlue, 0.85f);
    for (float x : {34.0f, 478.0f}) {
        const std::vector<float> star = starPoints(x, 64, 14, 6, 5);
        fillOutlined(img, [&](float px, float py) { return sdPolygon(px, py, star); }, palette::sun, palette::ink,
                     kRimWidth);
    }
    return img;
}

// Bar behind the player's name and strokes; the game fades its right end.
Image playBar()
{
    Image img(512, 64);
    fillShape(img, [](float x, float y) { return sdBox(x, y, 256, 38, 300, 24, 20); },
              [](float, float y) { return mix(palette::turquoise, palette::deepBlue, (y - 14) / 50); });
    fillShape(img, [](float x, float y) { return sdBox(x, y, 256, 16, 300, 2, 2); }, withAlpha(palette::white, 0.5f));
    return img;
}

// Title panel and options band: opaque at s = 0 (the panel's left edge, the
// band's bottom) and fading out towards s = 1, the same along t.
Image menuStrip()
{
    Image img(256, 256);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const float s = (x + 0.5f) / img.width;
            const float body = s < 0.8f ? 0.78f : 0.78f * std::max(0.0f, 1 - (s - 0.8f) / 0.2f);
            const float edge = std::exp(-std::pow((s - 0.82f) / 0.02f, 2.0f));
            Colour c = withAlpha(mix(palette::deepBlue, palette::ocean, s), body);
            c = mix(c, withAlpha(palette::turquoise, 1.0f), edge * 0.9f);
            img.at(x, y) = c;
        }
    return img;
}

// Side borders: a column of turquoise scallops at the screen edge.
Image sideArc()
{
    Image img(64, 256);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const float s = (x + 0.5f) / img.width;
            const float t = (y + 0.5f) / img.height;
            const float scallop = 0.42f + 0.12f * std::fabs(std::sin(t * 3.14159f * 8));
            const float a = s < scallop ? 0.85f : std::max(0.0f, 0.85f - (s - scallop) * 6);
            const float rim = std::exp(-std::pow((s - scallop) / 0.03f, 2.0f));
            Colour c = withAlpha(mix(palette::deepBlue, palette::ocean, s * 1.5f), a);
            c = mix(c, withAlpha(palette::turquoise, 1.0f), rim);
            img.at(x, y) = c;
        }
    return img;
}

Image background(Colour top, Colour bottom, Colour spots, bool rays, uint32_t seed)
{
    Image img(512, 512);
    fillVertical(img, top, bottom);
    if (rays) drawRays(img, 256, 620, 18, withAlpha(palette::white, 0.1f), 900.0f);
    Random rng(seed);
    for (int i = 0; i < 22; ++i) {
        const float r = rng.range(20, 90);
        drawGlow(img, rng.range(0, 512), rng.range(0, 512), r, withAlpha(spots, rng.range(0.08f, 0.22f)));
    }
    return img;
}

// Sphere map for shiny metal: added on top of the object's own texture, so
// it stays dark except a bright sky band and one highlight.
Image shineMap()
{
    Image img(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float nx = (x + 0.5f) / 64 - 1, ny = (y + 0.5f) / 64 - 1;
            const float r = std::hypot(nx, ny);
            const float sky = std::clamp(-ny * 0.7f + 0.3f, 0.0f, 1.0f);
            Colour c = mix(rgb(0x10161f), rgb(0x6d8fb8), sky * sky);
            const float hl = std::exp(-std::pow(std::hypot(nx + 0.35f, ny + 0.4f) / 0.18f, 2.0f));
            c = mix(c, palette::white, hl);
            if (r > 1) c = rgb(0x10161f);
            img.at(x, y) = c;
        }
    return img;
}

}  // namespace

void generateMenuImages()
{
    writeImage("menu/logo.tga", logo(), true);
    writeImage("menu/vorpel.tga", studioBadge(), true);
    writeImage("menu/logosdl.png", libraryBadge(), true);
    writeImage("menu/groupe1.tga", titlePictureGreen(), true);
    writeImage("menu/groupe2.tga", titlePictureWindmill(), true);
    writeImage("menu/groupe3.tga", titlePictureStars(), true);
    writeImage("menu/groupescore1.tga", scorePicture(), true);
    writeImage("menu/coupe.tga", cupPicture(), true);
    writeImage("menu/pop.tga", pausePlate(), true);
    writeImage("menu/poli.tga", resultPanel(), true);
    writeImage("menu/bargame.png", playBar(), true);
    writeImage("menu/bar.tga", menuStrip(), true);
    writeImage("menu/arc.tga", sideArc(), true);
    writeImage("sky/fonbleu.tga", background(palette::sky, palette::deepBlue, palette::skyLight, false, 7), false);
    writeImage("sky/fonrouge.tga", background(palette::orange, palette::red, palette::sun, true, 11), false);
    writeImage("sky/shine.tga", shineMap(), false);
}
