// Small software rasterizer for the generated art: straight-alpha RGBA float
// images, shapes given as signed distance functions so every edge is
// anti-aliased the same way, and writers for the game's image formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

constexpr Colour rgb(int hex, float alpha = 1.0f)
{
    return Colour{((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f, alpha};
}

Colour mix(Colour a, Colour b, float t);
Colour withAlpha(Colour c, float alpha);
Colour lighten(Colour c, float amount);  // towards white; amount 0..1
Colour darken(Colour c, float amount);   // towards black; amount 0..1

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row 0 is the top row, as the game shows it

    Image() = default;
    Image(int w, int h, Colour fill = Colour{0, 0, 0, 0});
    Colour &at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Colour &at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Colour sample(float x, float y) const;  // bilinear, clamped to the edges
};

// Composites `c` with coverage 0..1 over the pixel (straight alpha "over").
void blendPixel(Image &img, int x, int y, Colour c, float coverage);

// Signed distance shapes (negative inside), in pixel units.
float sdCircle(float px, float py, float cx, float cy, float r);
float sdBox(float px, float py, float cx, float cy, float hw, float hh, float radius);
float sdSegment(float px, float py, float ax, float ay, float bx, float by, float r);
float sdEllipse(float px, float py, float cx, float cy, float rx, float ry);
float sdPolygon(float px, float py, const std::vector<float> &xy);  // xy = x0,y0,x1,y1...

// Paints every pixel whose centre lies inside the shape; coverage fades over
// one pixel at the edge. `shape` gives the signed distance, `paint` the colour.
template <typename Shape, typename Paint>
void fillShape(Image &img, Shape shape, Paint paint)
{
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = shape(px, py);
            if (d >= 0.5f) continue;
            const float coverage = d <= -0.5f ? 1.0f : 0.5f - d;
            blendPixel(img, x, y, paint(px, py), coverage);
        }
}

template <typename Shape>
void fillShape(Image &img, Shape shape, Colour c)
{
    fillShape(img, shape, [c](float, float) { return c; });
}

void fillCircle(Image &img, float cx, float cy, float r, Colour c);
void fillRoundRect(Image &img, float x0, float y0, float x1, float y1, float radius, Colour c);
void drawLine(Image &img, float ax, float ay, float bx, float by, float width, Colour c);
void fillPolygon(Image &img, const std::vector<float> &xy, Colour c);

// Vertical gradient over the whole image (straight replacement, not blended).
void fillVertical(Image &img, Colour top, Colour bottom);

// Coverage mask helpers for outlines and shadows.
std::vector<float> alphaOf(const Image &img);
std::vector<float> dilate(const std::vector<float> &mask, int w, int h, float radius);
std::vector<float> blurMask(const std::vector<float> &mask, int w, int h, int radius);
void paintMask(Image &img, const std::vector<float> &mask, Colour c, int dx = 0, int dy = 0);
// Draws `src` over `dst` with its top-left corner at (x, y) (whole pixels).
void drawImage(Image &dst, const Image &src, int x, int y, float opacity = 1.0f);
// Scales an image by a box/bilinear filter to the new size.
Image resized(const Image &src, int w, int h);

// Writers. TGA and PNG (chosen by the path's extension) keep alpha when
// `withAlpha` is set, else hold RGB. writeImage writes into the data tree.
std::vector<unsigned char> encodeImage(const std::string &path, const Image &img, bool withAlpha);
bool writeImage(const std::string &path, const Image &img, bool withAlpha);

// Fills a shape with a dark rim of `rim` pixels around it: the rim is the
// same shape grown outward, drawn first.
template <typename Shape>
void fillOutlined(Image &img, Shape shape, Colour fill, Colour rim, float rimWidth)
{
    fillShape(img, [&](float x, float y) { return shape(x, y) - rimWidth; }, rim);
    fillShape(img, shape, fill);
}

template <typename Shape, typename Paint>
void fillOutlinedPaint(Image &img, Shape shape, Paint fill, Colour rim, float rimWidth)
{
    fillShape(img, [&](float x, float y) { return shape(x, y) - rimWidth; }, rim);
    fillShape(img, shape, fill);
}

// Points of a star with `points` tips, outer radius `r1`, inner `r2`, first
// tip pointing up.
std::vector<float> starPoints(float cx, float cy, float r1, float r2, int points);
