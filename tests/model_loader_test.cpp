// Reading model files into the shared pools, headless: faces, index offsets,
// group boundaries, bounded pools and the reuse of a reloaded slot's space.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "render/model_loader.h"
#include "tests/support/model_files.h"
#include "tests/support/scratch_dir.h"

namespace {

class ModelLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { clearModelPools(); }
  void TearDown() override { clearModelPools(); }

  // Writes `text` as a model file and parses it into `slot`.
  bool parse(int slot, const std::string& name, const std::string& text, float scale = 1) {
    tree_.write(name, text);
    return parseModel(slot, tree_.path(name).c_str(), scale);
  }
  // Parses with standard output captured; returns what was printed.
  std::string parseQuietly(int slot, const std::string& name, const std::string& text) {
    testing::internal::CaptureStdout();
    parse(slot, name, text);
    return testing::internal::GetCapturedStdout();
  }

  ScratchDir tree_;
};

// A cube of side 2 units (file coordinates +-100) around the origin: eight shared vertices, six
// outward-facing quads in one group.
std::string cubeModel(const std::string& group) {
  return "v -100 -100 -100\nv 100 -100 -100\nv 100 100 -100\nv -100 100 -100\n"
         "v -100 -100 100\nv 100 -100 100\nv 100 100 100\nv -100 100 100\n"
         "vt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\ng " + group + "\n"
         "f 5/1 6/2 7/3 8/4\nf 2/1 1/2 4/3 3/4\nf 6/1 2/2 3/3 7/4\n"
         "f 1/1 5/2 8/3 4/4\nf 8/1 7/2 3/3 4/4\nf 1/1 2/2 6/3 5/4\n";
}

// One quad from (x0, y0) to (x1, y1) at z 0 in file coordinates with its own four vertices and
// coordinates, in a group of its own.
std::string quadModel(const std::string& group, int x0, int y0, int x1, int y1) {
  const std::string a = std::to_string(x0), b = std::to_string(x1);
  const std::string c = std::to_string(y0), d = std::to_string(y1);
  return "v " + a + " " + c + " 0\nv " + b + " " + c + " 0\nv " + b + " " + d + " 0\nv " + a + " " + d +
         " 0\nvt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\ng " + group + "\nf 1/1 2/2 3/3 4/4\n";
}

const ModelGroup& groupOf(int slot, int index) {
  return modelPools.groups[modelPools.slots[slot].firstGroup + index];
}

const ModelFace& faceOf(int slot, int index) {
  return modelPools.faces[modelPools.slots[slot].firstFace + index];
}

void expectVector(const ModelVector& got, float x, float y, float z) {
  EXPECT_NEAR(got[0], x, 1e-5f);
  EXPECT_NEAR(got[1], y, 1e-5f);
  EXPECT_NEAR(got[2], z, 1e-5f);
}

int occurrences(const std::string& text, const std::string& what) {
  int count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST_F(ModelLoaderTest, QuadAndTriangleLinesBecomeFacesWithScaledVerticesAndFlippedCoordinates) {
  ASSERT_TRUE(parse(4, "shapes.obj",
                    "v 0 0 0\nv 100 0 0\nv 100 100 0\nv 0 200 0\n"
                    "vt 0 0 0\nvt 1 0 0\nvt 1 0.25 0.5\nvt 0 1\n"
                    "g plain\nf 1/1 2/2 3/3 4/4\nf 1/1 2/2 3/3\nf 1/1 3/3 4/4\n"));
  const ModelSlot& slot = modelPools.slots[4];
  EXPECT_EQ(slot.vertexCount, 4);
  EXPECT_EQ(slot.coordCount, 4) << "a coordinate line with two numbers counts too";
  EXPECT_EQ(slot.faceCount, 3);
  ASSERT_EQ(slot.groupCount, 1);
  EXPECT_EQ(groupOf(4, 0).faceCount, 3);
  EXPECT_EQ(faceOf(4, 0).vertex, (std::array<int, 4>{0, 1, 2, 3}));
  EXPECT_EQ(faceOf(4, 1).vertex[3], kTriangleMarker);
  EXPECT_EQ(faceOf(4, 2).vertex[3], kTriangleMarker);
  EXPECT_EQ(faceOf(4, 2).vertex[1], 2);
  expectVector(modelPools.vertices[3], 0, 2, 0);
  expectVector(modelPools.coords[2], 1, -0.25f, -0.5f);
}

TEST_F(ModelLoaderTest, IndicesOfEachFileCountFromItsOwnFirstVertexAndCoordinate) {
  ASSERT_TRUE(parse(10, "first.obj", quadModel("a", 0, 0, 100, 100)));
  ASSERT_TRUE(parse(11, "second.obj",
                    "v 300 0 0\nv 400 0 0\nv 400 100 0\nvt 0.5 0.5 0\nvt 1 1 0\nvt 0 0 0\n"
                    "g b\nf 1/3 2/2 3/1\n"));
  const ModelFace& face = faceOf(11, 0);
  EXPECT_EQ(face.vertex, (std::array<int, 4>{4, 5, 6, kTriangleMarker}));
  EXPECT_EQ(face.coord[0], 6);
  EXPECT_EQ(face.coord[2], 4);
  expectVector(modelPools.vertices[face.vertex[0]], 3, 0, 0);
  expectVector(modelPools.coords[face.coord[2]], 0.5f, -0.5f, 0);
  setModelMaterial(11, MetalMaterial);
  EXPECT_EQ(groupOf(11, 0).materialKind, MetalMaterial);
  EXPECT_EQ(groupOf(10, 0).materialKind, PlainMaterial) << "other slots keep their kinds";
}

TEST_F(ModelLoaderTest, FacesNamingVerticesOrCoordinatesTheFileDoesNotHaveAreSkipped) {
  ASSERT_TRUE(parse(1, "base.obj", quadModel("base", 0, 0, 100, 100)));
  const std::string printed = parseQuietly(
      2, "bad.obj",
      "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0 0\ng g\nf 0/1 1/1 2/1\nf 1/1 2/1 4/1\n"
      "f 1/1 2/1 3/2\nf -1/1 1/1 2/1\nf 1/1 2/1 3/1\nf 1/1 2/1 3/1 9/1\n");
  EXPECT_EQ(modelPools.slots[2].faceCount, 1) << "only the one good face is kept";
  EXPECT_EQ(occurrences(printed, "face index out of range"), 1) << printed;
  EXPECT_EQ(faceOf(2, 0).vertex[0], modelPools.slots[2].firstVertex);
}

TEST_F(ModelLoaderTest, OverlongNamesAndWindowsLineEndsStayWithinTheirBuffers) {
  const std::string longName(600, 'n');
  ASSERT_TRUE(parse(1, "long.obj", "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nvt 0 0 0\r\ng metal" + longName +
                                       "\r\nusemtl " + longName + "\r\nf 1/1 2/1 3/1\r\n"));
  ASSERT_EQ(modelPools.slots[1].groupCount, 1);
  // The line itself is cut at the reading buffer; its rest is a line of its own that matches nothing.
  EXPECT_EQ(std::string(groupOf(1, 0).name.data()), ("metal" + longName).substr(0, 252));
  EXPECT_EQ(groupOf(1, 0).materialKind, MetalMaterial);
  EXPECT_LT(std::string(groupOf(1, 0).textureName.data()).size(), static_cast<size_t>(kGroupNameLength));
  EXPECT_EQ(groupOf(1, 0).faceCount, 1);
}

TEST_F(ModelLoaderTest, AMissingFileOrSlotLeavesTheSlotEmpty) {
  ASSERT_TRUE(parse(8, "here.obj", quadModel("here", 0, 0, 1, 1)));
  const std::string missing = tree_.path("nowhere.obj");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(parseModel(8, missing.c_str(), 1));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "OBJ file not found : " + missing + "\n");
  EXPECT_EQ(modelPools.slots[8].groupCount, 0);
  EXPECT_EQ(modelPools.faceCount, 0) << "the old model of the slot was given back";

  testing::internal::CaptureStdout();
  EXPECT_FALSE(parseModel(kModelSlots, tree_.path("here.obj").c_str(), 1));
  EXPECT_FALSE(parseModel(-1, tree_.path("here.obj").c_str(), 1));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(modelPools.vertexCount, 0);
}

TEST_F(ModelLoaderTest, ReloadingASlotGivesBackItsSpaceAndLaterModelsKeepTheirData) {
  const std::string cube = cubeModel("box");
  ASSERT_TRUE(parse(150, "cube.obj", cube));
  ASSERT_TRUE(parse(151, "tile.obj", quadModel("tile", 300, 300, 400, 500)));
  ASSERT_TRUE(parse(0, "rails.obj", cubeModel("metal_rail")));
  const int vertices = modelPools.vertexCount, coords = modelPools.coordCount;
  const int faces = modelPools.faceCount, groups = modelPools.groupCount;

  for (int start = 0; start < 50; ++start) {
    ASSERT_TRUE(parse(150, "cube.obj", cube));
    ASSERT_TRUE(parse(151, "tile.obj", quadModel("tile", 300, 300, 400, 500)));
  }
  EXPECT_EQ(modelPools.vertexCount, vertices);
  EXPECT_EQ(modelPools.coordCount, coords);
  EXPECT_EQ(modelPools.faceCount, faces);
  EXPECT_EQ(modelPools.groupCount, groups);

  // The model that never reloaded moved down but still names its own vertices and faces.
  const ModelSlot& rails = modelPools.slots[0];
  EXPECT_EQ(rails.firstVertex, 0);
  EXPECT_EQ(groupOf(0, 0).firstFace, rails.firstFace);
  EXPECT_STREQ(groupOf(0, 0).name.data(), "metal_rail");
  for (int f = 0; f < rails.faceCount; ++f) {
    for (int c = 0; c < 4; ++c) {
      const int v = faceOf(0, f).vertex[c];
      EXPECT_GE(v, rails.firstVertex);
      EXPECT_LT(v, rails.firstVertex + rails.vertexCount);
    }
  }
  expectVector(modelPools.vertices[faceOf(151, 0).vertex[2]], 4, 5, 0);
  EXPECT_EQ(groupOf(151, 0).faceCount, 1);
}

TEST_F(ModelLoaderTest, EveryFullPoolSkipsWhatDoesNotFitWithOneLine) {
  std::string manyVertices;
  for (int v = 0; v < kMaxModelVertices + 5; ++v) manyVertices += "v 1 2 3\nvt 1 1 1\n";
  std::string printed = parseQuietly(1, "vertices.obj", manyVertices);
  EXPECT_EQ(modelPools.vertexCount, kMaxModelVertices);
  EXPECT_EQ(modelPools.coordCount, kMaxModelCoords);
  EXPECT_EQ(occurrences(printed, "vertex pool full"), 1);
  EXPECT_EQ(occurrences(printed, "texture coordinate pool full"), 1);
  clearModelPools();

  std::string manyFaces = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0 0\ng all\n";
  for (int f = 0; f < kMaxModelFaces + 3; ++f) manyFaces += "f 1/1 2/1 3/1\n";
  printed = parseQuietly(1, "faces.obj", manyFaces);
  EXPECT_EQ(modelPools.faceCount, kMaxModelFaces);
  EXPECT_EQ(groupOf(1, 0).faceCount, kMaxModelFaces);
  EXPECT_EQ(occurrences(printed, "face pool full"), 1);
  clearModelPools();

  std::string manyGroups = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0 0\n";
  for (int g = 0; g < kMaxModelGroups + 2; ++g) manyGroups += "g part\nf 1/1 2/1 3/1\n";
  printed = parseQuietly(1, "groups.obj", manyGroups);
  EXPECT_EQ(modelPools.groupCount, kMaxModelGroups);
  EXPECT_EQ(groupOf(1, kMaxModelGroups - 1).faceCount, 1)
      << "faces after the last group that fitted belong to no group";
  EXPECT_EQ(occurrences(printed, "group pool full"), 1);
}

}  // namespace
