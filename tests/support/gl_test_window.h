// A small OpenGL window for tests that need a GL context, opened once per process under the
// virtual display (SDL's window scaling is switched off so the frame buffer is 1:1).
#pragma once

constexpr int kGlTestWindowSize = 128;  // pixels, square

// Opens the window on the first call (and initialises GLEW); true when a context is current.
bool openGlTestWindow();
