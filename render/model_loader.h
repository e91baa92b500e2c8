// 3D models: a small Wavefront-like text format read into global pools shared by every model,
// split into named groups, each with a material kind, a texture, smoothed normals and one
// compiled display list. A model slot knows only its ranges in the pools.
#pragma once

#include <array>

#include "render/texture_loader.h"

constexpr int kMaxModelVertices = 200000;
constexpr int kMaxModelCoords = 200000;
constexpr int kMaxModelFaces = 200000;
constexpr int kMaxModelGroups = 1500;
constexpr int kMaxFacesPerVertex = 200;  // faces of one vertex that count for its smoothing
constexpr int kModelSlots = 162;
constexpr int kGroupNameLength = 255;
constexpr int kTriangleMarker = -100;  // fourth vertex index of a triangle

// Slots 0 to 99 hold the world's object types, 150 to 161 the shared models and the skies
// (their names are in course/world_theme.h).

// How a group is drawn, chosen from the first letters of its name (case-sensitive).
enum MaterialKind : int {
  PlainMaterial = 0,  // group texture, current colour and lighting
  LightMaterial = 1,  // "light": white and unlit
  MetalMaterial = 2,  // "metal": sphere-mapped shine on texture unit 1
  GlassMaterial = 3,  // "glass": sphere-mapped glass texture on texture unit 1
  DarkMaterial = 4,   // "dark": lit, dark material, 0.6 grey
  ShineMaterial = 5,  // "shine" or "bump": coordinates sent to both texture units
};

using ModelVector = std::array<float, 3>;

// A triangle has kTriangleMarker as its fourth vertex index. Indices point into the pools.
struct ModelFace {
  std::array<int, 4> vertex{};
  std::array<int, 4> coord{};
  std::array<ModelVector, 4> normal{};    // face normal at each corner
  std::array<ModelVector, 4> smoothed{};  // averaged over the faces of the corner's vertex
};

// The faces read between a group's "g" line and the next one (or the end of its file).
struct ModelGroup {
  int firstFace = 0;  // pool index of its first face
  int faceCount = 0;
  std::array<char, kGroupNameLength> name{};
  int materialKind = PlainMaterial;
  TextureRecord texture{};
  std::array<char, kGroupNameLength> textureName{};  // from "usemtl", loaded with the lists
  bool texturePending = false;  // textureName not yet handed to loadTexture
  unsigned displayList = 0;     // 0 until compiled
  // Every edge is shared with one other face of the group, running the other way, and the
  // faces turn outwards: from outside only front faces can be seen.
  bool closed = false;
  // Closed and shaped as a box upright on the axes, wider than a grid cell both ways: it then
  // encloses whatever of its cell lies between these two heights (model units).
  bool cellBox = false;
  float boxBottom = 0.0f, boxTop = 0.0f;
};

// Ranges of one model in the pools; an empty slot has no groups and draws nothing.
struct ModelSlot {
  int firstVertex = 0, vertexCount = 0;
  int firstCoord = 0, coordCount = 0;
  int firstFace = 0, faceCount = 0;
  int firstGroup = 0, groupCount = 0;
};

// The shared pools. Lives for the whole run; a slot loaded again gives back its old ranges
// (later data moves down) so that reloading the world at each course start does not grow them.
struct ModelPools {
  std::array<ModelVector, kMaxModelVertices> vertices{};  // scaled positions
  std::array<ModelVector, kMaxModelCoords> coords{};      // (u, -v, -w) of the file's (u, v, w)
  std::array<ModelFace, kMaxModelFaces> faces{};
  std::array<ModelGroup, kMaxModelGroups> groups{};
  std::array<ModelSlot, kModelSlots> slots{};
  int vertexCount = 0;
  int coordCount = 0;
  int faceCount = 0;
  int groupCount = 0;
};
extern ModelPools modelPools;

// The sphere maps of metal and glass groups. Live for the whole run; the game resource set
// loads the shine; the glass record is never filled, so glass draws without a map.
extern TextureRecord shineTexture;
extern TextureRecord glassTexture;

// Reads the model file at `path` into `slot`, positions multiplied by scale x 0.01, and
// computes its normals. No GL needed: textures and display lists come with buildModelLists.
// A missing file prints "OBJ file not found : <path>" and leaves the slot empty.
// Returns false when the file did not open or the slot number is out of range.
bool parseModel(int slot, const char* path, float scale);

// Loads the slot's group textures and compiles one display list per group (needs GL).
void buildModelLists(int slot);

// parseModel then buildModelLists: what the game calls.
bool loadModel(int slot, const char* path, float scale);

// Draws every group of the slot at the current matrix with its material's GL state.
void drawModel(int slot);
// While set, drawModel leaves out the back faces of closed opaque groups and drawTerrain the
// ground inside walls. Only for passes whose transform keeps the winding and whose walls draw
// opaque (not the reflection, which mirrors and adds).
extern bool cullClosedGroups;

// The heights between which the model's opaque cell-wide box encloses its cell, turned by any
// quarter turn; false when it has none.
bool modelBoxHeights(int slot, float& bottom, float& top);

// Gives every group of the slot one MaterialKind (the metal shine for behaviour-10 objects).
void setModelMaterial(int slot, int kind);

// Gives back the slot's pool ranges and display lists; the slot becomes empty.
void releaseModel(int slot);

// The MaterialKind that a group name selects.
int materialKindOf(const char* groupName);
