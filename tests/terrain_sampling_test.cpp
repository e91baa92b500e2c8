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

TEST_F(GroundTest, PointsOutsideThePlayableCellsAreFarBelowAndKeepTheSlopes) {
  for (const auto& point : {std::array<float, 2>{0.5f, 5.5f}, {5.5f, 0.99f}, {25.0f, 5.5f},
                            {5.5f, 25.0f}, {-3.0f, 5.0f}, {1e30f, 5.0f}, {NAN, 5.0f}}) {
    const GroundSample sample = highBallAt(point[0], point[1]);
    EXPECT_EQ(sample.height, kOutsideGround) << point[0] << ", " << point[1];
    EXPECT_FALSE(sample.slopesSet);
  }
  ball.slopeAngleX = 123.0f;
  ball.slopeAngleZ = 321.0f;
  EXPECT_EQ(terrainHeightAt(0.5f, 5.0f), kOutsideGround);
  EXPECT_EQ(ball.slopeAngleX, 123.0f);
  EXPECT_EQ(ball.slopeAngleZ, 321.0f);
}

TEST_F(GroundTest, LastPlayableCellSlopesDownToTheRim) {
  const GroundSample nearSide = highBallAt(24.0f, 12.0f);
  EXPECT_FLOAT_EQ(nearSide.height, 1.0f);
  const GroundSample middle = highBallAt(24.5f, 12.2f);
  EXPECT_NEAR(middle.height, 1.0f + 0.5f * (kRimHeight - 1.0f), 1e-5f);
  EXPECT_GT(middle.slopeAngleX, 360.0f);  // falling towards +x
  EXPECT_FLOAT_EQ(middle.slopeAngleZ, 90.0f);
}

TEST_F(GroundTest, SlopeAnglesOfLevelRisingAndFallingCells) {
  const GroundSample flat = highBallAt(5.3f, 7.6f);
  EXPECT_EQ(flat.slopeAngleX, 90.0f);
  EXPECT_EQ(flat.slopeAngleZ, 90.0f);
  // Rising by one along x over cell 5, then falling by one over cell 6.
  for (int z = 0; z <= 25; ++z) setHeight(6, z, 2.0f);
  EXPECT_FLOAT_EQ(highBallAt(5.2f, 7.2f).slopeAngleX, 135.0f);
  EXPECT_FLOAT_EQ(highBallAt(5.8f, 7.7f).slopeAngleX, 135.0f);
  EXPECT_FLOAT_EQ(highBallAt(6.2f, 7.2f).slopeAngleX, 405.0f);
  EXPECT_FLOAT_EQ(highBallAt(6.2f, 7.2f).slopeAngleZ, 90.0f);
  // And the same along z.
  for (int x = 0; x <= 25; ++x) setHeight(x, 12, -0.5f);
  EXPECT_FLOAT_EQ(highBallAt(9.2f, 11.3f).slopeAngleZ, slopeAngleFromRise(-1.5f));
  EXPECT_FLOAT_EQ(highBallAt(9.2f, 12.3f).slopeAngleZ, slopeAngleFromRise(1.5f));
  EXPECT_NEAR(slopeAngleFromRise(-1.5f), 360.0f + 90.0f - std::atan(1.5f) * 57.29578f, 1e-3f);
}

TEST_F(GroundTest, BothTrianglesFollowATiltedPlane) {
  const auto plane = [](float x, float z) { return 0.3f * x - 0.2f * z + 2.0f; };
  for (int x = 0; x <= 25; ++x) {
    for (int z = 0; z <= 25; ++z) setHeight(x, z, plane(float(x), float(z)));
  }
  for (float x = 1.05f; x < 25.0f; x += 0.77f) {
    for (float z = 1.1f; z < 25.0f; z += 0.63f) {
      const GroundSample sample = highBallAt(x, z);
      EXPECT_NEAR(sample.height, plane(x, z), 1e-4f) << x << ", " << z;
      EXPECT_NEAR(sample.slopeAngleX, slopeAngleFromRise(0.3f), 1e-3f);
      EXPECT_NEAR(sample.slopeAngleZ, slopeAngleFromRise(-0.2f), 1e-3f);
    }
  }
}

TEST_F(GroundTest, TheDiagonalBelongsToTheFarTriangleAndBothAgreeOnIt) {
  // Only the far corner is raised, so the near triangle is level and the far one is not.
  setHeight(9, 9, 3.0f);
  const GroundSample onDiagonal = highBallAt(8.25f, 8.75f);
  EXPECT_NE(onDiagonal.slopeAngleX, 90.0f);
  EXPECT_FLOAT_EQ(onDiagonal.slopeAngleX, slopeAngleFromRise(2.0f));
  EXPECT_FLOAT_EQ(onDiagonal.slopeAngleZ, slopeAngleFromRise(2.0f));
  EXPECT_NEAR(onDiagonal.height, 1.0f, 1e-5f);
  const GroundSample justBefore = highBallAt(8.25f, 8.7499f);
  EXPECT_EQ(justBefore.slopeAngleX, 90.0f);
  EXPECT_NEAR(justBefore.height, onDiagonal.height, 1e-4f);
  EXPECT_NEAR(highBallAt(8.9f, 8.9f).height, 1.0f + 0.8f * 2.0f, 1e-4f);
}

TEST_F(GroundTest, SolidBlockCarriesOnlyABallHighEnough) {
  setHeight(10, 10, 0.5f);  // the ground under the block slopes
  placeObject(10, 10, 0, 2.0f);
  const GroundSample onTop = sampleGround(10.3f, 10.3f, 10.3f, 1.7f, 0.0f);
  EXPECT_FLOAT_EQ(onTop.height, 2.0f);
  EXPECT_EQ(onTop.slopeAngleX, 90.0f);
  EXPECT_EQ(onTop.slopeAngleZ, 90.0f);
  const GroundSample below = sampleGround(10.3f, 10.3f, 10.3f, 1.6f, 0.0f);
  EXPECT_NEAR(below.height, 0.5f + 0.6f * 0.5f, 1e-5f);
  EXPECT_FLOAT_EQ(below.slopeAngleX, slopeAngleFromRise(0.5f));
  // The ball's height decides, even when the query is for another point of the cell.
  EXPECT_FLOAT_EQ(sampleGround(10.9f, 10.05f, 3.0f, 1.7f, 0.0f).height, 2.0f);
}

TEST_F(GroundTest, RaisedPlatformIsLevelAndCarriesABallNearItsTop) {
  placeObject(4, 4, 1, 1.5f);
  const GroundSample under = sampleGround(4.5f, 4.5f, 4.5f, 1.3f, 0.0f);
  EXPECT_FLOAT_EQ(under.height, 1.0f);
  EXPECT_EQ(under.slopeAngleX, 90.0f);
  EXPECT_FLOAT_EQ(sampleGround(4.5f, 4.5f, 4.5f, 1.36f, 0.0f).height, 1.5f);
}

TEST_F(GroundTest, PlankCarriesOnlyABallNearItsCentreLine) {
  for (int dx = 0; dx <= 1; ++dx) {
    for (int dz = 0; dz <= 1; ++dz) setHeight(7 + dx, 3 + dz, 0.0f);
  }
  placeObject(7, 3, 2, 1.4f);
  EXPECT_FLOAT_EQ(sampleGround(7.5f, 3.5f, 7.5f, 1.4f, 0.0f).height, 1.4f);
  EXPECT_FLOAT_EQ(sampleGround(7.3f, 3.5f, 7.26f, 1.4f, 0.0f).height, 1.4f);
  // 0.3 off the centre line across x: the ground below, still reported level.
  const GroundSample offLine = sampleGround(7.8f, 3.5f, 7.8f, 1.4f, 0.0f);
  EXPECT_FLOAT_EQ(offLine.height, 0.0f);
  EXPECT_EQ(offLine.slopeAngleX, 90.0f);
  EXPECT_EQ(offLine.slopeAngleZ, 90.0f);
  EXPECT_FLOAT_EQ(sampleGround(7.5f, 3.5f, 7.2f, 1.4f, 0.0f).height, 0.0f);
}

TEST_F(GroundTest, BobbingPlatformFollowsTheObjectClock) {
  placeObject(12, 12, 3, 1.2f);
  const float ballY = 5.0f;
  const float topAtZero = 1.2f + 0.2f + 0.1f;
  EXPECT_NEAR(sampleGround(12.5f, 12.5f, 12.5f, ballY, 0.0f).height, topAtZero, 1e-5f);
  const float topAt18 = 1.2f + 0.2f * std::cos(3.1415926f) + 0.1f;
  EXPECT_NEAR(sampleGround(12.5f, 12.5f, 12.5f, ballY, 18.0f).height, topAt18, 1e-4f);
  // A ball below the top rolls under it; a top sunk below the ground changes nothing.
  EXPECT_FLOAT_EQ(sampleGround(12.5f, 12.5f, 12.5f, 1.4f, 0.0f).height, 1.0f);
  setHeight(12, 12, 3.0f);
  const GroundSample sunk = sampleGround(12.2f, 12.2f, 12.2f, ballY, 0.0f);
  EXPECT_GT(sunk.height, 2.0f);
  EXPECT_NE(sunk.slopeAngleX, 90.0f);
}

TEST_F(GroundTest, ObjectIdsWithoutALoadedTypeAreNoObject) {
  placeObject(6, 6, 7, 4.0f);   // past objectCount
  placeObject(6, 7, 250, 4.0f); // past the table
  EXPECT_FLOAT_EQ(highBallAt(6.5f, 6.5f).height, 1.0f);
  EXPECT_FLOAT_EQ(highBallAt(6.5f, 7.5f).height, 1.0f);
}

TEST_F(GroundTest, HeightQueryLeavesTheSlopesInTheBallState) {
  for (int z = 0; z <= 25; ++z) setHeight(9, z, 2.0f);
  ball.position = {8.5, 3.0, 4.5};
  EXPECT_NEAR(terrainHeightAt(8.5f, 4.5f), 1.5f, 1e-5f);
  EXPECT_FLOAT_EQ(ball.slopeAngleX, 135.0f);
  EXPECT_FLOAT_EQ(ball.slopeAngleZ, 90.0f);
}

}  // namespace
