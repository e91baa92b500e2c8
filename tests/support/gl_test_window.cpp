#include "tests/support/gl_test_window.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/app_state.h"
#include "render/sprite.h"
#include "render/texture_tables.h"
#include "tests/support/test_images.h"

namespace {

// Says why no window could be had: a refused display is most often an X server that was
// resetting itself between two tests (start it with -noreset). Where a window must be had (the
// CI variable is set) the test fails instead of skipping.
bool refuse(const char* step) {
  const char* display = std::getenv("DISPLAY");
  std::fprintf(stderr, "test window: %s failed: %s (DISPLAY=%s)\n", step, SDL_GetError(),
               display != nullptr ? display : "unset");
  if (std::getenv("CI") != nullptr) ADD_FAILURE() << "no GL window in CI: " << step << " failed";
  return false;
}

// Sets the video mode when the window is not yet open at this size. Another size starts video
// afresh: resizing a live GL window can leave its drawable at the old size.
bool openWindow(int width, int height) {
  static int openWidth = 0, openHeight = 0;
  if (openWidth == width && openHeight == height) return true;
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return refuse("SDL_InitSubSystem");
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_SetVideoMode(width, height, 32, SDL_OPENGL) == nullptr) return refuse("SDL_SetVideoMode");
  glewInit();
  openWidth = width;
  openHeight = height;
  glViewport(0, 0, width, height);
  return true;
}

}  // namespace

bool openGlTestWindow() { return openWindow(kGlTestWindowSize, kGlTestWindowSize); }

bool openTestWindow(int width, int height) {
  if (!openWindow(width, height)) return false;
  screenWidth = width;
  screenHeight = height;
  return true;
}

FrameGrab grabFrame() {
  FrameGrab grab;
  grab.width = screenWidth;
  grab.height = screenHeight;
  std::vector<Pixel> bottomUp(static_cast<std::size_t>(grab.width) * grab.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, grab.width, grab.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  for (Pixel& pixel : bottomUp) pixel.a = 255;  // colours are compared as drawn, opaque
  grab.pixels.resize(bottomUp.size());
  for (int y = 0; y < grab.height; ++y) {
    std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(grab.height - 1 - y) * grab.width,
                grab.width, grab.pixels.begin() + static_cast<std::ptrdiff_t>(y) * grab.width);
  }
  return grab;
}

int FrameGrab::count(const Pixel& colour, int x0, int y0, int x1, int y1) const {
  int n = 0;
  for (int py = std::max(y0, 0); py < std::min(y1, height); ++py)
    for (int px = std::max(x0, 0); px < std::min(x1, width); ++px) n += at(px, py) == colour;
  return n;
}

void FrameGrab::save(const std::string& path) const {
  writeTrueColourPng(path, TestPicture{width, height, pixels}, false);
}

void writeSolidImage(const std::string& path, int width, int height, const Pixel& colour) {
  writeTga(path, stripedPicture(width, height, {colour}), 32);
}

void loadPlainSprite(int slot, const std::string& dir, const std::string& name, int width,
                     int height, const Pixel& colour, int anchor) {
  std::string path = dir + "/" + name + ".tga";
  writeSolidImage(path, width, height, colour);
  loadSprite(Sprites[slot], path.c_str());
  setSpriteAnchor(Sprites[slot], anchor);
}

Pixel letterTestColour(char letter) {
  int i = letter - 'a';
  return {static_cast<std::uint8_t>(20 + 8 * i), 100, static_cast<std::uint8_t>(200 - 5 * i)};
}
