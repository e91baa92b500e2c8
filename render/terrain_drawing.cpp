// The terrain grid: two triangles per cell, the floor texture turned by the cell's rotation on
// texture unit 0 and the baked shadow spread once over the whole grid on unit 1.
#include <GL/glew.h>

#include <algorithm>
#include <array>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/course_objects.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/scene.h"
#include "render/surface_bytes.h"
#include "render/texture_tables.h"

namespace {

constexpr float kDeepestVisible = -1.55f;   // ground below this fades out under the sea
constexpr float kShadowSpan = 0.04f;        // 1 / 25: the grid covers the shadow texture once
constexpr float kCellCullRadius = 3.0f;
constexpr int kHiddenGroundFrames = -2;     // object types that leave a hole in the ground

struct TexturePair {
  float s, t;
};

// Floor texture coordinates per quarter turn, for the corners (x, z), (x, z+1), (x+1, z),
// (x+1, z+1) in that order.
constexpr std::array<std::array<TexturePair, 4>, 4> kFloorTurns{{
    {{{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
    {{{0, 1}, {1, 1}, {0, 0}, {1, 0}}},
    {{{1, 1}, {1, 0}, {0, 1}, {0, 0}}},
    {{{1, 0}, {0, 0}, {1, 1}, {0, 1}}},
}};

// Corner offsets in the order of kFloorTurns and of the cell's corner normals.
constexpr std::array<std::array<int, 2>, 4> kCornerOffsets{{{0, 0}, {0, 1}, {1, 0}, {1, 1}}};

// The two triangles as corner numbers: (x, z) (x, z+1) (x+1, z) and (x+1, z) (x, z+1) (x+1, z+1).
constexpr std::array<int, 6> kTriangleCorners{0, 1, 2, 2, 1, 3};

bool hasMultitexture() { return glActiveTextureARB != nullptr && glMultiTexCoord2fARB != nullptr; }

bool groundHidden(const TerrainCell& cell) {
  const int id = loadedObjectId(cell.object);
  return id >= 0 && worldTheme.objectTypes[id].frameCount == kHiddenGroundFrames;
}

// The highest of the cell's four corners.
float highestCorner(int x, int z) {
  float top = terrainGrid.cells[x][z].height;
  for (const std::array<int, 2>& d : kCornerOffsets) top = std::max(top, terrainGrid.cells[x + d[0]][z + d[1]].height);
  return top;
}

void emitCorner(int x, int z, int corner, bool shadowCoords) {
  const TerrainCell& cell = terrainGrid.cells[x][z];
  const int vx = x + kCornerOffsets[corner][0];
  const int vz = z + kCornerOffsets[corner][1];
  const float height = terrainGrid.cells[vx][vz].height;
  const TexturePair floor = kFloorTurns[cell.textureRotation & 3][corner];
  if (shadowCoords) {
    glMultiTexCoord2fARB(GL_TEXTURE0_ARB, floor.s, floor.t);
    glMultiTexCoord2fARB(GL_TEXTURE1_ARB, vx * kShadowSpan, vz * kShadowSpan);
  } else {
    glTexCoord2f(floor.s, floor.t);
  }
  glColor4f(1, 1, 1, height >= kDeepestVisible ? 1.0f : 0.0f);
  glNormal3fv(cell.cornerNormals[corner].data());
  glVertex3f(static_cast<float>(vx), height, static_cast<float>(vz));
}

const TextureRecord& floorOf(const TerrainCell& cell) { return worldTheme.floorTextures[loadedFloorIndex(cell.texture)]; }

// The lowest of the cell's four corners.
float lowestCorner(int x, int z) {
  float bottom = terrainGrid.cells[x][z].height;
  for (const std::array<int, 2>& d : kCornerOffsets) bottom = std::min(bottom, terrainGrid.cells[x + d[0]][z + d[1]].height);
  return bottom;
}

// No corner fades under the sea and the floor picture has no alpha.
bool opaqueCell(int x, int z) {
  return lowestCorner(x, z) >= kDeepestVisible &&
         !textureHasAlpha(static_cast<int>(floorOf(terrainGrid.cells[x][z]).bitsPerPixel));
}

// The cell's ground lies strictly inside the opaque box of the wall standing on it, which the
// same pass draws (in view whenever any of this ground is): the box's front faces are nearer
// than every point of it and overwrite it.
bool groundInsideWall(int x, int z) {
  if (behaviourAt(x, z) != WallBlock) return false;
  const TerrainCell& cell = terrainGrid.cells[x][z];
  float bottom = 0.0f, top = 0.0f;
  if (cell.objectRotation % 90 != 0 || !modelBoxHeights(cell.object + static_cast<int>(cell.objectState), bottom, top)) {
    return false;
  }
  return lowestCorner(x, z) > cell.objectHeight + bottom && highestCorner(x, z) < cell.objectHeight + top;
}

void drawCell(int x, int z, bool shadowCoords) {
  for (int corner : kTriangleCorners) emitCorner(x, z, corner, shadowCoords);
}

void startShadowUnit() {
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBindTexture(GL_TEXTURE_2D, GameTextures[TerrainShadowTexture].glName);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

void stopShadowUnit() {
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_2D);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

}  // namespace

void drawTerrain() {
  const bool multitexture = hasMultitexture();
  // A hole whose shadow was never baked draws without one rather than through a black unit.
  const bool shadow = multitexture && detailLevel > 0 && GameTextures[TerrainShadowTexture].glName != 0;
  const bool shadowCoords = multitexture && (detailLevel > 0 || mirrorPass);
  // Cells that leave no pixel are not sent: ground wholly below the fade depth is fully
  // transparent, and every clip plane the scene and bakes set keeps only what is above water.
  // On the software renderer the deep sea floor would otherwise cost a screenful of fill.
  const float lowestShown = glIsEnabled(GL_CLIP_PLANE0) ? 0.0f : kDeepestVisible;
  if (shadow) startShadowUnit();
  glEnable(GL_TEXTURE_2D);
  if (mirrorPass) glBlendFunc(GL_SRC_ALPHA, GL_ONE);

  // Cells that share a floor go into one triangle block: on the software renderer a block
  // per cell costs more than the triangles themselves. Cells opaque everywhere draw
  // unblended, except under the reflection's adding blend.
  const bool blendable = usualBlending();
  unsigned bound = ~0u;
  bool open = false;
  bool blending = true;
  for (int x = 0; x < kGridCells; ++x) {
    for (int z = 0; z < kGridCells; ++z) {
      const TerrainCell& cell = terrainGrid.cells[x][z];
      if (groundHidden(cell) || highestCorner(x, z) < lowestShown) continue;
      if (cullClosedGroups && groundInsideWall(x, z)) continue;
      if (!sphereInFrustum(sceneFrustum, x + 0.5f, cell.height, z + 0.5f, kCellCullRadius)) continue;
      const unsigned floor = floorOf(cell).glName;
      const bool blend = !blendable || !opaqueCell(x, z);
      if (floor != bound || blend != blending || !open) {
        if (open) glEnd();
        if (floor != bound) glBindTexture(GL_TEXTURE_2D, floor);
        if (blend != blending) setBlending(blend);
        bound = floor;
        blending = blend;
        glBegin(GL_TRIANGLES);
        open = true;
      }
      drawCell(x, z, shadowCoords);
    }
  }
  if (open) glEnd();
  if (!blending) setBlending(true);

  if (shadow) stopShadowUnit();
  glDisable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
}

void drawOpaqueGroundDepth() {
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);  // as the ground itself is drawn: faces seen from below leave no depth
  const float lowestShown = glIsEnabled(GL_CLIP_PLANE0) ? 0.0f : kDeepestVisible;
  glBegin(GL_TRIANGLES);
  for (int x = 0; x < kGridCells; ++x) {
    for (int z = 0; z < kGridCells; ++z) {
      const TerrainCell& cell = terrainGrid.cells[x][z];
      if (groundHidden(cell) || !opaqueCell(x, z) || highestCorner(x, z) < lowestShown) continue;
      // The ground drawn over this depth leaves out what walls enclose: laid here, it would
      // take the pixel centres on a wall's outline that the wall's own faces leave open.
      if (groundInsideWall(x, z)) continue;
      if (!sphereInFrustum(sceneFrustum, x + 0.5f, cell.height, z + 0.5f, kCellCullRadius)) continue;
      for (int corner : kTriangleCorners) {
        const int vx = x + kCornerOffsets[corner][0];
        const int vz = z + kCornerOffsets[corner][1];
        glVertex3f(static_cast<float>(vx), terrainGrid.cells[vx][vz].height, static_cast<float>(vz));
      }
    }
  }
  glEnd();
  glPopAttrib();
}
