#include "render/surface_bytes.h"

#include <cstring>

namespace {

// The raw value of pixel x of a row, whatever the surface's bytes per pixel.
Uint32 readPixel(const Uint8* row, int x, int bytesPerPixel) {
  const Uint8* p = row + x * bytesPerPixel;
  switch (bytesPerPixel) {
    case 1:
      return *p;
    case 2: {
      Uint16 value;
      std::memcpy(&value, p, sizeof value);
      return value;
    }
    case 3:
      // 24-bit pixels are stored in memory order; SDL's masks describe them as such a number.
      if (SDL_BYTEORDER == SDL_BIG_ENDIAN) return (Uint32(p[0]) << 16) | (Uint32(p[1]) << 8) | p[2];
      return Uint32(p[0]) | (Uint32(p[1]) << 8) | (Uint32(p[2]) << 16);
    default: {
      Uint32 value;
      std::memcpy(&value, p, sizeof value);
      return value;
    }
  }
}

bool isByte(Uint32 mask, Uint8 shift) { return shift < 32 && (mask >> shift) == 0xFF; }

// Whether every channel of the format is a whole byte of the pixel value, as in nearly every
// image the game loads: each channel is then its masked bits, exactly as SDL_GetRGBA gives it,
// without a call into SDL for every pixel.
bool hasByteChannels(const SDL_PixelFormat* format) {
  return format->palette == nullptr && format->BytesPerPixel >= 3 && isByte(format->Rmask, format->Rshift) &&
         isByte(format->Gmask, format->Gshift) && isByte(format->Bmask, format->Bshift) &&
         (format->Amask == 0 || isByte(format->Amask, format->Ashift));
}

Uint8 channel(Uint32 pixel, Uint32 mask, Uint8 shift) { return static_cast<Uint8>((pixel & mask) >> shift); }

}  // namespace

bool textureHasAlpha(int bitsPerPixel) { return bitsPerPixel > 24; }

int paddedRowBytes(int width, int bytesPerPixel) { return (width * bytesPerPixel + 3) / 4 * 4; }

void surfaceToBytes(SDL_Surface* surface, bool withAlpha, std::vector<unsigned char>& bytes) {
  const int outBytes = withAlpha ? 4 : 3;
  const int rowBytes = paddedRowBytes(surface->w, outBytes);
  const int inBytes = surface->format->BytesPerPixel;
  bytes.assign(static_cast<size_t>(rowBytes) * surface->h, 0);
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  const Uint8* pixels = static_cast<const Uint8*>(surface->pixels);
  const SDL_PixelFormat* format = surface->format;
  const bool byteChannels = hasByteChannels(format);
  for (int y = 0; y < surface->h; ++y) {
    const Uint8* row = pixels + y * surface->pitch;
    unsigned char* out = bytes.data() + static_cast<size_t>(y) * rowBytes;
    for (int x = 0; x < surface->w; ++x) {
      const Uint32 pixel = readPixel(row, x, inBytes);
      Uint8 r, g, b, a = SDL_ALPHA_OPAQUE;
      if (byteChannels) {
        r = channel(pixel, format->Rmask, format->Rshift);
        g = channel(pixel, format->Gmask, format->Gshift);
        b = channel(pixel, format->Bmask, format->Bshift);
        if (format->Amask != 0) a = channel(pixel, format->Amask, format->Ashift);
      } else {
        SDL_GetRGBA(pixel, format, &r, &g, &b, &a);
      }
      out[0] = r;
      out[1] = g;
      out[2] = b;
      if (withAlpha) out[3] = a;
      out += outBytes;
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}
