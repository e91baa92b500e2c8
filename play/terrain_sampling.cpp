#include "play/terrain_sampling.h"

#include <cmath>

#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "render/vector_math.h"

namespace {

constexpr float kToDegrees = 57.29578f;

void setLevel(GroundSample& sample) {
  sample.slopeAngleX = kLevelSlope;
  sample.slopeAngleZ = kLevelSlope;
}

// The plane of the triangle under (fx, fz) in cell (ix, iz). The cell is split along the
// diagonal from (ix+1, iz) to (ix, iz+1); points on the diagonal take the far triangle.
void sampleTriangle(int ix, int iz, float fx, float fz, GroundSample& sample) {
  const auto& cells = terrainGrid.cells;
  const float h00 = cells[ix][iz].height;
  const float h10 = cells[ix + 1][iz].height;
  const float h01 = cells[ix][iz + 1].height;
  const float h11 = cells[ix + 1][iz + 1].height;
  float riseX, riseZ;
  if (fx + fz < 1.0f) {
    sample.height = (1.0f - fz) * ((1.0f - fx) * h00 + fx * h10) +
                    fz * ((1.0f - fx) * h01 + fx * (h01 + h10 - h00));
    riseX = h10 - h00;
    riseZ = h01 - h00;
  } else {
    sample.height = (1.0f - fz) * ((1.0f - fx) * (h10 + h01 - h11) + fx * h10) +
                    fz * ((1.0f - fx) * h01 + fx * h11);
    riseX = h11 - h01;
    riseZ = h11 - h10;
  }
  sample.slopeAngleX = slopeAngleFromRise(riseX);
  sample.slopeAngleZ = slopeAngleFromRise(riseZ);
  sample.slopesSet = true;
}

// Object tops that act as ground. They depend on the ball's own height (and, for the
// plank, its own x), whichever point is asked about: a ball below a top rolls under it.
void applyObjectTop(int ix, int behaviour, float top, float ballX, float ballY, float clock,
                    GroundSample& sample) {
  switch (behaviour) {
    case SolidBlock:
      if (ballY > top - 0.35f) {
        sample.height = top;
        setLevel(sample);
      }
      break;
    case RaisedPlatform:
      setLevel(sample);
      if (ballY > top - 0.15f) sample.height = top;
      break;
    case Plank:
      setLevel(sample);
      if (ballY > top - 0.15f && ballX > float(ix) + 0.25f && ballX < float(ix) + 0.75f) {
        sample.height = top;
      }
      break;
    case BobbingPlatform: {
      const float bobbing = top + 0.2f * std::cos(10.0f * kDegToRad * clock) + 0.1f;
      if (bobbing > sample.height) {
        setLevel(sample);
        if (ballY > bobbing) sample.height = bobbing;
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

float slopeAngleFromRise(float rise) {
  return 270.0f - std::atan2(rise, -1.0f) * kToDegrees;
}

GroundSample sampleGround(float x, float z, float ballX, float ballY, float clock) {
  GroundSample sample;
  // Cells 1..24 only; written on the floats so that NaN and huge values are outside too.
  const float last = float(kGridCells);
  if (!(x >= 1.0f && x < last && z >= 1.0f && z < last)) return sample;
  const int ix = int(std::floor(x));
  const int iz = int(std::floor(z));
  sampleTriangle(ix, iz, x - float(ix), z - float(iz), sample);
  const TerrainCell& cell = terrainGrid.cells[ix][iz];
  const int behaviour = objectBehaviour(cell.object);
  if (behaviour >= 0) {
    applyObjectTop(ix, behaviour, cell.objectHeight, ballX, ballY, clock, sample);
  }
  return sample;
}

float terrainHeightAt(float x, float z) {
  const GroundSample sample =
      sampleGround(x, z, float(ball.position.x), float(ball.position.y), objectClock);
  if (sample.slopesSet) {
    ball.slopeAngleX = sample.slopeAngleX;
    ball.slopeAngleZ = sample.slopeAngleZ;
  }
  return sample.height;
}
