// Times glyph text the way the menus use it: a few hundred characters per frame, each one a
// textured quad with a full attribute push and pop, and the layout arithmetic on its own.
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/app_state.h"
#include "render/sprite.h"
#include "render/texture_tables.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kLines = 16;
constexpr int kFrames = 200;
constexpr int kLayoutRuns = 200000;
constexpr const char* kLine = "(start the game   strokes played 12   X3";

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A 16 x 16 opaque TGA for every letter and digit, loaded into the glyph slots.
void loadPlainGlyphs(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  for (int slot = 100; slot <= 147; ++slot) {
    std::string path = (dir / ("g" + std::to_string(slot) + ".tga")).string();
    std::ofstream out(path, std::ios::binary);
    unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 0x28};
    out.write(reinterpret_cast<char*>(header), sizeof header);
    for (int i = 0; i < 16 * 16; ++i) out.write("\x80\xC0\xFF\xFF", 4);
    out.close();
    loadSprite(Sprites[slot], path.c_str());
    setSpriteAnchor(Sprites[slot], slot == 147 ? Corner : Centre);
  }
}

}  // namespace

int main() {
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode(640, 480, 0, SDL_OPENGL) == nullptr) {
    std::printf("no GL window: %s\n", SDL_GetError());
    return 1;
  }
  glewInit();
  screenWidth = 640;
  screenHeight = 480;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillmoor_text_bench";
  loadPlainGlyphs(dir);
  std::filesystem::remove_all(dir);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  Clock::time_point start = Clock::now();
  for (int run = 0; run < kLayoutRuns; ++run) {
    placeText(TextSize::Normal, 1 + run % 14, HAnchor::CentreOnScreen, VAnchor::Top, 0, 20,
              1.0f, kLine);
  }
  double layoutMs = millisecondsSince(start);
  std::printf("layout: %d lines of %zu characters in %.1f ms, %.3f us per line\n", kLayoutRuns,
              std::strlen(kLine), layoutMs, layoutMs * 1000.0 / kLayoutRuns);

  int glyphs = 0;
  start = Clock::now();
  for (int frame = 0; frame < kFrames; ++frame) {
    glClear(GL_COLOR_BUFFER_BIT);
    loadScreenProjection();
    for (int line = 0; line < kLines; ++line) {
      drawText(1 + line % 14, HAnchor::CentreOnScreen, VAnchor::Top, 0, 20 + 28 * line, 1.0f,
               kLine);
      glyphs += widgetInput.glyphCount;
    }
    glFinish();
  }
  double drawMs = millisecondsSince(start);
  std::printf("drawing: %d frames of %d glyphs in %.1f ms, %.3f ms per frame, %.2f us per glyph\n",
              kFrames, glyphs / kFrames, drawMs, drawMs / kFrames, drawMs * 1000.0 / glyphs);

  // The same number of sprites' attribute saves with no quads, to see what they cost alone.
  start = Clock::now();
  for (int frame = 0; frame < kFrames; ++frame) {
    for (int glyph = 0; glyph < glyphs / kFrames; ++glyph) {
      glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_DEPTH_BUFFER_BIT | GL_VIEWPORT_BIT);
      glBindTexture(GL_TEXTURE_2D, Sprites[100].frames[0].glName);
      glPopAttrib();
    }
    glFinish();
  }
  double saveMs = millisecondsSince(start);
  std::printf("attribute saves alone: %.3f ms per frame\n", saveMs / kFrames);
  SDL_Quit();
  return 0;
}
