// The real game binary, run under the virtual display in a directory of its own with a
// small data tree made here.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/scratch_dir.h"
#include "tests/support/test_images.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

struct Rgb {
  int r, g, b;
};

// A square 24-bit TGA of one colour.
bool writeSolidTga(const std::string& path, int size, Rgb colour) {
  const auto c = [](int v) { return static_cast<unsigned char>(v); };
  return writeTga(path, stripedPicture(size, size, {{c(colour.r), c(colour.g), c(colour.b), 255}}), 24);
}

struct GameRun {
  int status = -1;
  std::string out;
  std::string err;
};

GameRun runGame(const std::string& dir, const std::string& args) {
  const std::string command = "cd '" + dir + "' && '" QUILLMOOR_GAME_BINARY "' " + args +
                              " > out.txt 2> err.txt";
  GameRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = readWholeFile(dir + "/out.txt");
  run.err = readWholeFile(dir + "/err.txt");
  return run;
}

struct Picture {
  int width = 0, height = 0;
  unsigned char* pixels = nullptr;
  ~Picture() { stbi_image_free(pixels); }
  Rgb at(int x, int y) const {
    const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
    return {p[0], p[1], p[2]};
  }
};

bool loadPicture(const std::string& path, Picture& picture) {
  int channels = 0;
  picture.pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
  return picture.pixels != nullptr;
}

class WholeProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run the tests under xvfb-run";
  }
};

TEST_F(WholeProgram, AFirstRunWritesTheDefaultsAndShowsTheTransitionPicture) {
  const std::string dir = makeScratchDir("first-run");
  std::filesystem::create_directories(dir + "/data/sky");
  ASSERT_TRUE(writeSolidTga(dir + "/data/sky/fonbleu.tga", 64, {200, 40, 20}));
  ASSERT_TRUE(writeWholeFile(dir + "/script.txt",
                             "# the reload transition shrinks the picture over 0.9 s\n"
                             "3 screenshot shot-3.png\n"));

  const GameRun run = runGame(dir, "--frames 60 --fixed-step 16 --seed 1 --script script.txt");
  ASSERT_EQ(run.status, 0) << run.out << run.err;

  const std::string config = readWholeFile(dir + "/data/tov.pref");
  EXPECT_EQ(config.rfind("game conf file vorpelG \n \n\nSreenwidth \t ", 0), 0u) << config;
  EXPECT_NE(config.find("Fullscreen \t 1\n"), std::string::npos);
  EXPECT_NE(config.find("MusicVolume \t 10f\nSoundVolume \t  10\nGamedetail \t  1\n"),
            std::string::npos);
  EXPECT_NE(config.find("playerNameA \t  spwimy\n"), std::string::npos);
  EXPECT_NE(config.find("numberofplayer \t  1\nBlaBla \t  0\n \n"), std::string::npos);

  Picture shot;
  ASSERT_TRUE(loadPicture(dir + "/shot-3.png", shot));
  EXPECT_GE(shot.width, 640);
  EXPECT_GE(shot.height, 480);
  // The enlarged picture covers the whole frame, corners included.
  const std::array<std::pair<int, int>, 4> points{
      {{1, 1}, {shot.width - 2, 1}, {shot.width / 4, shot.height / 4},
       {shot.width - 2, shot.height - 2}}};
  for (const auto& [x, y] : points) {
    const Rgb c = shot.at(x, y);
    EXPECT_NEAR(c.r, 200, 8) << x << "," << y;
    EXPECT_NEAR(c.g, 40, 8) << x << "," << y;
    EXPECT_NEAR(c.b, 20, 8) << x << "," << y;
  }
}

TEST_F(WholeProgram, AnExistingConfigurationChoosesTheWindow) {
  const std::string dir = makeScratchDir("configured");
  std::filesystem::create_directories(dir + "/data");
  ASSERT_TRUE(writeWholeFile(dir + "/data/tov.pref",
                             "Sreenwidth \t 720\nSreenheight \t 500\nFullscreen \t 0\n"));
  ASSERT_TRUE(writeWholeFile(dir + "/script.txt", "1 screenshot shot.png\n"));
  const GameRun run = runGame(dir, "--frames 3 --fixed-step 16 --script script.txt");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  Picture shot;
  ASSERT_TRUE(loadPicture(dir + "/shot.png", shot));
  EXPECT_EQ(shot.width, 720);
  EXPECT_EQ(shot.height, 500);
  // An existing file is read, not rewritten.
  EXPECT_EQ(readWholeFile(dir + "/data/tov.pref").find("game conf"), std::string::npos);
}

TEST_F(WholeProgram, AScriptedQuitEndsTheRunEarly) {
  const std::string dir = makeScratchDir("quit");
  std::filesystem::create_directories(dir + "/data");
  ASSERT_TRUE(writeWholeFile(dir + "/script.txt", "5 quit\n6 screenshot late.png\n"));
  const GameRun run = runGame(dir, "--frames 500 --fixed-step 16 --script script.txt");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir + "/late.png"));
}

TEST_F(WholeProgram, StartedElsewhereItUsesTheDataTreeBesideItself) {
  namespace fs = std::filesystem;
  const std::string home = makeScratchDir("installed");
  const std::string elsewhere = makeScratchDir("elsewhere");
  fs::create_directories(home + "/data/sky");
  fs::copy_file(QUILLMOOR_GAME_BINARY, home + "/quillmoor");
  ASSERT_TRUE(writeSolidTga(home + "/data/sky/fonbleu.tga", 32, {20, 200, 40}));
  ASSERT_TRUE(writeWholeFile(elsewhere + "/script.txt",
                             "2 screenshot " + elsewhere + "/shot.png\n"));
  const std::string command = "cd '" + elsewhere + "' && '" + home +
                              "/quillmoor' --frames 4 --fixed-step 16 --script script.txt"
                              " > out.txt 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << readWholeFile(elsewhere + "/out.txt");
  EXPECT_TRUE(fs::exists(home + "/data/tov.pref"));
  EXPECT_FALSE(fs::exists(elsewhere + "/data"));
  Picture shot;
  ASSERT_TRUE(loadPicture(elsewhere + "/shot.png", shot));
  EXPECT_NEAR(shot.at(2, 2).g, 200, 8);  // the picture of the tree beside the program
}

TEST_F(WholeProgram, ABadScriptLineStopsTheRunWithItsLineNumber) {
  const std::string dir = makeScratchDir("bad-script");
  ASSERT_TRUE(writeWholeFile(dir + "/script.txt", "0 move 10 10\n# fine so far\n4 wiggle\n"));
  const GameRun run = runGame(dir, "--frames 10 --script script.txt");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir + "/data/tov.pref"));
}

TEST_F(WholeProgram, AnUnknownOptionIsRefused) {
  const std::string dir = makeScratchDir("bad-option");
  const GameRun run = runGame(dir, "--frames");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("usage"), std::string::npos) << run.err;
}

}  // namespace
