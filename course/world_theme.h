// The theme of the current world: floors, object types, skies, music, fog and display name,
// read from the world's list file, plus the fixed models every world shares.
#pragma once

#include <array>

#include "core/app_state.h"
#include "render/texture_loader.h"

constexpr int kMaxFloorTextures = 70;
constexpr int kMaxObjectTypes = 100;
constexpr int kLevelNameLength = 255;
constexpr int kMetalBehaviour = 10;  // objects with this behaviour get the metal shine

// Model slots of the models every world shares and of the two skies; slots 0..99 hold the
// world's object types.
enum FixedModelSlot : int {
  BallModel = 150, BallShadowModel = 151, SmallBallModel = 152, StartMarkerModel = 153,
  HoleMarkerModel = 154, StarMarkerModel = 155, CameraMarkerModel = 156, CupModel = 157,
  FlagPoleModel = 158, SkyModelA = 159, SkyModelB = 160, FlagModel = 161,
};

// One kind of placed object; its model is model slot i for objectTypes[i].
struct ObjectType {
  int behaviour = -1;           // what the object does in play; -1 unused entry
  int frameCount = 0;           // animation frames; -1 turning second part; -2 no terrain under it
  float animationSpeed = 0.0f;  // the file's number x 0.6
};

// Replaced at each theme load (course start and loading screen). The three texts are not
// cleared by a load: a list file without the key keeps the previous world's value.
struct WorldTheme {
  bool fogEnabled = false;
  std::array<char, kPathLength> musicPath{};
  std::array<char, kPathLength> dataRoot{};     // prefix of floor and object file names
  std::array<char, kLevelNameLength> levelName{};  // display form: '-' turned into blanks
  std::array<TextureRecord, kMaxFloorTextures> floorTextures{};  // by TerrainCell::texture
  int floorCount = -1;                          // index of the last floor loaded, -1 none
  std::array<ObjectType, kMaxObjectTypes> objectTypes{};
  int objectCount = -1;                         // index of the last object type, -1 none
};
extern WorldTheme worldTheme;

// Loads the theme of catalogue.currentWorld from its list file.
void loadWorldTheme();

// The object id a cell really has: its id when an object type was loaded for it, else -1.
int loadedObjectId(int object);

// The floor index a cell really draws: its index when that floor was loaded, else 0.
int loadedFloorIndex(int texture);

// Behaviour of the object type with this id, or -1 when none is loaded for it.
int objectBehaviour(int object);
