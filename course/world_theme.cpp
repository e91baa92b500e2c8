#include "course/world_theme.h"

#include <cstdio>
#include <cstring>

#include "course/course_catalogue.h"
#include "course/text_lines.h"
#include "render/model_loader.h"
#include "render/texture_tables.h"

WorldTheme worldTheme;

namespace {

constexpr float kSharedModelScale = 1.0f;
constexpr float kSkyScale = 5.0f;
constexpr float kAnimationSpeedFactor = 0.6f;

// The models every world shares, loaded in slot order with the sea-effect texture first.
struct SharedModel {
  int slot;
  const char* path;
};
constexpr std::array<SharedModel, 10> kSharedModels{{
    {BallModel, "./data/object/ball.obj"},
    {BallShadowModel, "./data/object/ombre.obj"},
    {SmallBallModel, "./data/object/ptitball.obj"},
    {StartMarkerModel, "./data/objectedit/start.obj"},
    {HoleMarkerModel, "./data/objectedit/flag.obj"},
    {StarMarkerModel, "./data/objectedit/etoile.obj"},
    {CameraMarkerModel, "./data/objectedit/camera.obj"},
    {CupModel, "./data/object/trou.obj"},
    {FlagPoleModel, "./data/object/poto.obj"},
    {FlagModel, "./data/object/drapo.obj"},
}};

void loadSharedThemeResources() {
  loadTexture(GameTextures[SeaEffectTexture], "./data/floor/sea-effect.tga", RepeatLinear);
  for (const SharedModel& model : kSharedModels) {
    loadModel(model.slot, model.path, kSharedModelScale);
  }
}

// Which "Level_Name" line of the list file names the world being loaded: a list file may
// hold several worlds, and each must play its own holes.
int levelNameLineOfWorld(int world) {
  int earlier = 0;
  for (int w = 0; w < world; ++w) {
    if (std::strcmp(catalogue.worldFiles[w].data(), catalogue.worldFiles[world].data()) == 0) {
      ++earlier;
    }
  }
  return earlier;
}

// Reading state of one list file.
struct ThemeReading {
  int wantedLevelName = 0;  // index of the "Level_Name" line that names this world
  int levelNamesSeen = 0;
};

// Loads the floor texture named on a "texture" line into the next floor slot.
void addFloor(const char* word) {
  if (worldTheme.floorCount + 1 >= kMaxFloorTextures) {
    std::printf("too many floor textures, %s ignored\n", word);
    return;
  }
  ++worldTheme.floorCount;
  std::array<char, kPathLength> path{};
  if (joinDataPath(path.data(), path.size(), worldTheme.dataRoot.data(), "floor", word)) {
    loadTexture(worldTheme.floorTextures[worldTheme.floorCount], path.data(), ClampMipmapped);
  }
}

// An "object" line with all four fields: the next object type and its model.
void addObjectType(const char* name, int behaviour, int frameCount, int speed) {
  if (worldTheme.objectCount + 1 >= kMaxObjectTypes) {
    std::printf("too many object types, %s ignored\n", name);
    return;
  }
  const int id = ++worldTheme.objectCount;
  ObjectType& type = worldTheme.objectTypes[id];
  type.behaviour = behaviour;
  type.frameCount = frameCount;
  type.animationSpeed = float(speed) * kAnimationSpeedFactor;
  std::array<char, kPathLength> path{};
  if (joinDataPath(path.data(), path.size(), worldTheme.dataRoot.data(), "object", name)) {
    loadModel(id, path.data(), kSharedModelScale);
    if (behaviour == kMetalBehaviour) setModelMaterial(id, MetalMaterial);
  }
}

// "object name behaviour frames speed": taken only when all four fields are read.
void applyObjectLine(const char* line) {
  std::array<char, kTextLineLength> name{};
  std::array<int, 3> numbers{};
  const char* rest = matchWordKey(line, "object", name.data(), name.size());
  for (int& number : numbers) {
    if (rest) rest = scanInt(rest, number, true);
  }
  if (rest) addObjectType(name.data(), numbers[0], numbers[1], numbers[2]);
}

// One line of the list file; each key is tried in turn, as the file is read.
void applyThemeLine(const char* line, ThemeReading& reading) {
  std::array<char, kPathLength> word{};
  int number = 0;
  if (matchIntKey(line, "EnableGLfog", number, true)) worldTheme.fogEnabled = true;
  if (matchWordKey(line, "Music", word.data(), word.size())) {
    copyText(worldTheme.musicPath.data(), worldTheme.musicPath.size(), word.data());
  }
  if (matchWordKey(line, "MAINpath", word.data(), word.size())) {
    copyText(worldTheme.dataRoot.data(), worldTheme.dataRoot.size(), word.data());
  }
  if (matchWordKey(line, "texture", word.data(), word.size())) addFloor(word.data());
  if (matchWordKey(line, "SKY-A", word.data(), word.size())) {
    loadModel(SkyModelA, word.data(), kSkyScale);
  }
  if (matchWordKey(line, "SKY-B", word.data(), word.size())) {
    loadModel(SkyModelB, word.data(), kSkyScale);
  }
  if (matchWordKey(line, "Level_Name", word.data(), word.size()) &&
      reading.levelNamesSeen++ <= reading.wantedLevelName) {
    copyText(worldTheme.levelName.data(), worldTheme.levelName.size(), word.data());
  }
  applyObjectLine(line);
}

}  // namespace

void loadWorldTheme() {
  // 1. Reset the tables; the texts keep the previous world's values until a line sets them.
  for (ObjectType& type : worldTheme.objectTypes) type.behaviour = -1;
  worldTheme.objectCount = -1;
  worldTheme.floorCount = -1;
  // 2-3. What every world shares.
  loadSharedThemeResources();
  worldTheme.fogEnabled = false;
  // 4-6. The world's own list file.
  const int world = catalogue.currentWorld;
  if (!isCatalogueWorld(world)) return;
  std::FILE* file = std::fopen(catalogue.worldFiles[world].data(), "r");
  if (!file) return;
  TextLine line{};
  ThemeReading reading;
  reading.wantedLevelName = levelNameLineOfWorld(world);
  while (readTextLine(file, line)) applyThemeLine(line.data(), reading);
  std::fclose(file);
  // 7. The display form of the name.
  replaceChars(worldTheme.levelName.data(), '-', ' ');
}

int loadedObjectId(int object) {
  return (object >= 0 && object <= worldTheme.objectCount) ? object : -1;
}

int loadedFloorIndex(int texture) {
  return (texture >= 0 && texture <= worldTheme.floorCount) ? texture : 0;
}

int objectBehaviour(int object) {
  const int id = loadedObjectId(object);
  return id < 0 ? -1 : worldTheme.objectTypes[id].behaviour;
}
