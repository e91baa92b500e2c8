// Decoding of the image files the texture loader finds (JPEG, PNG, TGA), with the picture size
// read from the file's header first: a few bytes can declare a picture of hundreds of millions of
// pixels, and the decoder would allocate and fill it all before anything could object.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdio>
#include <vector>

// No image of the game comes near this; anything larger on either side is refused undecoded.
constexpr int kMaxImageSide = 4096;

enum class ImageKind { Unknown, Jpeg, Png, Tga };

// What a header declares. Unknown when the bytes are none of the three kinds or the header is
// cut short or unreadable (the decoder would refuse them as well).
struct ImageHeader {
  ImageKind kind = ImageKind::Unknown;
  int width = 0;
  int height = 0;
};

// Reads the header of an image file. `extension` is the file name's ("tga", any case): as
// SDL_image does, a file so named is always read as TGA, which has no magic number; any other is
// recognised by its first bytes as PNG or JPEG.
ImageHeader readImageHeader(const unsigned char* bytes, std::size_t size, const char* extension);

// The result of decodeImage. The caller frees `surface`.
struct DecodedImage {
  SDL_Surface* surface = nullptr;  // null when refused or undecodable
  bool tooLarge = false;           // refused: a side over kMaxImageSide
  ImageHeader header;
};

// Decodes an image file held in memory with the decoder its header names, unless the header
// declares a side over kMaxImageSide.
DecodedImage decodeImage(const unsigned char* bytes, std::size_t size, const char* extension);

// Reads an open file to its end; false when it cannot be read or is larger than any image of
// kMaxImageSide a side could reasonably be.
bool readImageFile(std::FILE* file, std::vector<unsigned char>& bytes);
