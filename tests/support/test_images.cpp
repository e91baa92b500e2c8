#include "tests/support/test_images.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

using Bytes = std::vector<unsigned char>;

void putBigEndian32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

std::uint32_t crc32Of(const unsigned char* data, size_t length) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void putChunk(Bytes& out, const char* type, const Bytes& data) {
  putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  putBigEndian32(out, crc32Of(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes storedZlib(const Bytes& raw) {
  Bytes out{0x78, 0x01};
  size_t offset = 0;
  do {
    const size_t length = std::min<size_t>(raw.size() - offset, 65535);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<unsigned char>(length & 0xFF));
    out.push_back(static_cast<unsigned char>(length >> 8));
    out.push_back(static_cast<unsigned char>(~length & 0xFF));
    out.push_back(static_cast<unsigned char>((~length >> 8) & 0xFF));
    out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
    offset += length;
  } while (offset < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  putBigEndian32(out, (b << 16) | a);
  return out;
}

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

bool writePalettedPng(const std::string& path, const TestPicture& picture) {
  std::vector<Pixel> palette;
  Bytes raw;
  for (int y = 0; y < picture.height; ++y) {
    raw.push_back(0);  // filter type none
    for (int x = 0; x < picture.width; ++x) {
      const Pixel& p = picture.at(x, y);
      auto found = std::find(palette.begin(), palette.end(), p);
      if (found == palette.end()) {
        if (palette.size() == 256) return false;
        palette.push_back(p);
        found = palette.end() - 1;
      }
      raw.push_back(static_cast<unsigned char>(found - palette.begin()));
    }
  }
  Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  putBigEndian32(header, static_cast<std::uint32_t>(picture.width));
  putBigEndian32(header, static_cast<std::uint32_t>(picture.height));
  header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit indices, palette, no interlace
  putChunk(out, "IHDR", header);
  Bytes colours;
  for (const Pixel& p : palette) colours.insert(colours.end(), {p.r, p.g, p.b});
  putChunk(out, "PLTE", colours);
  putChunk(out, "IDAT", storedZlib(raw));
  putChunk(out, "IEND", {});
  return writeBytes(path, out);
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

bool writeGarbage(const std::string& path) {
  return writeBytes(path, Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
}
