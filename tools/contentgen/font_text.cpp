#include "font_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr const char *kRoundedFonts[] = {
    "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};
constexpr const char *kPlainFonts[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};

struct GlyphBitmap {
    int left = 0, top = 0, width = 0, rows = 0;
    float advance = 0;
    std::vector<float> coverage;
};

// One FreeType library and face per font file; lives for the whole run.
struct LoadedFace {
    std::string path;
    FT_Face face = nullptr;
};
FT_Library library = nullptr;
LoadedFace loaded[2];

FT_Face faceFor(FontFace which)
{
    LoadedFace &slot = loaded[which == FontFace::Rounded ? 0 : 1];
    if (slot.face) return slot.face;
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    slot.path = fontFile(which);
    if (slot.path.empty() || FT_New_Face(library, slot.path.c_str(), 0, &slot.face) != 0) {
        std::printf("contentgen: no usable font for text\n");
        slot.face = nullptr;
    }
    return slot.face;
}

GlyphBitmap renderGlyph(FT_Face face, uint32_t codepoint, float weight)
{
    GlyphBitmap g;
    if (FT_Load_Char(face, codepoint, FT_LOAD_NO_BITMAP) != 0) return g;
    const FT_GlyphSlot slot = face->glyph;
    // Thicken the strokes: thin letters vanish under a dark rim at 20 pixels.
    const FT_Pos strength = static_cast<FT_Pos>(weight * 64.0f);
    if (strength > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline, strength);
        slot->advance.x += strength;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.advance = slot->advance.x / 64.0f;
    g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y)
        for (int x = 0; x < g.width; ++x)
            g.coverage[static_cast<size_t>(y) * g.width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x] / 255.0f;
    return g;
}

}  // namespace

std::string fontFile(FontFace face)
{
    if (face == FontFace::Rounded) {
        for (const char *p : kRoundedFonts)
            if (std::filesystem::exists(p)) return p;
    } else {
        for (const char *p : kPlainFonts)
            if (std::filesystem::exists(p)) return p;
    }
    return {};
}

TextMask renderText(FontFace which, const std::vector<uint32_t> &codepoints, int pixelSize, int margin,
                    float spacing, float weight)
{
    TextMask mask;
    FT_Face face = faceFor(which);
    if (!face) return mask;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));

    std::vector<GlyphBitmap> glyphs;
    std::vector<float> pens;
    float pen = 0;
    int minX = 1 << 20, maxX = -(1 << 20), maxTop = -(1 << 20), maxBottom = -(1 << 20);
    for (uint32_t cp : codepoints) {
        glyphs.push_back(renderGlyph(face, cp, weight));
        const GlyphBitmap &g = glyphs.back();
        pens.push_back(pen);
        const int gx = static_cast<int>(std::floor(pen)) + g.left;
        if (g.width > 0) {
            minX = std::min(minX, gx);
            maxX = std::max(maxX, gx + g.width);
            maxTop = std::max(maxTop, g.top);
            maxBottom = std::max(maxBottom, g.rows - g.top);
        }
        pen += g.advance + spacing;
    }
    if (maxX < minX) return mask;
    mask.width = maxX - minX + 2 * margin;
    mask.height = maxTop + maxBottom + 2 * margin;
    mask.baseline = margin + maxTop;
    mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0.0f);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap &g = glyphs[i];
        const int ox = static_cast<int>(std::floor(pens[i])) + g.left - minX + margin;
        const int oy = mask.baseline - g.top;
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x) {
                float &dst = mask.coverage[static_cast<size_t>(oy + y) * mask.width + ox + x];
                dst = std::min(1.0f, dst + g.coverage[static_cast<size_t>(y) * g.width + x]);
            }
    }
    return mask;
}

TextMask renderText(FontFace face, const std::string &ascii, int pixelSize, int margin, float spacing,
                    float weight)
{
    std::vector<uint32_t> cps(ascii.begin(), ascii.end());
    return renderText(face, cps, pixelSize, margin, spacing, weight);
}

void drawTextMask(Image &img, const TextMask &mask, int x, int y, const TextStyle &style)
{
    if (mask.width == 0) return;
    // Work in a layer the size of the mask, then place it.
    Image layer(mask.width, mask.height);
    if (style.shadow.a > 0) {
        const std::vector<float> grown = dilate(mask.coverage, mask.width, mask.height, style.outlineWidth);
        paintMask(layer, blurMask(grown, mask.width, mask.height, 1), style.shadow, style.shadowOffset,
                  style.shadowOffset);
    }
    if (style.outlineWidth > 0)
        paintMask(layer, dilate(mask.coverage, mask.width, mask.height, style.outlineWidth), style.outline);
    int top = mask.height, bottom = 0;
    for (int yy = 0; yy < mask.height; ++yy)
        for (int xx = 0; xx < mask.width; ++xx)
            if (mask.coverage[static_cast<size_t>(yy) * mask.width + xx] > 0) {
                top = std::min(top, yy);
                bottom = std::max(bottom, yy);
            }
    for (int yy = 0; yy < mask.height; ++yy) {
        const float t = bottom > top ? std::clamp(float(yy - top) / (bottom - top), 0.0f, 1.0f) : 0.0f;
        const Colour fill = mix(style.top, style.bottom, t);
        for (int xx = 0; xx < mask.width; ++xx) {
            const float m = mask.coverage[static_cast<size_t>(yy) * mask.width + xx];
            if (m > 0) blendPixel(layer, xx, yy, fill, m);
        }
    }
    drawImage(img, layer, x, y);
}

void drawTextCentred(Image &img, const TextMask &mask, float cx, float cy, const TextStyle &style)
{
    drawTextMask(img, mask, static_cast<int>(std::lround(cx - mask.width / 2.0f)),
                 static_cast<int>(std::lround(cy - mask.height / 2.0f)), style);
}
