// The world theme: every key of the list file and the refusals past the tables.
#include <gtest/gtest.h>

#include <string>

#include "course/course_catalogue.h"
#include "course/world_theme.h"
#include "tests/support/scratch_dir.h"

namespace {

int occurrences(const std::string& text, const std::string& what) {
  int count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// Worlds 0 and 1 read the list files a.vorpel and b.vorpel of a scratch tree. No file the
// lines name exists, so the loader's messages tell which paths were asked for.
class ThemeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    catalogue.worldCount = 2;
    setWorldFile(0, tree.path("a.vorpel"));
    setWorldFile(1, tree.path("b.vorpel"));
  }
  static void setWorldFile(int world, const std::string& path) {
    std::snprintf(catalogue.worldFiles[world].data(), kCatalogueTextLength, "%s", path.c_str());
  }
  // Loads world `world` and returns what it printed.
  static std::string load(int world) {
    catalogue.currentWorld = world;
    testing::internal::CaptureStdout();
    loadWorldTheme();
    return testing::internal::GetCapturedStdout();
  }
  ScratchDir tree;
};

TEST_F(ThemeTest, EveryKeyOfTheListFileTakesEffect) {
  tree.write("a.vorpel",
             "EnableGLfog 0\n"
             "Music ./data/music/world1.ogg\n"
             "MAINpath /themes/one\n"
             "texture grass.tga\n"
             "texture sand.tga\n"
             "SKY-A /themes/one/sky/dome.obj\n"
             "object wall.obj 1 2 10\n"
             "object broken.obj 5 6\n"
             "object star.obj 10 1 5\n"
             "Level_Name Mini-Golf-One\n");
  const std::string said = load(0);
  EXPECT_TRUE(worldTheme.fogEnabled);
  EXPECT_STREQ(worldTheme.musicPath.data(), "./data/music/world1.ogg");
  EXPECT_STREQ(worldTheme.dataRoot.data(), "/themes/one");
  EXPECT_STREQ(worldTheme.levelName.data(), "Mini Golf One");
  EXPECT_EQ(worldTheme.floorCount, 1);
  EXPECT_NE(said.find("texture not found: /themes/one/floor/sand.tga"), std::string::npos);
  EXPECT_NE(said.find("/themes/one/sky/dome.obj"), std::string::npos);
  // The three-number line takes no index: the star is object type 1.
  ASSERT_EQ(worldTheme.objectCount, 1);
  EXPECT_EQ(worldTheme.objectTypes[0].behaviour, 1);
  EXPECT_EQ(worldTheme.objectTypes[0].frameCount, 2);
  EXPECT_FLOAT_EQ(worldTheme.objectTypes[0].animationSpeed, 6.0f);
  EXPECT_EQ(worldTheme.objectTypes[1].behaviour, 10);
  EXPECT_EQ(worldTheme.objectTypes[2].behaviour, -1);
  EXPECT_NE(said.find("/themes/one/object/star.obj"), std::string::npos);
  EXPECT_EQ(said.find("broken.obj"), std::string::npos);
}

TEST_F(ThemeTest, FloorsAndObjectTypesPastTheTablesAreRefusedOneLineEach) {
  std::string lines = "MAINpath /t\n";
  for (int i = 0; i < kMaxFloorTextures + 3; ++i) lines += "texture f" + std::to_string(i) + ".tga\n";
  for (int i = 0; i < kMaxObjectTypes + 4; ++i) lines += "object o" + std::to_string(i) + ".obj 7 1 1\n";
  tree.write("a.vorpel", lines);
  const std::string said = load(0);
  EXPECT_EQ(worldTheme.floorCount, kMaxFloorTextures - 1);
  EXPECT_EQ(worldTheme.objectCount, kMaxObjectTypes - 1);
  EXPECT_EQ(occurrences(said, "too many floor textures"), 3);
  EXPECT_EQ(occurrences(said, "too many object types"), 4);
  EXPECT_EQ(loadedObjectId(kMaxObjectTypes - 1), kMaxObjectTypes - 1);
  EXPECT_EQ(loadedObjectId(kMaxObjectTypes), -1);
  EXPECT_EQ(objectBehaviour(kMaxObjectTypes - 1), 7);
  EXPECT_EQ(objectBehaviour(-5), -1);
  EXPECT_EQ(loadedFloorIndex(kMaxFloorTextures - 1), kMaxFloorTextures - 1);
  EXPECT_EQ(loadedFloorIndex(kMaxFloorTextures), 0);
  EXPECT_EQ(loadedFloorIndex(-1), 0);
}

}  // namespace
