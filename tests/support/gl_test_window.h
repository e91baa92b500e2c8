// A real OpenGL window for tests that need a GL context, opened once per process under the
// virtual display (SDL's window scaling is switched off so the frame buffer is 1:1), and
// reading back what was drawn into it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_images.h"

constexpr int kGlTestWindowSize = 128;  // pixels, square

// Opens the small square window on the first call (and initialises GLEW); true when a
// context is current.
bool openGlTestWindow();

// Opens (or reopens at another size) a window for screen drawing tests and sets
// screenWidth/screenHeight to match; false when no GL window can be had (and a failure of the
// test when the CI variable is set).
bool openTestWindow(int width, int height);

// The back buffer as rows from the top of the window, one Pixel per pixel.
struct FrameGrab {
  int width = 0, height = 0;
  std::vector<Pixel> pixels;
  Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // Pixels of exactly this colour inside the box [x0, x1) x [y0, y1) (clipped to the frame).
  int count(const Pixel& colour, int x0, int y0, int x1, int y1) const;
  // Writes the grab as a PNG, for looking at.
  void save(const std::string& path) const;
};
FrameGrab grabFrame();

// A 32-bit TGA of one opaque colour.
void writeSolidImage(const std::string& path, int width, int height, const Pixel& colour);

// Writes a one-colour image named `name` into `dir` and loads it into Sprites[slot] with the
// given anchor: drawing tests tell their glyphs and pictures apart by colour.
void loadPlainSprite(int slot, const std::string& dir, const std::string& name, int width,
                     int height, const Pixel& colour, int anchor);

// A distinct colour for each letter 'a'..'z', for plain glyph images.
Pixel letterTestColour(char letter);
