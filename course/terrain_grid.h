// The terrain of the current hole: a 25 x 25 cell height field with one placed object and one
// interaction marker per cell, plus the per-hole values derived from the markers. Every part of
// the game reads these records; the hole map loader (course/hole_map.h) fills them.
#pragma once

#include <array>

constexpr int kGridCells = 25;         // cells along x and along z; never changes
constexpr int kGridVertices = 26;      // vertices along x and along z (indices 0..25)
constexpr int kGridStorageX = 100;     // room for x indices; only 0..25 are used by play
constexpr int kGridStorageZ = 600;     // room for z indices; only 0..25 are used by play
constexpr float kRimHeight = -3.4f;    // every border vertex sits here so the land meets the sea
constexpr int kCameraPointSlots = 100;
constexpr float kNoCameraPoint = -200.0f;  // x, y and z of an empty camera slot

// Values of TerrainCell::interaction; -1 means no marker.
enum InteractionKind : int {
  NoMarker = -1,
  StartMarker = 0,   // balls start here; interactionRotation + 90 is the first aim angle
  HoleMarker = 1,    // the cup sits at the cell centre
  StarMarker = 2,    // shown in the editor only
  CameraMarker = 3,  // a fixed camera point above the cell centre
};

// Order of the four corners in TerrainCell::cornerNormals, the order the terrain is drawn in.
enum CellCorner : int { CornerX0Z0 = 0, CornerX0Z1 = 1, CornerX1Z0 = 2, CornerX1Z1 = 3 };

// Everything stored for index [x][z]. The height belongs to vertex (x, z); the other fields
// belong to the cell whose low corner is that vertex. `texture` and `object` come from the file
// as they stand: read them through loadedFloorIndex and loadedObjectId (course/world_theme.h),
// which turn an index the world did not load into the first floor and no object.
struct TerrainCell {
  float height = 1.0f;            // world units; "@x"
  int texture = 1;                // floor index into the world theme; "@t"
  int textureRotation = 0;        // quarter turns 0..3 of the floor; "@r"; kept across loads
  int object = -1;                // object type id, -1 none; "@O"
  int objectRotation = 0;         // degrees 0, 90, 180, 270; "@Or"; kept across loads
  float objectHeight = -1.0f;     // base of the object; "@Oh" (-1.0 in the file: on the ground)
  int interaction = NoMarker;     // an InteractionKind; "@I"
  int interactionRotation = 0;    // degrees; "@Ir"; kept across loads
  float interactionHeight = 0.0f; // marker height above the ground; "@Ih"
  float objectState = 0.0f;       // animation frame, angle or timer of the placed object
  std::array<std::array<float, 3>, 4> cornerNormals{};  // lighting normal per CellCorner
};

// Lives for the whole run; its contents are replaced at each hole load. Indexed cells[x][z].
struct TerrainGrid {
  std::array<std::array<TerrainCell, kGridStorageZ>, kGridStorageX> cells;
};
extern TerrainGrid terrainGrid;

// Derived from the markers at each hole load.
struct HoleSetup {
  int par = 3;                 // "@Pa"; 3 when the map gives none
  float cupX = 0.0f;           // centre of the last HoleMarker cell (index + 0.5)
  float cupZ = 0.0f;
  float cupHeight = 0.0f;      // height of that cell's low corner vertex (not interpolated)
  int cameraCount = 0;         // camera points filled, in scan order
  std::array<std::array<float, 3>, kCameraPointSlots> cameraPoints{};  // x, y, z
};
extern HoleSetup holeSetup;

// Puts the fields of every cell x, z in 0..24 back to the values a hole starts from (the
// three rotations are left as they are) and sets the par to 3.
void resetTerrainCells();

// Forces every vertex with x or z equal to 0 or 25 to the rim height.
void forceTerrainRim();

// Derives holeSetup, the ball start, the first aim angle and the players' rest positions
// from the markers. Without a start marker the ball keeps its x and z; without a hole marker
// the cup keeps its place.
void placeHoleMarkers();

// Recomputes every cell's cornerNormals from the heights: two triangle normals per cell, then
// each vertex of 0..24 takes the mean (not renormalised) of the corners that meet there.
void computeTerrainNormals();
