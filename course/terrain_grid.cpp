#include "course/terrain_grid.h"

#include <cmath>
#include <cstdlib>

#include "play/ball_physics.h"
#include "play/play_state.h"

TerrainGrid terrainGrid;
HoleSetup holeSetup;

namespace {

using Vec3 = std::array<float, 3>;

Vec3 vertexAt(int x, int z) {
  return {float(x), terrainGrid.cells[x][z].height, float(z)};
}

// Unit vector of (c - a) x (b - a); upward for the triangles of a cell as they are passed.
Vec3 triangleNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
  const Vec3 u{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  const Vec3 v{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  Vec3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (length > 0.0f) {
    for (float& c : n) c /= length;
  }
  return n;
}

// The corner of cell (cx, cz) that lies on vertex (cx + dx, cz + dz).
std::array<float, 3>& cornerOf(int cx, int cz, int dx, int dz) {
  return terrainGrid.cells[cx][cz].cornerNormals[dx * 2 + dz];
}

// Replaces every corner that meets at vertex (x, z) with their mean.
void smoothVertex(int x, int z) {
  Vec3 sum{0.0f, 0.0f, 0.0f};
  int count = 0;
  for (int dx = 0; dx <= 1; ++dx) {
    for (int dz = 0; dz <= 1; ++dz) {
      if (x - dx < 0 || z - dz < 0) continue;
      const Vec3& n = cornerOf(x - dx, z - dz, dx, dz);
      for (int i = 0; i < 3; ++i) sum[i] += n[i];
      ++count;
    }
  }
  for (float& c : sum) c /= float(count);
  for (int dx = 0; dx <= 1; ++dx) {
    for (int dz = 0; dz <= 1; ++dz) {
      if (x - dx < 0 || z - dz < 0) continue;
      cornerOf(x - dx, z - dz, dx, dz) = sum;
    }
  }
}

// Rest positions of the four balls around the start: each coordinate is nudged by 0.002 to
// 0.2 so the balls never lie exactly on one another.
void scatterRestPositions(const std::array<double, 3>& start) {
  for (int slot = 0; slot < kMaxPlayers; ++slot) {
    for (int axis = 0; axis < 3; ++axis) {
      players.restPosition[slot][axis] = float(start[axis] + (std::rand() % 100 + 1) * 0.002);
    }
  }
}

}  // namespace

void resetTerrainCells() {
  holeSetup.par = 3;
  for (int x = 0; x < kGridCells; ++x) {
    for (int z = 0; z < kGridCells; ++z) {
      TerrainCell& cell = terrainGrid.cells[x][z];
      cell.height = 1.0f;
      cell.texture = 1;
      cell.object = -1;
      cell.objectHeight = -1.0f;
      cell.interaction = NoMarker;
      cell.interactionHeight = 0.0f;
      cell.objectState = 0.0f;
    }
  }
}

void forceTerrainRim() {
  for (int i = 0; i < kGridVertices; ++i) {
    terrainGrid.cells[i][0].height = kRimHeight;
    terrainGrid.cells[i][kGridCells].height = kRimHeight;
    terrainGrid.cells[0][i].height = kRimHeight;
    terrainGrid.cells[kGridCells][i].height = kRimHeight;
  }
}

void placeHoleMarkers() {
  for (auto& point : holeSetup.cameraPoints) point = {kNoCameraPoint, kNoCameraPoint, kNoCameraPoint};
  holeSetup.cameraCount = 0;
  for (int x = 0; x < kGridCells; ++x) {
    for (int z = 0; z < kGridCells; ++z) {
      const TerrainCell& cell = terrainGrid.cells[x][z];
      if (cell.interaction == StartMarker) {
        ball.position.x = x + 0.49;
        ball.position.z = z + 0.49;
        aimAngle = float(cell.interactionRotation + 90);
        scatterRestPositions({ball.position.x, ball.position.y, ball.position.z});
      } else if (cell.interaction == CameraMarker && holeSetup.cameraCount < kCameraPointSlots) {
        holeSetup.cameraPoints[holeSetup.cameraCount++] = {
            float(x) + 0.5f, cell.height + 2.0f + cell.interactionHeight, float(z) + 0.5f};
      } else if (cell.interaction == HoleMarker) {
        holeSetup.cupX = float(x) + 0.5f;
        holeSetup.cupZ = float(z) + 0.5f;
        holeSetup.cupHeight = cell.height;
      }
    }
  }
}

void computeTerrainNormals() {
  // 1. Flat shading: the low triangle's normal on three corners, the high one's on the fourth.
  for (int x = 0; x < kGridCells; ++x) {
    for (int z = 0; z < kGridCells; ++z) {
      const Vec3 low = triangleNormal(vertexAt(x, z), vertexAt(x + 1, z), vertexAt(x, z + 1));
      const Vec3 high =
          triangleNormal(vertexAt(x + 1, z + 1), vertexAt(x, z + 1), vertexAt(x + 1, z));
      auto& corners = terrainGrid.cells[x][z].cornerNormals;
      corners[CornerX0Z0] = low;
      corners[CornerX0Z1] = low;
      corners[CornerX1Z0] = low;
      corners[CornerX1Z1] = high;
    }
  }
  // 2. Smoothing of the vertices 0..24; the far edges keep their own triangle normals.
  for (int x = 0; x < kGridCells; ++x) {
    for (int z = 0; z < kGridCells; ++z) smoothVertex(x, z);
  }
}
