#include "tests/support/gl_test_window.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cstdlib>

bool openGlTestWindow() {
  static bool opened = false;
  if (opened) return true;
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_SetVideoMode(kGlTestWindowSize, kGlTestWindowSize, 32, SDL_OPENGL) == nullptr) return false;
  glewInit();
  opened = true;
  return true;
}
