#include "tests/support/gl_test_window.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "core/app_state.h"

bool openTestWindow(int width, int height) {
  static int openWidth = 0, openHeight = 0;
  if (openWidth != width || openHeight != height) {
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_Init(SDL_INIT_VIDEO) < 0) return false;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(width, height, 0, SDL_OPENGL | SDL_DOUBLEBUF) == nullptr) return false;
    if (glewInit() != GLEW_OK) return false;
    openWidth = width;
    openHeight = height;
  }
  screenWidth = width;
  screenHeight = height;
  glViewport(0, 0, width, height);
  return true;
}

FrameGrab grabFrame() {
  FrameGrab grab;
  grab.width = screenWidth;
  grab.height = screenHeight;
  std::vector<Rgb> bottomUp(static_cast<std::size_t>(grab.width) * grab.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, grab.width, grab.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  grab.pixels.resize(bottomUp.size());
  for (int y = 0; y < grab.height; ++y) {
    for (int x = 0; x < grab.width; ++x) {
      grab.pixels[static_cast<std::size_t>(y) * grab.width + x] =
          bottomUp[static_cast<std::size_t>(grab.height - 1 - y) * grab.width + x];
    }
  }
  return grab;
}

int FrameGrab::count(const Rgb& colour, int x0, int y0, int x1, int y1) const {
  int n = 0;
  for (int py = std::max(y0, 0); py < std::min(y1, height); ++py)
    for (int px = std::max(x0, 0); px < std::min(x1, width); ++px) n += at(px, py) == colour;
  return n;
}

bool FrameGrab::centre(const Rgb& colour, int x0, int y0, int x1, int y1, float& x,
                       float& y) const {
  double sumX = 0, sumY = 0;
  int n = 0;
  for (int py = std::max(y0, 0); py < std::min(y1, height); ++py) {
    for (int px = std::max(x0, 0); px < std::min(x1, width); ++px) {
      if (at(px, py) != colour) continue;
      sumX += px + 0.5;
      sumY += py + 0.5;
      ++n;
    }
  }
  if (n == 0) return false;
  x = static_cast<float>(sumX / n);
  y = static_cast<float>(sumY / n);
  return true;
}

void FrameGrab::save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (const Rgb& pixel : pixels) out.write(reinterpret_cast<const char*>(pixel.data()), 3);
}

void writeSolidTga(const std::string& path, int width, int height, const Rgb& colour) {
  std::ofstream out(path, std::ios::binary);
  std::array<std::uint8_t, 18> header{};
  header[2] = 2;  // uncompressed true colour
  header[12] = static_cast<std::uint8_t>(width & 0xFF);
  header[13] = static_cast<std::uint8_t>(width >> 8);
  header[14] = static_cast<std::uint8_t>(height & 0xFF);
  header[15] = static_cast<std::uint8_t>(height >> 8);
  header[16] = 32;
  header[17] = 0x28;  // eight alpha bits, first row at the top
  out.write(reinterpret_cast<const char*>(header.data()), header.size());
  for (int i = 0; i < width * height; ++i) {
    const std::array<std::uint8_t, 4> bgra{colour[2], colour[1], colour[0], 255};
    out.write(reinterpret_cast<const char*>(bgra.data()), bgra.size());
  }
}
