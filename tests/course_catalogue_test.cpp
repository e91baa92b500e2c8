// The catalogue of worlds: which list files count, one world per level name line, the display
// names, the pars from the hole files and the course picture name; the world theme a list file
// sets, and its refusals past the tables.
#include <gtest/gtest.h>

#include <string>

#include "course/course_catalogue.h"
#include "course/world_theme.h"
#include "tests/support/scratch_dir.h"

namespace {

// The game runs three levels below the add-on packs: <root>/game/bin/run.
class CatalogueTest : public ::testing::Test {
 protected:
  void writeGame(const std::string& relative, const std::string& text) const {
    tree.write("game/bin/run/" + relative, text);
  }
  void build() const {
    ScopedWorkingDirectory inGame(tree.root() / "game/bin/run");
    buildCourseCatalogue();
  }
  static std::string name(int w) { return catalogue.worldNames[w].data(); }
  static std::string root(int w) { return catalogue.worldRoots[w].data(); }
  static std::string file(int w) { return catalogue.worldFiles[w].data(); }
  ScratchDir tree;
};

TEST_F(CatalogueTest, EveryLevelNameLineIsAWorldWithItsOwnPars) {
  writeGame("data/levels/level1.vorpel",
            "MAINpath ./data\nLevel_Name Forest-Path\ntexture grass.tga\nLevel_Name Sea-Side\n");
  writeGame("data/levels/1-Forest-Path.map", "Vorpelgames map data\n\n@Pa 4\n");
  writeGame("data/levels/2-Forest-Path.map", "@Pa 2\n@x 1.0\n@Pa 5\n");
  writeGame("data/levels/4-Forest-Path.map", "@Pa 2\n" + std::string(5000, '\n'));  // far from the end
  const std::string dropped("@Pa 2\n@x\0\n@Pa 5\n", 16);  // the NUL's line takes the next one with it
  writeGame("data/levels/5-Forest-Path.map", dropped);
  writeGame("data/levels/6-Forest-Path.map", dropped + std::string(4089, '\n'));  // NUL just before the tail
  writeGame("data/levels/18-Forest-Path.map", "@x 1.0\n");
  writeGame("data/levels/1-Sea-Side.map", "@Pa 6\n");
  build();
  ASSERT_EQ(catalogue.worldCount, 2);
  EXPECT_EQ(name(0), "Forest Path");
  EXPECT_EQ(name(1), "Sea Side");
  EXPECT_EQ(file(0), "./data/levels/level1.vorpel");
  EXPECT_EQ(file(1), file(0));
  EXPECT_EQ(root(0), "./data");
  EXPECT_EQ(root(1), "./data");
  EXPECT_EQ(catalogue.holePars[0][1], 4);
  EXPECT_EQ(catalogue.holePars[0][2], 5);  // the last par line wins
  EXPECT_EQ(catalogue.holePars[0][3], 3);  // no file
  EXPECT_EQ(catalogue.holePars[0][4], 2);
  EXPECT_EQ(catalogue.holePars[0][5], 2);
  EXPECT_EQ(catalogue.holePars[0][6], 2);
  EXPECT_EQ(catalogue.holePars[0][18], 3); // no par line
  EXPECT_EQ(catalogue.holePars[1][1], 6);
  EXPECT_EQ(catalogue.holePars[1][2], 3);
}

TEST_F(CatalogueTest, MissingListFilesLeaveNoGapsAndAddOnsComeLast) {
  tree.write("addon6/data/levels/extention.vorpel", "Level_Name Far-Isle\n");
  tree.write("addon2/data/levels/extention.vorpel", "Level_Name Dune\n");
  tree.write("addon2/data/levels/7-Dune.map", "@Pa 2\n");
  writeGame("data/levels/level3.vorpel", "Level_Name Third\n");
  writeGame("data/levels/level5.vorpel", "Music ./data/music/x.ogg\nLevel_Name Fifth\n");
  build();
  ASSERT_EQ(catalogue.worldCount, 4);
  EXPECT_EQ(name(0), "Third");
  EXPECT_EQ(name(1), "Fifth");
  EXPECT_EQ(name(2), "Dune");
  EXPECT_EQ(name(3), "Far Isle");
  EXPECT_EQ(file(2), "../../../addon2/data/levels/extention.vorpel");
  EXPECT_EQ(root(2), "../../../addon2/data");
  EXPECT_EQ(root(3), "../../../addon6/data");
  EXPECT_EQ(catalogue.holePars[2][7], 2);
}

TEST_F(CatalogueTest, WorldsPastTheTableAreRefusedOneLineEach) {
  std::string lines;
  for (int i = 0; i < kMaxWorlds + 5; ++i) lines += "Level_Name World" + std::to_string(i) + "\n";
  writeGame("data/levels/level1.vorpel", lines);
  testing::internal::CaptureStdout();
  build();
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(catalogue.worldCount, kMaxWorlds);
  EXPECT_EQ(name(kMaxWorlds - 1), "World" + std::to_string(kMaxWorlds - 1));
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 5);
  EXPECT_NE(said.find("World24"), std::string::npos);
  std::array<char, kPathLength> picture{};
  EXPECT_FALSE(coursePicturePath(picture, kMaxWorlds)) << "no such world: no picture to find";
  std::snprintf(catalogue.worldFiles[0].data(), kCatalogueTextLength, "./my data/x.vorpel");
  EXPECT_TRUE(coursePicturePath(picture, 0));
  EXPECT_STREQ(picture.data(), "./my-data/x.vorpel.tga") << "the picture's name has dashes for blanks";
}

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
