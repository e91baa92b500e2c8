// Text from the free fonts of Debian packages (Comfortaa, with DejaVu Sans as
// the fallback), rendered by FreeType into coverage masks that the images
// then fill, outline and shadow in the palette's colours.
#pragma once

#include "raster.h"

#include <string>
#include <vector>

struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<float> coverage;  // width x height, row 0 at the top
    int baseline = 0;             // row of the baseline inside the mask
};

enum class FontFace { Rounded, Plain };

// Path of the font file used for a face; empty when none is installed.
std::string fontFile(FontFace face);

// Lays out the code points on one line at `pixelSize` with `spacing` extra
// pixels between letters, with `margin` empty pixels around the ink. `weight`
// thickens every stroke by that many pixels.
TextMask renderText(FontFace face, const std::vector<uint32_t> &codepoints, int pixelSize, int margin,
                    float spacing = 0.0f, float weight = 0.0f);
TextMask renderText(FontFace face, const std::string &ascii, int pixelSize, int margin, float spacing = 0.0f,
                    float weight = 0.0f);

struct TextStyle {
    Colour top = Colour{1, 1, 1, 1};     // fill at the top of the ink
    Colour bottom = Colour{1, 1, 1, 1};  // fill at the bottom of the ink
    Colour outline = Colour{0, 0, 0, 1};
    float outlineWidth = 2.0f;
    Colour shadow = Colour{0, 0, 0, 0};
    int shadowOffset = 2;
};

// Draws the mask into `img` with its top-left corner at (x, y).
void drawTextMask(Image &img, const TextMask &mask, int x, int y, const TextStyle &style);
// Same, centred on (cx, cy) by the mask's size.
void drawTextCentred(Image &img, const TextMask &mask, float cx, float cy, const TextStyle &style);
