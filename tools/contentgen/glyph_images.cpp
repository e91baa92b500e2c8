// Glyph images under lettre/: one picture per character of the game's text.
// The game draws them centred on a 20-pixel pen (half and four times for the
// small and large texts), so every glyph sits on one shared baseline in a
// 32 x 32 image: white ink with a dark rim, on a transparent background, so
// that the interface's tints colour the ink and text reads over any backdrop.
#include "content_groups.h"
#include "font_text.h"
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kGlyphSize = 32;
constexpr int kBaselineRow = 23;   // row of the shared baseline
constexpr int kFontPixels = 26;
constexpr float kWeight = 1.6f;  // extra stroke width in pixels
constexpr float kRim = 2.0f;

TextStyle glyphStyle()
{
    TextStyle s;
    s.top = palette::white;
    s.bottom = rgb(0xe6f3ff);
    s.outline = palette::ink;
    s.outlineWidth = kRim;
    return s;
}

void writeGlyph(const std::string &name, const Image &img) { writeImage("lettre/" + name + ".tga", img, true); }

void characterGlyph(const std::string &name, uint32_t codepoint)
{
    Image img(kGlyphSize, kGlyphSize);
    const TextMask mask = renderText(FontFace::Rounded, std::vector<uint32_t>{codepoint}, kFontPixels, 3, 0.0f, kWeight);
    const int x = static_cast<int>(std::lround((kGlyphSize - mask.width) / 2.0f));
    drawTextMask(img, mask, x, kBaselineRow - mask.baseline, glyphStyle());
    writeGlyph(name, img);
}

// Picture glyphs share the rim of the letters.
Image arrowGlyph(bool pointsLeft)
{
    Image img(kGlyphSize, kGlyphSize);
    const float s = pointsLeft ? -1.0f : 1.0f;
    const float c = 16.0f;
    std::vector<float> xy = {c + s * 11, 16, c - s * 3, 5, c - s * 3, 11, c - s * 10, 11,
                             c - s * 10, 21, c - s * 3, 21, c - s * 3, 27};
    fillOutlinedPaint(
        img, [&](float x, float y) { return sdPolygon(x, y, xy) + 0.0f; },
        [](float, float y) { return mix(palette::sun, palette::orange, (y - 5) / 22); }, palette::ink, kRim);
    return img;
}

Image starGlyph()
{
    Image img(kGlyphSize, kGlyphSize);
    const std::vector<float> xy = starPoints(16, 17, 13, 5.5f, 5);
    fillOutlinedPaint(
        img, [&](float x, float y) { return sdPolygon(x, y, xy) + 0.8f; },
        [](float, float y) { return mix(rgb(0xfff09a), palette::gold, (y - 4) / 24); }, palette::ink, kRim);
    return img;
}

Image ballGlyph()
{
    Image img(kGlyphSize, kGlyphSize);
    fillOutlinedPaint(
        img, [](float x, float y) { return sdCircle(x, y, 16, 16, 10); },
        [](float x, float y) {
            const float shade = std::hypot(x - 12.5f, y - 12.5f) / 15.0f;
            return mix(palette::white, rgb(0xb9cde6), shade * shade);
        },
        palette::ink, kRim);
    // A few dimples give it away as a golf ball.
    const float dimples[][2] = {{13, 17}, {18, 14}, {19, 20}, {14, 22}, {22, 17}, {16, 11}};
    for (const auto &d : dimples) fillCircle(img, d[0], d[1], 1.1f, withAlpha(rgb(0x8fa7c4), 0.7f));
    return img;
}

Image volumeGlyph(bool full)
{
    Image img(kGlyphSize, kGlyphSize);
    auto bar = [](float x, float y) { return sdBox(x, y, 16, 16, 6, 11, 3); };
    if (full)
        fillOutlinedPaint(
            img, bar, [](float, float y) { return mix(palette::lime, palette::grass, (y - 5) / 22); },
            palette::ink, kRim);
    else
        fillOutlined(img, bar, withAlpha(palette::deepBlue, 0.55f), palette::ink, 1.5f);
    return img;
}

Image keyGlyph()
{
    Image img(kGlyphSize, kGlyphSize);
    fillOutlined(img, [](float x, float y) { return sdBox(x, y, 16, 17, 12, 11, 4); }, rgb(0xd7e3f0), palette::ink,
                 kRim);
    fillRoundRect(img, 7, 7, 25, 23, 3, palette::white);
    drawLine(img, 12, 13, 20, 13, 2, palette::inkSoft);
    drawLine(img, 12, 17, 17, 17, 2, palette::inkSoft);
    return img;
}

Image totalGlyph()
{
    Image img(kGlyphSize, kGlyphSize);
    fillOutlined(img, [](float x, float y) { return sdCircle(x, y, 16, 16, 12); }, palette::gold, palette::ink,
                 kRim);
    const TextMask sigma = renderText(FontFace::Plain, std::vector<uint32_t>{0x3a3}, 16, 0);
    TextStyle style;
    style.outlineWidth = 0;
    style.top = style.bottom = palette::white;
    drawTextCentred(img, sigma, 16, 16, style);
    return img;
}

// The button plate hangs from the pen's centre line (its top-left corner is
// the pen), so the plate proper starts a few rows down: the word's letters
// stand on it and their descenders dip into it. It fades out to the right
// so that words of any length look finished.
Image buttonGlyph()
{
    constexpr int w = 256, h = 32;  // powers of two suit every GL driver
    Image img(w, h);
    auto plate = [](float x, float y) { return sdBox(x, y, 128, 14, 124, 9, 9); };
    fillShape(img, [&](float x, float y) { return plate(x, y) - 1.5f; },
              [](float x, float) { return withAlpha(palette::ink, 0.85f * std::clamp((236 - x) / 120, 0.f, 1.f)); });
    fillShape(img, plate, [](float x, float y) {
        const float fade = std::clamp((230 - x) / 130, 0.0f, 1.0f);
        return withAlpha(mix(palette::turquoise, palette::ocean, (y - 5) / 18), 0.92f * fade);
    });
    // Soft highlight along the plate's top edge.
    fillShape(img, [](float x, float y) { return sdBox(x, y, 110, 8.5f, 100, 1.5f, 1.5f); },
              [](float x, float) { return withAlpha(palette::white, 0.35f * std::clamp((200 - x) / 120, 0.f, 1.f)); });
    return img;
}

// Scorecard rules: thin vertical lines hung from their top-left corner,
// `length` pixels of line in an image 256 tall (the rest transparent).
Image ruleGlyph(int length)
{
    Image img(4, 256);
    for (int y = 0; y < length; ++y) {
        const float endFade = std::min(1.0f, std::min(y, length - 1 - y) / 6.0f);
        img.at(0, y) = withAlpha(palette::white, 0.25f * endFade);
        img.at(1, y) = withAlpha(palette::white, 0.9f * endFade);
        img.at(2, y) = withAlpha(palette::white, 0.9f * endFade);
        img.at(3, y) = withAlpha(palette::white, 0.25f * endFade);
    }
    return img;
}

}  // namespace

void generateGlyphs()
{
    for (char c = 'a'; c <= 'z'; ++c) characterGlyph(std::string(1, c), static_cast<uint32_t>(c));
    for (char c = '0'; c <= '9'; ++c) characterGlyph(std::string(1, c), static_cast<uint32_t>(c));
    characterGlyph("moin", '-');
    characterGlyph("plus", '+');
    characterGlyph("infer", '<');
    characterGlyph("super", '>');
    characterGlyph("egal", '=');
    characterGlyph("excla", '!');
    characterGlyph("poin", '.');
    characterGlyph("eacc", 0xe9);
    writeGlyph("button", buttonGlyph());
    writeGlyph("volumeA", volumeGlyph(true));
    writeGlyph("volumeB", volumeGlyph(false));
    writeGlyph("gau", arrowGlyph(true));
    writeGlyph("droi", arrowGlyph(false));
    writeGlyph("etoile", starGlyph());
    writeGlyph("ball", ballGlyph());
    writeGlyph("bar", ruleGlyph(256));
    writeGlyph("key", keyGlyph());
    writeGlyph("tot", totalGlyph());
    writeGlyph("lin", ruleGlyph(160));
}
