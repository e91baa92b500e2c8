// Models in the game's model format, read by the game's own model reader: the content
// generator's model writer winds faces so that back-face culling keeps the outside, and the
// shared models in the generated tree are well formed, in scale, with every group's texture
// under data/textures.
#include "model_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "render/model_loader.h"
#include "tests/support/model_files.h"
#include "tests/support/scratch_dir.h"

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

// Reads a model file into slot 1 with the game's reader; returns what the reader printed.
std::string readWithGame(const std::string& path) {
  clearModelPools();
  testing::internal::CaptureStdout();
  parseModel(1, path.c_str(), 1);
  return testing::internal::GetCapturedStdout();
}

const ModelSlot& slotOne() { return modelPools.slots[1]; }

// Share of faces whose normal (as the game computes it) points away from `centre`; faces of
// no area (slivers at a sphere's poles) are left out.
float outwardShare(const ModelVector& centre) {
  int out = 0, counted = 0;
  for (int f = 0; f < slotOne().faceCount; ++f) {
    const ModelFace& face = modelPools.faces[slotOne().firstFace + f];
    const int corners = face.vertex[3] == kTriangleMarker ? 3 : 4;
    ModelVector mid{};
    for (int c = 0; c < corners; ++c)
      for (int k = 0; k < 3; ++k) mid[k] += modelPools.vertices[face.vertex[c]][k] / corners;
    const ModelVector& n = face.normal[0];
    if (n[0] * n[0] + n[1] * n[1] + n[2] * n[2] < 1e-6f) continue;
    ++counted;
    out += n[0] * (mid[0] - centre[0]) + n[1] * (mid[1] - centre[1]) + n[2] * (mid[2] - centre[2]) > 0;
  }
  return counted ? float(out) / counted : 0.0f;
}

bool textureExists(const char* name) {
  for (const char* ext : {".jpg", ".png", ".tga"})
    if (std::filesystem::exists(kData + "textures/" + name + ext)) return true;
  return false;
}

// Every group has a texture that exists, no face lies outside a group (it would never be
// drawn) and the reader complained about nothing; returns the farthest vertex from the origin.
float checkModel(const std::string& path) {
  EXPECT_EQ(readWithGame(path), "") << "the reader refused part of it";
  EXPECT_GT(slotOne().faceCount, 0);
  int grouped = 0;
  for (int g = 0; g < slotOne().groupCount; ++g) {
    const ModelGroup& group = modelPools.groups[slotOne().firstGroup + g];
    grouped += group.faceCount;
    EXPECT_TRUE(textureExists(group.textureName.data())) << "texture " << group.textureName.data();
  }
  EXPECT_EQ(grouped, slotOne().faceCount) << "faces before the first group are never drawn";
  float radius = 0;
  for (int v = 0; v < slotOne().vertexCount; ++v) {
    const ModelVector& p = modelPools.vertices[slotOne().firstVertex + v];
    radius = std::max(radius, std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]));
  }
  return radius;
}

}  // namespace

TEST(ModelWriter, ClosedShapesFaceOutwardTheSkyAndInwardTubesFaceIn) {
  ModelBuilder sphere, box, tube, hole, dome;
  for (ModelBuilder* m : {&sphere, &box, &tube, &hole, &dome}) m->group("g", "white");
  sphere.sphere({100, 200, 300}, 80, 12, 6);
  box.box({-100, 0, -200}, {300, 400, 200});
  tube.cylinder({0, 0, 0}, 50, 100, 8);
  hole.cylinder({0, 0, 0}, 50, 100, 8, true);
  dome.skyDome({0, 0, 0}, 100, 50, 12, 4);
  const ScratchDir tree;
  const struct {
    ModelBuilder* model;
    ModelVector centre;
    float share;
  } cases[] = {{&sphere, {1, 2, 3}, 1},
               {&box, {1, 2, 0}, 1},
               {&tube, {0, 0.5f, 0}, 1},
               {&hole, {0, 0.5f, 0}, 0},
               {&dome, {0, 0, 0}, 0}};
  for (const auto& c : cases) {
    tree.write("shape.obj", c.model->text());
    EXPECT_EQ(readWithGame(tree.path("shape.obj")), "");
    EXPECT_EQ(outwardShare(c.centre), c.share) << "shape " << (&c - cases);
  }
  clearModelPools();
}

TEST(ContentModels, SharedModelsAndSkyDomesAreWellFormedTexturedAndInScale) {
  // The ball is drawn 0.08 above its contact point: its radius is 0.08.
  EXPECT_NEAR(checkModel(kData + "object/ball.obj"), 0.08f, 0.001f);
  for (const char* path : {"object/ombre.obj", "object/ptitball.obj", "object/trou.obj", "object/poto.obj",
                           "object/drapo.obj", "objectedit/start.obj", "objectedit/flag.obj"}) {
    SCOPED_TRACE(path);
    EXPECT_LE(checkModel(kData + path), 1.3f) << "too large for a one-unit cell";
  }
  int domes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kData + "sky")) {
    if (entry.path().extension() != ".obj") continue;
    SCOPED_TRACE(entry.path().string());
    ++domes;
    // Drawn five times larger; it must still lie within the 80-unit far plane.
    EXPECT_LE(checkModel(entry.path().string()) * 5, 80.0f);
  }
  EXPECT_GE(domes, 2);
  clearModelPools();
}
