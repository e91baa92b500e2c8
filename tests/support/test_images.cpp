#include "tests/support/test_images.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

using Bytes = std::vector<unsigned char>;

// Writers create the file's directories first.
void makeParentDirectories(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
}

bool writeBytes(const std::string& path, const Bytes& bytes) {
  makeParentDirectories(path);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

Bytes packed(const TestPicture& picture, int channels) {
  Bytes out;
  for (const Pixel& p : picture.pixels) {
    const std::array<unsigned char, 4> bytes{p.r, p.g, p.b, p.a};
    out.insert(out.end(), bytes.begin(), bytes.begin() + channels);
  }
  return out;
}

}  // namespace

TestPicture stripedPicture(int width, int height, const std::vector<Pixel>& rowColours) {
  TestPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.pixels.push_back(rowColours[y % rowColours.size()]);
  }
  return picture;
}

bool writeTrueColourPng(const std::string& path, const TestPicture& picture, bool withAlpha) {
  const int channels = withAlpha ? 4 : 3;
  makeParentDirectories(path);
  const Bytes data = packed(picture, channels);
  return stbi_write_png(path.c_str(), picture.width, picture.height, channels, data.data(),
                        picture.width * channels) != 0;
}

bool writeJpeg(const std::string& path, const TestPicture& picture) {
  const Bytes data = packed(picture, 3);
  makeParentDirectories(path);
  return stbi_write_jpg(path.c_str(), picture.width, picture.height, 3, data.data(), 100) != 0;
}

bool writeTga(const std::string& path, const TestPicture& picture, int bitsPerPixel) {
  Bytes out(18, 0);
  out[2] = 2;  // uncompressed true colour
  out[12] = static_cast<unsigned char>(picture.width & 0xFF);
  out[13] = static_cast<unsigned char>(picture.width >> 8);
  out[14] = static_cast<unsigned char>(picture.height & 0xFF);
  out[15] = static_cast<unsigned char>(picture.height >> 8);
  out[16] = static_cast<unsigned char>(bitsPerPixel);
  out[17] = bitsPerPixel == 32 ? 8 : (bitsPerPixel == 16 ? 1 : 0);  // alpha bits; origin bottom
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Pixel& p = picture.at(x, y);
      if (bitsPerPixel == 16) {
        const unsigned value = (p.a >= 128 ? 0x8000u : 0u) | ((p.r >> 3) << 10) |
                               ((p.g >> 3) << 5) | (p.b >> 3);
        out.push_back(static_cast<unsigned char>(value & 0xFF));
        out.push_back(static_cast<unsigned char>(value >> 8));
        continue;
      }
      out.insert(out.end(), {p.b, p.g, p.r});
      if (bitsPerPixel == 32) out.push_back(p.a);
    }
  }
  return writeBytes(path, out);
}

