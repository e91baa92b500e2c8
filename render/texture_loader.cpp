#include "render/texture_loader.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "render/image_decoding.h"
#include "render/sprite.h"
#include "render/surface_bytes.h"

TextureRegistry textureRegistry;

namespace {

constexpr int kCandidateCount = 3;
constexpr std::array<const char*, kCandidateCount> kCandidateExtensions{".jpg", ".png", ".tga"};
constexpr int kFileNameLength = 2 * kRegistryKeyLength + 8;  // directory, base name, extension
using FileName = std::array<char, kFileNameLength>;

// Finds the key in entries 0..count; the entry index, or -1.
int findRegistryEntry(const char* key) {
  for (int i = 0; i <= textureRegistry.count; ++i) {
    if (std::strcmp(textureRegistry.keys[i].data(), key) == 0) return i;
  }
  return -1;
}

// Opens the first candidate file that exists; its name goes to `fileName`.
std::FILE* openCandidate(const TexturePathParts& parts, FileName& fileName) {
  for (const char* extension : kCandidateExtensions) {
    std::snprintf(fileName.data(), fileName.size(), "%s%s%s", parts.directory.data(),
                  parts.baseName.data(), extension);
    std::FILE* file = std::fopen(fileName.data(), "rb");
    if (file != nullptr) return file;
  }
  return nullptr;
}

void setWrapAndFilter(int mode) {
  switch (mode) {
    case RepeatMipmapped:
    case ClampMipmapped: {
      const GLint wrap = mode == RepeatMipmapped ? GL_REPEAT : GL_CLAMP_TO_EDGE;
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
      break;
    }
    case RepeatLinear:
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
      break;
    case ClampLinear:
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
      glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
      break;
    default:
      break;  // an unknown mode gets a name but no image
  }
}

// Uploads the decoded image as `mode` says. The bytes are always 8-bit RGB or RGBA rows padded
// to 4 bytes (GL's default unpack alignment), first decoded row first.
void uploadSurface(SDL_Surface* surface, int mode) {
  const bool withAlpha = textureHasAlpha(surface->format->BitsPerPixel);
  const GLenum format = withAlpha ? GL_RGBA : GL_RGB;
  std::vector<unsigned char> bytes;
  surfaceToBytes(surface, withAlpha, bytes);
  setWrapAndFilter(mode);
  switch (mode) {
    case RepeatMipmapped:
      gluBuild2DMipmaps(GL_TEXTURE_2D, 4, surface->w, surface->h, format, GL_UNSIGNED_BYTE,
                        bytes.data());
      break;
    case ClampMipmapped:
      gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), surface->w, surface->h, format,
                        GL_UNSIGNED_BYTE, bytes.data());
      break;
    case RepeatLinear:
    case ClampLinear:
      glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), surface->w, surface->h, 0, format,
                   GL_UNSIGNED_BYTE, bytes.data());
      break;
    default:
      break;
  }
}

void registerTexture(const char* key, const TextureRecord& record) {
  textureRegistry.count += 1;
  textureRegistry.names[textureRegistry.count] = record.glName;
  textureRegistry.records[textureRegistry.count] = record;
  std::snprintf(textureRegistry.keys[textureRegistry.count].data(), kRegistryKeyLength, "%s", key);
}

}  // namespace

bool splitTexturePath(const char* path, TexturePathParts& parts) {
  const char* slash = std::strrchr(path, '/');
  const size_t directoryLength = slash == nullptr ? 0 : static_cast<size_t>(slash - path) + 1;
  const char* base = path + directoryLength;
  const size_t baseLength = std::strlen(base);
  // The last four characters are the extension and its dot, whatever they are.
  const size_t keptLength = baseLength > 4 ? baseLength - 4 : 0;
  if (directoryLength >= parts.directory.size() || keptLength >= parts.baseName.size()) return false;
  std::memcpy(parts.directory.data(), path, directoryLength);
  parts.directory[directoryLength] = '\0';
  std::memcpy(parts.baseName.data(), base, keptLength);
  parts.baseName[keptLength] = '\0';
  return true;
}

bool buildRegistryKey(const char* path, std::array<char, kRegistryKeyLength>& key) {
  const char* slash = std::strrchr(path, '/');
  const int directoryLength = slash == nullptr ? 0 : static_cast<int>(slash - path) + 1;
  const int written =
      std::snprintf(key.data(), key.size(), "%.*s-%s", directoryLength, path, path);
  return written >= 0 && written < static_cast<int>(key.size());
}

bool glWindowOpen() {
  const SDL_Surface* screen = SDL_GetVideoSurface();
  return screen != nullptr && (screen->flags & SDL_OPENGL) != 0;
}

bool loadTexture(TextureRecord& record, const char* path, int mode) {
  // Headless runs load worlds for their grids and objects: the file is looked for, so a missing
  // one is still reported, but nothing is decoded or uploaded without a context.
  const bool uploading = glWindowOpen();
  if (uploading) glEnable(GL_TEXTURE_2D);
  TexturePathParts parts;
  std::array<char, kRegistryKeyLength> key{};
  if (!splitTexturePath(path, parts) || !buildRegistryKey(path, key)) {
    std::printf("texture path too long: %.200s\n", path);
    return false;
  }
  const int entry = findRegistryEntry(key.data());
  if (entry >= 0) {
    // Drawing decides on blending by the image's depth, so a shared texture brings it along.
    record = textureRegistry.records[entry];
    return true;
  }
  if (textureRegistry.count >= kRegistryEntries - 1) {
    std::printf("texture registry full: %s\n", path);
    return false;
  }
  FileName fileName{};
  std::FILE* probe = openCandidate(parts, fileName);
  if (probe == nullptr) {
    std::printf("texture not found: %s\n", path);
    return false;
  }
  if (!uploading) {
    std::fclose(probe);
    return false;
  }
  // A file that does not decode keeps the record as it was and registers nothing; neither does
  // one whose header declares an absurd size, which is not decoded at all.
  std::vector<unsigned char> bytes;
  const bool read = readImageFile(probe, bytes);
  std::fclose(probe);
  const char* extension = fileName.data() + std::strlen(fileName.data()) - 3;  // a candidate's
  const DecodedImage image =
      read ? decodeImage(bytes.data(), bytes.size(), extension) : DecodedImage{};
  if (image.tooLarge) {
    std::printf("texture too large: %s (%d x %d)\n", path, image.header.width, image.header.height);
  }
  SDL_Surface* surface = image.surface;
  if (surface == nullptr) {
    glDisable(GL_TEXTURE_2D);
    return false;
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  record.glName = name;
  record.bitsPerPixel = surface->format->BitsPerPixel;
  record.width = surface->w;
  record.height = surface->h;
  uploadSurface(surface, mode);
  SDL_FreeSurface(surface);
  glDisable(GL_TEXTURE_2D);
  registerTexture(key.data(), record);
  return true;
}

void releaseAllTextures() {
  for (int i = 0; i <= textureRegistry.count && i < kRegistryEntries; ++i) {
    GLuint name = textureRegistry.names[i];
    if (name != 0) glDeleteTextures(1, &name);
    textureRegistry.keys[i][0] = '\0';
    textureRegistry.names[i] = 0;
    textureRegistry.records[i] = TextureRecord{};
  }
  textureRegistry.count = 0;
  resetSpriteSequence();
}
