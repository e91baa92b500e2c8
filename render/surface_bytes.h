// Turns a decoded image, whatever its pixel format (paletted, 16-bit, BGR, RGB, with or without
// alpha), into the 8-bit RGB or RGBA bytes that GL is given.
#pragma once

#include <SDL/SDL.h>

#include <vector>

// Images of more than 24 bits per pixel keep their alpha (GL_RGBA); the others become GL_RGB.
bool textureHasAlpha(int bitsPerPixel);

// Bytes per row of `width` pixels of 3 or 4 bytes, padded to GL's default 4-byte alignment.
int paddedRowBytes(int width, int bytesPerPixel);

// Writes the surface's pixels as RGB or RGBA bytes into `bytes`, rows padded as above, in the
// surface's own row order (its first row comes first). Colour keys and alpha flags play no
// part: every pixel is read through the surface's own format.
void surfaceToBytes(SDL_Surface* surface, bool withAlpha, std::vector<unsigned char>& bytes);
