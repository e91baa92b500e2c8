// A real OpenGL window for drawing tests (under Xvfb when there is no display), plain
// images written for them, and reading back what was drawn.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Opens the window once per test process at the given size (later calls with another size
// reopen it) and sets screenWidth/screenHeight to match. False when no GL window can be had.
bool openTestWindow(int width, int height);

using Rgb = std::array<std::uint8_t, 3>;

// The back buffer as rows from the top of the window, one Rgb per pixel.
struct FrameGrab {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  // Pixels of exactly this colour inside the box [x0, x1) x [y0, y1) (clipped to the frame).
  int count(const Rgb& colour, int x0, int y0, int x1, int y1) const;
  // Mean position of the pixels of this colour in the box; false when there are none.
  bool centre(const Rgb& colour, int x0, int y0, int x1, int y1, float& x, float& y) const;
  // Writes the grab as a binary PPM, for looking at.
  void save(const std::string& path) const;
};
FrameGrab grabFrame();

// An uncompressed 32-bit TGA of one opaque colour, first row at the top.
void writeSolidTga(const std::string& path, int width, int height, const Rgb& colour);
