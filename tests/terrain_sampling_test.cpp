// Ground height and slopes under a point: the two triangles of a cell, the slope angles, the
// playable border and the object tops that depend on the ball's own height.
#include <gtest/gtest.h>

#include <cmath>

#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/course_objects.h"
#include "play/terrain_sampling.h"

namespace {

// The slope angle of a rise per unit: 90 + atan(rise) degrees, falls wrapped past 360.
float angleOfRise(double rise) {
  const double a = 90 + std::atan(rise) * 180 / 3.14159265358979;
  return static_cast<float>(a < 90 ? a + 360 : a);
}

// A flat hole at height 1 with the rim, and a theme whose object types 0..3 are a solid block,
// a raised platform, a plank and a bobbing platform.
class GroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetTerrainCells();
    forceTerrainRim();
    worldTheme.objectCount = 3;
    worldTheme.objectTypes[0].behaviour = SolidBlock;
    worldTheme.objectTypes[1].behaviour = RaisedPlatform;
    worldTheme.objectTypes[2].behaviour = Plank;
    worldTheme.objectTypes[3].behaviour = BobbingPlatform;
  }
  void TearDown() override {
    for (ObjectType& type : worldTheme.objectTypes) type.behaviour = -1;
    worldTheme.objectCount = -1;
  }
  static void setHeight(int x, int z, float h) { terrainGrid.cells[x][z].height = h; }
  static void placeObject(int x, int z, int type, float top) {
    terrainGrid.cells[x][z].object = type;
    terrainGrid.cells[x][z].objectHeight = top;
  }
  // Ground under (x, z) for a ball lying well above everything.
  static GroundSample highBallAt(float x, float z) { return sampleGround(x, z, x, 50.0f, 0.0f); }
};

TEST_F(GroundTest, OutsideThePlayableCellsIsFarBelowAndTheLastCellSlopesToTheRim) {
  for (const auto& point : {std::array<float, 2>{0.5f, 5.5f}, {5.5f, 0.99f}, {25.0f, 5.5f},
                            {5.5f, 25.0f}, {-3.0f, 5.0f}, {1e30f, 5.0f}, {NAN, 5.0f}}) {
    EXPECT_EQ(highBallAt(point[0], point[1]).height, kOutsideGround) << point[0] << ", " << point[1];
  }
  ball.slopeAngleX = 123.0f;
  ball.slopeAngleZ = 321.0f;
  EXPECT_EQ(terrainHeightAt(0.5f, 5.0f), kOutsideGround);
  EXPECT_EQ(ball.slopeAngleX, 123.0f) << "slopes are kept outside";
  EXPECT_EQ(ball.slopeAngleZ, 321.0f);

  EXPECT_FLOAT_EQ(highBallAt(24.0f, 12.0f).height, 1.0f);
  const GroundSample middle = highBallAt(24.5f, 12.2f);
  EXPECT_NEAR(middle.height, 1.0f + 0.5f * (kRimHeight - 1.0f), 1e-5f);
  EXPECT_NEAR(middle.slopeAngleX, angleOfRise(kRimHeight - 1.0f), 1e-3f);
  EXPECT_FLOAT_EQ(middle.slopeAngleZ, 90.0f);
}

TEST_F(GroundTest, BothTrianglesFollowATiltedPlaneAndMeetOnTheDiagonal) {
  const auto plane = [](float x, float z) { return 0.3f * x - 0.2f * z + 2.0f; };
  for (int x = 0; x <= 25; ++x)
    for (int z = 0; z <= 25; ++z) setHeight(x, z, plane(float(x), float(z)));
  for (float x = 1.05f; x < 25.0f; x += 0.77f) {
    for (float z = 1.1f; z < 25.0f; z += 0.63f) {
      const GroundSample sample = highBallAt(x, z);
      EXPECT_NEAR(sample.height, plane(x, z), 1e-4f) << x << ", " << z;
      EXPECT_NEAR(sample.slopeAngleX, angleOfRise(0.3), 1e-3f);
      EXPECT_NEAR(sample.slopeAngleZ, angleOfRise(-0.2), 1e-3f);
    }
  }
  // The height query leaves the slopes in the ball's state; a fall wraps past 360.
  EXPECT_NEAR(terrainHeightAt(5.5f, 4.5f), plane(5.5f, 4.5f), 1e-4f);
  EXPECT_NEAR(ball.slopeAngleX, angleOfRise(0.3), 1e-3f);
  EXPECT_NEAR(ball.slopeAngleZ, angleOfRise(-0.2), 1e-3f);
  EXPECT_GT(ball.slopeAngleZ, 360.0f);
  // Only the far corner raised: the near triangle is level, the far one is not, and the
  // diagonal itself belongs to the far one.
  resetTerrainCells();
  setHeight(9, 9, 3.0f);
  const GroundSample onDiagonal = highBallAt(8.25f, 8.75f);
  EXPECT_NEAR(onDiagonal.slopeAngleX, angleOfRise(2.0), 1e-3f);
  EXPECT_NEAR(onDiagonal.slopeAngleZ, angleOfRise(2.0), 1e-3f);
  EXPECT_NEAR(onDiagonal.height, 1.0f, 1e-5f);
  const GroundSample justBefore = highBallAt(8.25f, 8.7499f);
  EXPECT_EQ(justBefore.slopeAngleX, 90.0f);
  EXPECT_NEAR(justBefore.height, onDiagonal.height, 1e-4f);
  EXPECT_NEAR(highBallAt(8.9f, 8.9f).height, 1.0f + 0.8f * 2.0f, 1e-4f);
}

// Object tops carry only a ball high enough (its height decides, whatever point is asked).
TEST_F(GroundTest, BlockPlatformPlankAndBobbingTopsCarryOnlyABallHighEnough) {
  setHeight(10, 10, 0.5f);  // the ground under the block slopes
  placeObject(10, 10, 0, 2.0f);
  const GroundSample onTop = sampleGround(10.3f, 10.3f, 10.3f, 1.7f, 0.0f);
  EXPECT_FLOAT_EQ(onTop.height, 2.0f);
  EXPECT_EQ(onTop.slopeAngleX, 90.0f);
  EXPECT_EQ(onTop.slopeAngleZ, 90.0f);
  const GroundSample below = sampleGround(10.3f, 10.3f, 10.3f, 1.6f, 0.0f);
  EXPECT_NEAR(below.height, 0.5f + 0.6f * 0.5f, 1e-5f);
  EXPECT_NEAR(below.slopeAngleX, angleOfRise(0.5), 1e-3f);
  EXPECT_FLOAT_EQ(sampleGround(10.9f, 10.05f, 3.0f, 1.7f, 0.0f).height, 2.0f);

  placeObject(4, 4, 1, 1.5f);  // raised platform: level, ground above top - 0.15
  EXPECT_FLOAT_EQ(sampleGround(4.5f, 4.5f, 4.5f, 1.3f, 0.0f).height, 1.0f);
  EXPECT_EQ(sampleGround(4.5f, 4.5f, 4.5f, 1.3f, 0.0f).slopeAngleX, 90.0f);
  EXPECT_FLOAT_EQ(sampleGround(4.5f, 4.5f, 4.5f, 1.36f, 0.0f).height, 1.5f);

  for (int dx = 0; dx <= 1; ++dx)
    for (int dz = 0; dz <= 1; ++dz) setHeight(7 + dx, 3 + dz, 0.0f);
  placeObject(7, 3, 2, 1.4f);  // plank: only within 0.25 of its centre line across x
  EXPECT_FLOAT_EQ(sampleGround(7.5f, 3.5f, 7.5f, 1.4f, 0.0f).height, 1.4f);
  EXPECT_FLOAT_EQ(sampleGround(7.3f, 3.5f, 7.26f, 1.4f, 0.0f).height, 1.4f);
  const GroundSample offLine = sampleGround(7.8f, 3.5f, 7.8f, 1.4f, 0.0f);
  EXPECT_FLOAT_EQ(offLine.height, 0.0f);
  EXPECT_EQ(offLine.slopeAngleX, 90.0f);
  EXPECT_EQ(offLine.slopeAngleZ, 90.0f);
  EXPECT_FLOAT_EQ(sampleGround(7.5f, 3.5f, 7.2f, 1.4f, 0.0f).height, 0.0f);

  placeObject(12, 12, 3, 1.2f);  // bobbing: top H + 0.2 cos(10 degrees x clock) + 0.1
  EXPECT_NEAR(sampleGround(12.5f, 12.5f, 12.5f, 5.0f, 0.0f).height, 1.5f, 1e-5f);
  EXPECT_NEAR(sampleGround(12.5f, 12.5f, 12.5f, 5.0f, 18.0f).height, 1.1f, 1e-4f);
  EXPECT_NEAR(sampleGround(12.5f, 12.5f, 12.5f, 5.0f, 6.0f).height, 1.4f, 1e-4f);
  EXPECT_FLOAT_EQ(sampleGround(12.5f, 12.5f, 12.5f, 1.4f, 0.0f).height, 1.0f);
  setHeight(12, 12, 3.0f);  // a top sunk below the ground changes nothing
  const GroundSample sunk = sampleGround(12.2f, 12.2f, 12.2f, 5.0f, 0.0f);
  EXPECT_GT(sunk.height, 2.0f);
  EXPECT_NE(sunk.slopeAngleX, 90.0f);

  placeObject(6, 6, 7, 4.0f);    // ids past objectCount or the table are no object
  placeObject(6, 7, 250, 4.0f);
  EXPECT_FLOAT_EQ(highBallAt(6.5f, 6.5f).height, 1.0f);
  EXPECT_FLOAT_EQ(highBallAt(6.5f, 7.5f).height, 1.0f);
}

}  // namespace
