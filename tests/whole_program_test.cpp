// The real game binary started in a folder of its own with a small data tree made here: what a
// first run writes, what a configuration chooses, and how each way of failing to start ends the
// program. (Where the data tree is looked for, the install test shows.)
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "tests/support/game_run.h"
#include "tests/support/test_images.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

namespace fs = std::filesystem;

void writeSolidTga(const std::string& path, int size, Pixel colour) {
  ASSERT_TRUE(writeTga(path, stripedPicture(size, size, {colour}), 24));
}

struct Picture {
  int width = 0, height = 0;
  unsigned char* pixels = nullptr;
  explicit Picture(const std::string& path) {
    int channels = 0;
    pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
  }
  ~Picture() { stbi_image_free(pixels); }
  Pixel at(int x, int y) const {
    const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
    return {p[0], p[1], p[2]};
  }
};

void expectNear(const Pixel& got, const Pixel& want, const std::string& where) {
  EXPECT_NEAR(got.r, want.r, 8) << where;
  EXPECT_NEAR(got.g, want.g, 8) << where;
  EXPECT_NEAR(got.b, want.b, 8) << where;
}

TEST(WholeProgram, AFirstRunWritesTheDefaultsAndShowsTheTransitionPicture) {
  const GameFolder game(GameFolder::Data::Empty);
  writeSolidTga(game.path("data/sky/fonbleu.tga"), 64, {200, 40, 20});
  // The reload transition shrinks the picture over 0.9 s.
  const GameRun run = game.run(GameScript().at(3, "screenshot shot-3.png"), 60, 16);
  ASSERT_EQ(run.status, 0) << run.out;

  const std::string config = game.read("data/tov.pref");
  EXPECT_NE(config.find("MusicVolume \t 10f\nSoundVolume \t  10\nGamedetail \t  1\n"),
            std::string::npos) << config;

  const Picture shot(game.path("shot-3.png"));
  ASSERT_NE(shot.pixels, nullptr);
  EXPECT_GE(shot.width, 640);
  EXPECT_GE(shot.height, 480);
  // The enlarged picture covers the whole frame, corners included.
  const std::array<std::pair<int, int>, 4> points{
      {{1, 1}, {shot.width - 2, 1}, {shot.width / 4, shot.height / 4},
       {shot.width - 2, shot.height - 2}}};
  for (const auto& [x, y] : points) expectNear(shot.at(x, y), {200, 40, 20}, std::to_string(x) + "," + std::to_string(y));
}

TEST(WholeProgram, AnExistingConfigurationChoosesTheWindowAndAScriptedQuitEndsTheRun) {
  const GameFolder game(GameFolder::Data::Empty);
  game.write("data/tov.pref", "Sreenwidth \t 720\nSreenheight \t 500\nFullscreen \t 0\n");
  const GameRun run =
      game.run(GameScript().at(1, "screenshot shot.png").at(5, "quit").at(6, "screenshot late.png"), 500, 16);
  ASSERT_EQ(run.status, 0) << run.out;
  const Picture shot(game.path("shot.png"));
  ASSERT_NE(shot.pixels, nullptr);
  EXPECT_EQ(shot.width, 720);
  EXPECT_EQ(shot.height, 500);
  EXPECT_FALSE(fs::exists(game.path("late.png")));
  // An existing file is read, not rewritten.
  EXPECT_EQ(game.read("data/tov.pref").find("game conf"), std::string::npos);
}

TEST(WholeProgram, EachWayOfFailingToStartHasItsStatusAndMessage) {
  const GameFolder game(GameFolder::Data::Empty);
  // A bad option or script line: status 3, before anything is written.
  GameRun run = game.runWith("--frames");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.out.find("usage"), std::string::npos) << run.out;
  game.write("script.txt", "0 move 10 10\n# fine so far\n4 wiggle\n");
  run = game.runWith("--frames 10 --script script.txt");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.out.find("line 3"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(game.path("data/tov.pref")));
  // No video at all: status 1.
  run = game.runWith("--frames 10", "SDL_VIDEODRIVER=no-such-driver");
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.out.find("Couldn't initialize SDL"), std::string::npos) << run.out;
  // Video without OpenGL: the window cannot open, status 2.
  run = game.runWith("--frames 10", "SDL_VIDEODRIVER=dummy");
  EXPECT_EQ(run.status, 2) << run.out;
  EXPECT_NE(run.out.find("OpenGL video mode"), std::string::npos) << run.out;
  // No sound device is no failure: the game says so and runs silent.
  run = game.runWith("--frames 30 --fixed-step 16", "ALSOFT_DRIVERS=no-such-backend");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Error!\nError initializing output device.\n"), std::string::npos) << run.out;
}

}  // namespace
