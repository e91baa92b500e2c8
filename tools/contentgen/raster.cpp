#include "raster.h"

#include "file_output.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

std::vector<unsigned char> toBytes(const Image &img, bool alpha)
{
    const int channels = alpha ? 4 : 3;
    std::vector<unsigned char> bytes(static_cast<size_t>(img.width) * img.height * channels);
    size_t i = 0;
    for (const Colour &c : img.pixels) {
        // Without alpha the picture is shown over black, which is what the
        // game's opaque textures assume.
        const float k = alpha ? 1.0f : clamp01(c.a);
        bytes[i++] = static_cast<unsigned char>(std::lround(clamp01(c.r * k) * 255.0f));
        bytes[i++] = static_cast<unsigned char>(std::lround(clamp01(c.g * k) * 255.0f));
        bytes[i++] = static_cast<unsigned char>(std::lround(clamp01(c.b * k) * 255.0f));
        if (alpha) bytes[i++] = static_cast<unsigned char>(std::lround(clamp01(c.a) * 255.0f));
    }
    return bytes;
}

void appendBytes(void *context, void *data, int size)
{
    auto *out = static_cast<std::vector<unsigned char> *>(context);
    const auto *p = static_cast<const unsigned char *>(data);
    out->insert(out->end(), p, p + size);
}

bool endsWith(const std::string &s, const char *suffix)
{
    const size_t n = std::char_traits<char>::length(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

}  // namespace

Colour mix(Colour a, Colour b, float t)
{
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour withAlpha(Colour c, float alpha) { return Colour{c.r, c.g, c.b, alpha}; }
Colour lighten(Colour c, float amount) { return mix(c, Colour{1, 1, 1, c.a}, amount); }
Colour darken(Colour c, float amount) { return mix(c, Colour{0, 0, 0, c.a}, amount); }

Image::Image(int w, int h, Colour fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

Colour Image::sample(float x, float y) const
{
    x = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width - 1));
    y = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height - 1));
    const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, width - 1), y1 = std::min(y0 + 1, height - 1);
    const float fx = x - x0, fy = y - y0;
    return mix(mix(at(x0, y0), at(x1, y0), fx), mix(at(x0, y1), at(x1, y1), fx), fy);
}

void blendPixel(Image &img, int x, int y, Colour c, float coverage)
{
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
    Colour &d = img.at(x, y);
    const float sa = clamp01(c.a * coverage);
    const float oa = sa + d.a * (1.0f - sa);
    if (oa <= 0.0f) {
        d = Colour{0, 0, 0, 0};
        return;
    }
    d.r = (c.r * sa + d.r * d.a * (1.0f - sa)) / oa;
    d.g = (c.g * sa + d.g * d.a * (1.0f - sa)) / oa;
    d.b = (c.b * sa + d.b * d.a * (1.0f - sa)) / oa;
    d.a = oa;
}

float sdCircle(float px, float py, float cx, float cy, float r) { return std::hypot(px - cx, py - cy) - r; }

float sdBox(float px, float py, float cx, float cy, float hw, float hh, float radius)
{
    const float qx = std::fabs(px - cx) - (hw - radius);
    const float qy = std::fabs(py - cy) - (hh - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sdSegment(float px, float py, float ax, float ay, float bx, float by, float r)
{
    const float pax = px - ax, pay = py - ay, bax = bx - ax, bay = by - ay;
    const float len2 = bax * bax + bay * bay;
    const float h = len2 > 0 ? std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(pax - bax * h, pay - bay * h) - r;
}

float sdEllipse(float px, float py, float cx, float cy, float rx, float ry)
{
    // Scaled-circle estimate, corrected by the gradient length: exact enough
    // for one-pixel anti-aliasing at the sizes drawn here.
    const float dx = (px - cx) / rx, dy = (py - cy) / ry;
    const float k = std::hypot(dx, dy);
    const float grad = std::hypot(dx / rx, dy / ry);
    if (grad <= 1e-6f) return -std::min(rx, ry);
    return (k - 1.0f) * k / grad;
}

float sdPolygon(float px, float py, const std::vector<float> &xy)
{
    const size_t n = xy.size() / 2;
    float d = 1e30f;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        d = std::min(d, sdSegment(px, py, xi, yi, xj, yj, 0.0f));
        if (((yi > py) != (yj > py)) && (px < (xj - xi) * (py - yi) / (yj - yi) + xi)) inside = !inside;
    }
    return inside ? -d : d;
}

void fillCircle(Image &img, float cx, float cy, float r, Colour c)
{
    fillShape(img, [=](float x, float y) { return sdCircle(x, y, cx, cy, r); }, c);
}

void fillRoundRect(Image &img, float x0, float y0, float x1, float y1, float radius, Colour c)
{
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
    fillShape(img, [=](float x, float y) { return sdBox(x, y, cx, cy, hw, hh, radius); }, c);
}

void drawLine(Image &img, float ax, float ay, float bx, float by, float width, Colour c)
{
    fillShape(img, [=](float x, float y) { return sdSegment(x, y, ax, ay, bx, by, width / 2); }, c);
}

void fillPolygon(Image &img, const std::vector<float> &xy, Colour c)
{
    fillShape(img, [&xy](float x, float y) { return sdPolygon(x, y, xy); }, c);
}

void fillVertical(Image &img, Colour top, Colour bottom)
{
    for (int y = 0; y < img.height; ++y) {
        const Colour c = mix(top, bottom, img.height > 1 ? y / float(img.height - 1) : 0.0f);
        for (int x = 0; x < img.width; ++x) img.at(x, y) = c;
    }
}

std::vector<float> alphaOf(const Image &img)
{
    std::vector<float> mask(img.pixels.size());
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = img.pixels[i].a;
    return mask;
}

std::vector<float> dilate(const std::vector<float> &mask, int w, int h, float radius)
{
    // Each pixel takes the strongest coverage within `radius`, fading over the
    // last pixel so the grown edge stays smooth.
    std::vector<float> out(mask.size(), 0.0f);
    const int r = static_cast<int>(std::ceil(radius + 1));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                    const float fall = clamp01(radius + 1.0f - std::hypot(float(dx), float(dy)));
                    best = std::max(best, mask[static_cast<size_t>(sy) * w + sx] * fall);
                }
            out[static_cast<size_t>(y) * w + x] = best;
        }
    return out;
}

std::vector<float> blurMask(const std::vector<float> &mask, int w, int h, int radius)
{
    std::vector<float> tmp(mask.size()), out(mask.size());
    const float norm = 1.0f / (2 * radius + 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int k = -radius; k <= radius; ++k) s += mask[static_cast<size_t>(y) * w + std::clamp(x + k, 0, w - 1)];
            tmp[static_cast<size_t>(y) * w + x] = s * norm;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int k = -radius; k <= radius; ++k) s += tmp[static_cast<size_t>(std::clamp(y + k, 0, h - 1)) * w + x];
            out[static_cast<size_t>(y) * w + x] = s * norm;
        }
    return out;
}

void paintMask(Image &img, const std::vector<float> &mask, Colour c, int dx, int dy)
{
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const int sx = x - dx, sy = y - dy;
            if (sx < 0 || sy < 0 || sx >= img.width || sy >= img.height) continue;
            const float m = mask[static_cast<size_t>(sy) * img.width + sx];
            if (m > 0) blendPixel(img, x, y, c, m);
        }
}

void drawImage(Image &dst, const Image &src, int x, int y, float opacity)
{
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx) {
            const Colour &c = src.at(sx, sy);
            if (c.a > 0) blendPixel(dst, x + sx, y + sy, c, opacity);
        }
}

Image resized(const Image &src, int w, int h)
{
    // Area average when shrinking (whole-pixel boxes), bilinear otherwise.
    Image out(w, h);
    const float sx = float(src.width) / w, sy = float(src.height) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (sx <= 1.0f && sy <= 1.0f) {
                out.at(x, y) = src.sample((x + 0.5f) * sx, (y + 0.5f) * sy);
                continue;
            }
            Colour acc{0, 0, 0, 0};
            int n = 0;
            for (int yy = int(y * sy); yy < std::max(int((y + 1) * sy), int(y * sy) + 1); ++yy)
                for (int xx = int(x * sx); xx < std::max(int((x + 1) * sx), int(x * sx) + 1); ++xx) {
                    const Colour &c = src.at(std::min(xx, src.width - 1), std::min(yy, src.height - 1));
                    acc.r += c.r * c.a; acc.g += c.g * c.a; acc.b += c.b * c.a; acc.a += c.a;
                    ++n;
                }
            out.at(x, y) = acc.a > 0 ? Colour{acc.r / acc.a, acc.g / acc.a, acc.b / acc.a, acc.a / n}
                                     : Colour{0, 0, 0, 0};
        }
    return out;
}

std::vector<unsigned char> encodeImage(const std::string &path, const Image &img, bool withAlpha)
{
    const int channels = withAlpha ? 4 : 3;
    const std::vector<unsigned char> bytes = toBytes(img, withAlpha);
    std::vector<unsigned char> file;
    if (endsWith(path, ".png"))
        stbi_write_png_to_func(appendBytes, &file, img.width, img.height, channels, bytes.data(),
                               img.width * channels);
    else
        stbi_write_tga_to_func(appendBytes, &file, img.width, img.height, channels, bytes.data());
    return file;
}

bool writeImage(const std::string &path, const Image &img, bool withAlpha)
{
    const std::vector<unsigned char> file = encodeImage(path, img, withAlpha);
    return !file.empty() && writeOutputFile(path, file.data(), file.size());
}

std::vector<float> starPoints(float cx, float cy, float r1, float r2, int points)
{
    std::vector<float> xy;
    for (int i = 0; i < points * 2; ++i) {
        const float a = -1.5707963f + i * 3.14159265f / points;
        const float r = (i % 2 == 0) ? r1 : r2;
        xy.push_back(cx + r * std::cos(a));
        xy.push_back(cy + r * std::sin(a));
    }
    return xy;
}
