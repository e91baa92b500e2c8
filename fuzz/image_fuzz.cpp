// An image through the texture loader's decoding and conversion (not the upload, which needs a
// GL context). The first byte picks the file type the loader would have found on disk.
#include <SDL/SDL_image.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/surface_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static constexpr std::array<const char*, 3> kTypes{{"JPG", "PNG", "TGA"}};
  const char* type = kTypes[data[0] % kTypes.size()];
  SDL_RWops* source = SDL_RWFromConstMem(data + 1, static_cast<int>(size - 1));
  SDL_Surface* surface = IMG_LoadTyped_RW(source, 1, const_cast<char*>(type));
  if (surface == nullptr) return 0;
  // A few header bytes can declare a picture of tens of millions of pixels; converting it costs
  // time in proportion, which is no fault, so such pictures are decoded but not converted.
  constexpr long kMaxConvertedPixels = 4096L * 4096L;
  if (static_cast<long>(surface->w) * surface->h > kMaxConvertedPixels) {
    SDL_FreeSurface(surface);
    return 0;
  }
  std::vector<unsigned char> bytes;
  surfaceToBytes(surface, textureHasAlpha(surface->format->BitsPerPixel), bytes);
  SDL_FreeSurface(surface);
  return 0;
}
