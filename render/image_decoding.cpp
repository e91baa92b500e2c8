#include "render/image_decoding.h"

#include <SDL/SDL_image.h>
#include <strings.h>

#include <array>
#include <cstring>

namespace {

// An uncompressed picture of the largest size, with room for a header and a palette.
constexpr std::size_t kMaxImageFileBytes = 4UL * kMaxImageSide * kMaxImageSide + 65536;

constexpr std::array<unsigned char, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kTgaHeaderBytes = 18;

int bigEndian16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
int littleEndian16(const unsigned char* p) { return p[0] | (p[1] << 8); }

// Width and height as 31-bit values; larger ones count as the largest, which is refused anyway.
int bigEndian32Side(const unsigned char* p) {
  if (p[0] & 0x80) return 0x7FFFFFFF;
  return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool isPng(const unsigned char* bytes, std::size_t size) {
  return size >= kPngSignature.size() &&
         std::memcmp(bytes, kPngSignature.data(), kPngSignature.size()) == 0;
}

bool isJpeg(const unsigned char* bytes, std::size_t size) {
  return size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

// The image header chunk must come first, as the PNG reader demands.
ImageHeader pngHeader(const unsigned char* bytes, std::size_t size) {
  ImageHeader header;
  if (size < 24 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return header;
  header.kind = ImageKind::Png;
  header.width = bigEndian32Side(bytes + 16);
  header.height = bigEndian32Side(bytes + 20);
  return header;
}

// Start-of-frame markers carry the size; 0xC4, 0xC8 and 0xCC share the range but are not frames.
bool isStartOfFrame(int marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the markers up to the first frame header, skipping stray bytes between markers as the
// JPEG reader does. No frame before the scan data means no size and no picture.
ImageHeader jpegHeader(const unsigned char* bytes, std::size_t size) {
  ImageHeader header;
  std::size_t at = 2;
  while (at < size) {
    if (bytes[at] != 0xFF) {
      ++at;
      continue;
    }
    while (at < size && bytes[at] == 0xFF) ++at;  // fill bytes
    if (at >= size) break;
    const int marker = bytes[at++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length follows
    if (marker == 0xD9 || marker == 0xDA || at + 2 > size) break;
    const int length = bigEndian16(bytes + at);
    if (length < 2) break;
    if (isStartOfFrame(marker)) {
      if (length < 7 || at + 7 > size) break;
      header.kind = ImageKind::Jpeg;
      header.height = bigEndian16(bytes + at + 3);
      header.width = bigEndian16(bytes + at + 5);
      return header;
    }
    at += static_cast<std::size_t>(length);
  }
  return header;
}

ImageHeader tgaHeader(const unsigned char* bytes, std::size_t size) {
  ImageHeader header;
  if (size < kTgaHeaderBytes) return header;
  header.kind = ImageKind::Tga;
  header.width = littleEndian16(bytes + 12);
  header.height = littleEndian16(bytes + 14);
  return header;
}

SDL_Surface* decodeAs(ImageKind kind, SDL_RWops* source) {
  switch (kind) {
    case ImageKind::Jpeg: return IMG_LoadJPG_RW(source);
    case ImageKind::Png: return IMG_LoadPNG_RW(source);
    case ImageKind::Tga: return IMG_LoadTGA_RW(source);
    case ImageKind::Unknown: break;
  }
  return nullptr;
}

}  // namespace

ImageHeader readImageHeader(const unsigned char* bytes, std::size_t size, const char* extension) {
  if (extension != nullptr && strcasecmp(extension, "tga") == 0) return tgaHeader(bytes, size);
  if (isPng(bytes, size)) return pngHeader(bytes, size);
  if (isJpeg(bytes, size)) return jpegHeader(bytes, size);
  return ImageHeader{};
}

DecodedImage decodeImage(const unsigned char* bytes, std::size_t size, const char* extension) {
  DecodedImage image;
  image.header = readImageHeader(bytes, size, extension);
  if (image.header.kind == ImageKind::Unknown) return image;
  if (image.header.width > kMaxImageSide || image.header.height > kMaxImageSide) {
    image.tooLarge = true;
    return image;
  }
  SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (source == nullptr) return image;
  image.surface = decodeAs(image.header.kind, source);
  SDL_RWclose(source);
  return image;
}

bool readImageFile(std::FILE* file, std::vector<unsigned char>& bytes) {
  bytes.clear();
  std::array<unsigned char, 65536> chunk{};
  std::size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    if (bytes.size() + got > kMaxImageFileBytes) return false;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
  }
  return std::ferror(file) == 0;
}
