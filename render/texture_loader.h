// Every image the game shows goes through loadTexture: a path becomes a GL 2D texture, and a
// process-wide registry makes sure a path is decoded only once until releaseAllTextures.
#pragma once

#include <array>
#include <cstdint>

// One texture as its owners embed it (game textures, sprites, model groups, floors).
// A record that was never loaded holds name 0, which binds no texture.
struct TextureRecord {
  std::uint32_t bitsPerPixel = 0;  // of the decoded image: 8, 16, 24, 32
  std::int32_t width = 0;          // pixels
  std::int32_t height = 0;         // pixels
  std::uint32_t glName = 0;        // the only field drawing code reads
};

// Wrapping, filtering and upload of a texture. Value 2 is not used by any caller.
enum TextureMode : int {
  RepeatMipmapped = 0,  // GL_REPEAT, mipmaps, always 4 internal components
  ClampMipmapped = 1,   // GL_CLAMP_TO_EDGE, mipmaps
  RepeatLinear = 3,     // GL_REPEAT, linear, no mipmaps
  ClampLinear = 4,      // GL_CLAMP_TO_EDGE, linear, no mipmaps
};

constexpr int kRegistryEntries = 1500;    // entry 0 stays empty: 1499 textures between releases
constexpr int kRegistryKeyLength = 1500;  // bytes per key, terminator included

// The registry of uploaded textures, keyed by "<directory part>-<path as given>".
// Lives for the whole run; emptied by releaseAllTextures at every interface reload.
struct TextureRegistry {
  std::array<std::array<char, kRegistryKeyLength>, kRegistryEntries> keys{};
  std::array<std::uint32_t, kRegistryEntries> names{};
  std::array<TextureRecord, kRegistryEntries> records{};  // what a later load of the key receives
  int count = 0;  // index of the last used entry; entries are filled from 1
};
extern TextureRegistry textureRegistry;

// The two halves of an image path that the candidate file names are built from.
struct TexturePathParts {
  std::array<char, kRegistryKeyLength> directory{};  // up to and including the last '/'
  std::array<char, kRegistryKeyLength> baseName{};   // after it, less the last four characters
};

// Splits `path`; false when a part does not fit.
bool splitTexturePath(const char* path, TexturePathParts& parts);

// The registry key "<directory part>-<path>"; false when it does not fit.
bool buildRegistryKey(const char* path, std::array<char, kRegistryKeyLength>& key);

// Fills `record` from the image named by `path` (any extension: the file is looked for as
// .jpg, then .png, then .tga). `mode` is a TextureMode. True when the record now holds a texture,
// new or from the registry; false when no file was found, it could not be decoded or the
// registry is full. Without the game's GL window (headless tools and tests) the file is only
// looked for (a missing one is reported) and the result is false: nothing is decoded or
// uploaded, and the record is left as it was.
bool loadTexture(TextureRecord& record, const char* path, int mode);

// True when the video surface is an OpenGL window, so GL calls have a current context.
bool glWindowOpen();

// Deletes every registered texture name and empties the registry. Records that still hold the
// old names are not touched: their owners reload before drawing again.
void releaseAllTextures();
