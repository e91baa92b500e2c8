#include "course/hole_map.h"

#include <cstdio>
#include <cstring>

#include "course/course_catalogue.h"
#include "course/text_lines.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/baked_textures.h"
#include "render/particles.h"
#include "render/texture_tables.h"
#include "ui/text_drawing.h"

namespace {

constexpr char kMapHeader[] = "Vorpelgames map data";
constexpr float kHoleStartPulse = 10.0f;  // the first widget greets the new hole with a pulse
constexpr int kDefaultPar = 3;             // of a map without a par line, or no map
constexpr int kParTailBytes = 4096;        // the par line is looked for in this much of a map's end

// Where the next record's fields go; "@x" ends a record, "@y" ends a group of records.
struct MapCursor {
  int x = 0;
  int z = 0;
};

// The cell under the cursor, or null past the storage (such records are dropped).
TerrainCell* cursorCell(const MapCursor& cursor) {
  if (cursor.x >= kGridStorageX || cursor.z >= kGridStorageZ) return nullptr;
  return &terrainGrid.cells[cursor.x][cursor.z];
}

// One line of a map: every key that converts is applied, in the order of the file's record.
void applyMapLine(const char* line, MapCursor& cursor) {
  TerrainCell scratch;  // takes the fields of records that fall past the storage
  TerrainCell* cell = cursorCell(cursor);
  TerrainCell& target = cell ? *cell : scratch;
  int number = 0;
  float value = 0.0f;
  if (matchIntKey(line, "@I", number)) target.interaction = number;
  if (matchIntKey(line, "@Ir", number)) target.interactionRotation = number;
  if (matchFloatKey(line, "@Ih", value)) target.interactionHeight = value;
  if (matchIntKey(line, "@O", number)) target.object = number;
  if (matchIntKey(line, "@Or", number)) target.objectRotation = number;
  if (matchFloatKey(line, "@Oh", value)) target.objectHeight = value;
  if (matchIntKey(line, "@r", number)) target.textureRotation = number;
  if (matchIntKey(line, "@t", number)) target.texture = number;
  if (matchIntKey(line, "@Pa", number)) holeSetup.par = number;
  if (matchFloatKey(line, "@x", value)) {
    target.height = value;
    // An object given at -1.0 stands on the ground of its cell.
    if (target.objectHeight == -1.0f) target.objectHeight = value;
    if (cursor.x < kGridStorageX) ++cursor.x;
  }
  if (matchFloatKey(line, "@y", value)) {
    if (cursor.z < kGridStorageZ) ++cursor.z;
    cursor.x = 0;
  }
}

// The start of the line that ends just before `end` in text[0..end): after the '\n' before it,
// or -1 when the text holds none and does not begin the file.
long lineStart(const char* text, long end, bool textBeginsFile) {
  for (long i = end - 1; i >= 0; --i) {
    if (text[i] == '\n') return i + 1;
  }
  return textBeginsFile ? 0 : -1;
}

// The par from the last few kilobytes of a map, where the writer puts it: the last line that
// matches "@Pa %d", cut as readTextLine cuts it. False when the tail cannot settle it exactly:
// no par line in it, a line reaching past its start, or a NUL byte (readTextLine would then
// drop the line after the one holding it).
bool parFromTail(std::FILE* file, int& par) {
  static std::array<char, kParTailBytes> tail;
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file);
  const long length = size < long(tail.size()) ? size : long(tail.size());
  if (size < 0 || std::fseek(file, size - length, SEEK_SET) != 0) return false;
  if (long(std::fread(tail.data(), 1, std::size_t(length), file)) != length) return false;
  if (std::memchr(tail.data(), '\0', std::size_t(length)) != nullptr) return false;
  const bool beginsFile = length == size;
  long end = length > 0 && tail[length - 1] == '\n' ? length - 1 : length;
  while (end >= 0) {
    const long start = lineStart(tail.data(), end, beginsFile);
    if (start < 0) return false;
    TextLine line{};
    const long kept = end - start < kTextLineLength - 1 ? end - start : kTextLineLength - 1;
    std::memcpy(line.data(), tail.data() + start, std::size_t(kept));
    int value = 0;
    if (matchIntKey(line.data(), "@Pa", value)) {
      // Its line is read only if the one before it is whole in the tail (and so has no NUL).
      if (start > 0 && lineStart(tail.data(), start - 1, beginsFile) < 0) return false;
      par = value;
      return true;
    }
    end = start - 1;
  }
  return false;
}

void writeCell(std::FILE* file, const TerrainCell& cell) {
  std::fprintf(file, "@I %d\n@Ir %d\n@Ih %f\n", cell.interaction, cell.interactionRotation,
               double(cell.interactionHeight));
  std::fprintf(file, "@O %d\n@Or %d\n@Oh %f\n", cell.object, cell.objectRotation,
               double(cell.objectHeight));
  std::fprintf(file, "@r %d\n@t %d\n@x %f\n", cell.textureRotation, cell.texture,
               double(cell.height));
}

}  // namespace

void holeMapPath(std::array<char, kPathLength>& out, const char* root, int hole,
                 const char* levelName) {
  std::array<char, kLevelNameLength> fileName{};
  copyText(fileName.data(), fileName.size(), levelName);
  replaceChars(fileName.data(), ' ', '-');
  std::snprintf(out.data(), out.size(), "%s/levels/%i-%s.map", root, hole, fileName.data());
}

bool readHoleMapFile(const char* path) {
  std::FILE* file = std::fopen(path, "r");
  if (!file) return false;
  TextLine line{};
  MapCursor cursor;
  while (readTextLine(file, line)) applyMapLine(line.data(), cursor);
  std::fclose(file);
  return true;
}

bool readHolePar(const char* path, int& par) {
  par = kDefaultPar;
  std::FILE* file = std::fopen(path, "r");
  if (!file) return false;
  if (!parFromTail(file, par)) {
    std::rewind(file);
    TextLine line{};
    int value = 0;
    while (readTextLine(file, line)) {
      if (matchIntKey(line.data(), "@Pa", value)) par = value;
    }
  }
  std::fclose(file);
  return true;
}

bool writeHoleMap(const char* path, const TerrainGrid& grid, int par) {
  // Written beside the target and renamed over it, so a failed write never leaves half a map.
  std::array<char, kPathLength> temporary{};
  std::snprintf(temporary.data(), temporary.size(), "%s.tmp", path);
  std::FILE* file = std::fopen(temporary.data(), "w");
  if (!file) {
    std::fprintf(stderr, "cannot write hole map: %s\n", path);
    return false;
  }
  std::fprintf(file, "%s\n\n", kMapHeader);
  for (int z = 0; z < kGridVertices; ++z) {
    for (int x = 0; x < kGridCells; ++x) writeCell(file, grid.cells[x][z]);
    std::fprintf(file, "@y 0000\n");
  }
  std::fprintf(file, "@Pa %d\n", par);
  const bool written = !std::ferror(file);
  if (std::fclose(file) != 0 || !written || std::rename(temporary.data(), path) != 0) {
    std::remove(temporary.data());
    std::fprintf(stderr, "cannot write hole map: %s\n", path);
    return false;
  }
  return true;
}

void loadHoleMap() {
  // 1. Reset the hole and everything that starts afresh with it.
  resetTerrainCells();
  resetPlayersForHole();
  resetBallForHole();
  decorAngle = 0.0f;
  widgetInput.pulse[0] = kHoleStartPulse;
  clearParticles();
  // 2-3. The file of this hole; a missing one (or no world at all) leaves the flat grid.
  const int world = catalogue.currentWorld;
  if (isCatalogueWorld(world)) {
    std::array<char, kPathLength> path{};
    holeMapPath(path, catalogue.worldRoots[world].data(), holeNumber,
                worldTheme.levelName.data());
    replaceChars(worldTheme.levelName.data(), '-', ' ');
    readHoleMapFile(path.data());
  }
  // 4-6. The rim, the markers and the lighting normals.
  forceTerrainRim();
  placeHoleMarkers();
  computeTerrainNormals();
  // Headless tools and tests load holes without a window: terrain, markers and normals only.
  if (!glWindowOpen()) return;
  // 7. The textures the terrain and sea draw with; the shadow and wave ones are baked over.
  loadTexture(GameTextures[TerrainShadowTexture], "./data/floor/shadow.tga", RepeatLinear);
  loadTexture(GameTextures[WaveTexture], "./data/floor/vague.tga", RepeatLinear);
  loadTexture(GameTextures[BlankTexture], "./data/floor/blank.tga", RepeatLinear);
  // 8. Photograph the new hole for its soft shadows and the surf along its shore.
  bakeShadowTexture();
  bakeSurfTexture();
}
