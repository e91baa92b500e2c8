#include "contact_sheet.h"

#include "raster.h"

#include <algorithm>
#include <cstdio>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

namespace {
constexpr int kGap = 6;
constexpr int kSheetWidth = 1200;

bool loadImage(const std::string &path, Image &img)
{
    int w = 0, h = 0, n = 0;
    unsigned char *data = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!data) {
        std::printf("contentgen: cannot read %s\n", path.c_str());
        return false;
    }
    img = Image(w, h);
    for (int i = 0; i < w * h; ++i)
        img.pixels[i] = Colour{data[4 * i] / 255.0f, data[4 * i + 1] / 255.0f, data[4 * i + 2] / 255.0f,
                               data[4 * i + 3] / 255.0f};
    stbi_image_free(data);
    return true;
}
}  // namespace

bool writeContactSheet(const std::string &pngPath, const std::vector<std::string> &imagePaths)
{
    std::vector<Image> images;
    for (const std::string &p : imagePaths) {
        Image img;
        if (loadImage(p, img)) images.push_back(std::move(img));
    }
    // Shelf packing: rows as tall as their tallest image.
    int x = kGap, y = kGap, rowHeight = 0, width = kGap;
    std::vector<std::pair<int, int>> places;
    for (const Image &img : images) {
        if (x + img.width + kGap > kSheetWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        places.emplace_back(x, y);
        x += img.width + kGap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, img.height);
    }
    Image sheet(std::max(width, 1), y + rowHeight + kGap, Colour{1, 1, 1, 1});
    for (int yy = 0; yy < sheet.height; ++yy)
        for (int xx = 0; xx < sheet.width; ++xx)
            sheet.at(xx, yy) = ((xx / 8 + yy / 8) % 2) ? rgb(0x7a8a9a) : rgb(0x9aaabb);
    for (size_t i = 0; i < images.size(); ++i) drawImage(sheet, images[i], places[i].first, places[i].second);
    const std::vector<unsigned char> png = encodeImage(pngPath, sheet, false);
    std::FILE *f = std::fopen(pngPath.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    std::fclose(f);
    return ok;
}
