// An image through the texture loader's header check, decoding and conversion (not the upload,
// which needs a GL context). The first byte picks the extension of the file the loader found.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/image_decoding.h"
#include "render/surface_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static constexpr std::array<const char*, 3> kExtensions{{"jpg", "png", "tga"}};
  const char* extension = kExtensions[data[0] % kExtensions.size()];
  const DecodedImage image = decodeImage(data + 1, size - 1, extension);
  if (image.surface == nullptr) return 0;
  std::vector<unsigned char> bytes;
  surfaceToBytes(image.surface, textureHasAlpha(image.surface->format->BitsPerPixel), bytes);
  SDL_FreeSurface(image.surface);
  return 0;
}
