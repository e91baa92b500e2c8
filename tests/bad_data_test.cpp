// The real game over the generated data tree with files of one kind spoiled: one missing and one
// cut short. Through the title, the player set-up and the course selection into the first hole,
// on to the second, and out through the pause menu to the high scores: it must never crash or
// stop early, a missing image or model gives its loader's line each time it is asked for, the
// game goes on to rank the course in its score file, and with nothing spoiled no image or model
// the menus and the holes ask for is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/game_run.h"

namespace {

namespace fs = std::filesystem;

struct Spoiled {
  const char* kind;
  const char* missing;    // relative to the data tree; removed
  const char* truncated;  // relative to the data tree; cut to its first bytes
  const char* report;     // the loader's line for the missing file, before its path; or none
};

// The course selection opens on Lantern Garden (level5), so its files are the ones played.
const std::vector<Spoiled> kSpoiled{
    {"nothing", nullptr, nullptr, nullptr},
    {"image", "lettre/a.tga", "lettre/b.tga", "texture not found: "},
    {"model", "object/ball.obj", "object/trou.obj", "OBJ file not found : "},
    {"sound", "sounds/tir.wav", "sounds/boom.wav", nullptr},
    {"music", "music/title.ogg", "music/world5.ogg", nullptr},
    {"configuration", nullptr, "tov.pref", nullptr},
    {"world", "levels/level1.vorpel", "levels/level5.vorpel", nullptr},
    {"hole map", "levels/1-Lantern-Garden.map", "levels/2-Lantern-Garden.map", nullptr},
    {"score file", "tov_Lantern-Garden.scores", "tov_Bramble-Meadow.scores", nullptr},
};

constexpr size_t kKeptBytes = 40;  // past a file's first header fields, short of its data

// At 10 frames a second: into the first hole, on to the second through the pause menu, and
// out to the high scores.
GameScript intoTheHolesAndOut() {
  GameScript s;
  s.at(33, "screenshot title.png").clickPlay(35).clickContinue(50).clickContinue(65);
  s.at(89, "screenshot hole1.png").at(90, "key escape").clickNextHole(96);
  s.at(110, "screenshot hole2.png").at(111, "key escape").clickQuitCourse(117);
  s.at(144, "screenshot scores.png");
  return s;
}
constexpr int kFrames = 146;

// A score table as the game writes it, seven cards of 18 holes.
std::string scoreFile() {
  std::string text = "game scores file vorpelG \n \n";
  for (int k = 1; k <= 7; ++k) {
    text += "@Name\tcard" + std::to_string(k) + "\n@Scores";
    for (int h = 1; h <= 18; ++h) text += "\t" + std::to_string(2 + (h + k) % 4);
    text += "\n";
  }
  return text;
}

std::vector<std::string> linesNaming(const std::string& text, const std::string& name) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.find(name) != std::string::npos) lines.push_back(line);
  }
  return lines;
}

// A score file the game wrote during the run, whole: seven cards.
bool aScoreFileWasWrittenSince(const fs::path& data, fs::file_time_type since) {
  for (const auto& entry : fs::directory_iterator(data)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("tov_", 0) != 0 || entry.path().extension() != ".scores") continue;
    if (fs::last_write_time(entry.path()) < since) continue;
    if (linesNaming(readWholeFile(entry.path().string()), "@Scores").size() == 7) return true;
  }
  return false;
}

TEST(BadData, EachKindOfSpoiledFileLeavesTheGameRunningIntoTheHolesAndOut) {
  ASSERT_TRUE(haveGeneratedData());
  for (const Spoiled& spoiled : kSpoiled) {
    SCOPED_TRACE(spoiled.kind);
    const GameFolder game;
    game.write("data/tov_Lantern-Garden.scores", scoreFile());
    game.write("data/tov_Bramble-Meadow.scores", scoreFile());
    if (spoiled.missing != nullptr) {
      game.ownCopy(spoiled.missing);
      fs::remove(game.path("data/") + spoiled.missing);
    }
    if (spoiled.truncated != nullptr) {
      game.ownCopy(spoiled.truncated);
      const std::string file = game.path("data/") + spoiled.truncated;
      ASSERT_TRUE(writeWholeFile(file, readWholeFile(file).substr(0, kKeptBytes)));
    }
    const fs::file_time_type started = fs::file_time_type::clock::now();

    const GameRun run = game.run(intoTheHolesAndOut(), kFrames);
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* shot : {"title.png", "hole1.png", "hole2.png", "scores.png"}) {
      EXPECT_TRUE(fs::exists(game.path(shot))) << "the game stopped before " << shot << "\n" << run.out;
    }
    EXPECT_TRUE(aScoreFileWasWrittenSince(game.path("data"), started)) << "the course was not ranked\n" << run.out;
    if (spoiled.missing == nullptr) {
      EXPECT_TRUE(linesNaming(run.out, "not found").empty()) << run.out;
    } else if (spoiled.report != nullptr) {
      // Asked for again at every reload of the interface, it is reported each time in one line.
      const std::vector<std::string> lines = linesNaming(run.out, spoiled.missing);
      EXPECT_FALSE(lines.empty()) << run.out;
      for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind(spoiled.report, 0), 0u) << line;
        EXPECT_EQ(line.substr(line.size() - std::string(spoiled.missing).size()), spoiled.missing) << line;
      }
    }
  }
}

}  // namespace
