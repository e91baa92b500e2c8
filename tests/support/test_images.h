// Writers of small image files in the formats the texture loader meets, so tests make their
// own pictures: PNG, JPEG, and TGA of 16, 24 or 32 bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The one pixel type of the tests: what a test picture holds and what a frame grab reads back.
struct Pixel {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  bool operator!=(const Pixel& o) const { return !(*this == o); }
};

// A picture held top row first, `width` pixels per row.
struct TestPicture {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;
  const Pixel& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Rows of one colour each, top to bottom, cycling through `rowColours`.
TestPicture stripedPicture(int width, int height, const std::vector<Pixel>& rowColours);

// Every writer creates the directories of its path.
// 8-bit RGB or RGBA PNG.
bool writeTrueColourPng(const std::string& path, const TestPicture& picture, bool withAlpha);
bool writeJpeg(const std::string& path, const TestPicture& picture);
// Uncompressed TGA stored bottom row first, as most writers do; 16 bits is 1-5-5-5.
bool writeTga(const std::string& path, const TestPicture& picture, int bitsPerPixel);
