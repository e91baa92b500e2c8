// Whole games through the real binary under the virtual display: from the title menu through
// the player set-up (two players, one name typed), the course selection and holes played with
// real strokes, out through the pause menu into the high scores. The world is a small one made
// here: straight fairways where a stroke of power 10 along the start marker's heading holes out
// (found with tools/simulate), beside the generated data tree.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGeneratedData = fs::path(QUILLMOOR_BINARY_DIR) / "data";
constexpr int kStepMs = 32;  // virtual milliseconds a frame: about 31 frames a second
constexpr int kHoles = 18;

// A plain uncompressed 24-bit TGA of one colour.
std::string solidTga(int size, int r, int g, int b) {
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[12] = tga[14] = static_cast<char>(size);
  tga[16] = 24;
  for (int i = 0; i < size * size; ++i) {
    tga += static_cast<char>(b);
    tga += static_cast<char>(g);
    tga += static_cast<char>(r);
  }
  return tga;
}

// A fairway of grass (floor 1) from x 3..22 on rows 9..15 over sand (floor 0) under the sea,
// the start on cell (5, 12) heading along +x (marker turned 90), the cup on cell (20, 12).
std::string fairwayHole() {
  std::ostringstream map;
  map << "Vorpelgames map data\n\n";
  for (int z = 0; z <= 25; ++z) {
    for (int x = 0; x < 25; ++x) {
      const bool land = x >= 3 && x <= 22 && z >= 9 && z <= 15;
      const bool start = x == 5 && z == 12;
      const int marker = start ? 0 : (x == 20 && z == 12) ? 1 : -1;
      map << "@I " << marker << "\n@Ir " << (start ? 90 : 0) << "\n@Ih 0.000000\n@O -1\n@Or 0\n"
          << "@Oh -1.000000\n@r 0\n@t " << (land ? 1 : 0) << "\n@x "
          << (land ? "1.000000" : "-1.000000") << "\n";
    }
    map << "@y 0000\n";
  }
  map << "@Pa 2\n";
  return map.str();
}

std::string scoreEntry(const std::string& name, const std::vector<int>& strokes) {
  std::string text = "@Name\t" + name + "\n@Scores";
  for (int s : strokes) text += "\t" + std::to_string(s);
  return text + "\n";
}

std::vector<int> holes(int first, int second, int rest) {
  std::vector<int> v(kHoles, rest);
  v[0] = first;
  v[1] = second;
  return v;
}

const std::string kHeader = "game scores file vorpelG \n \n";

// The play folder: data/ links every generated folder and holds the test world, the
// configuration (a 640 x 480 window) and the world's score file as given.
std::string makePlayFolder(const std::string& name, const std::string& scores) {
  const std::string dir = makeScratchDir(name);
  fs::create_directories(dir + "/data/levels");
  fs::create_directories(dir + "/data/green/floor");
  for (const auto& entry : fs::directory_iterator(kGeneratedData)) {
    // The shipped worlds stay out: the catalogue holds only the world made here.
    if (entry.is_directory() && entry.path().filename() != "levels") fs::create_directory_symlink(entry.path(), dir + "/data/" + entry.path().filename().string());
  }
  writeWholeFile(dir + "/data/green/floor/sand.tga", solidTga(16, 220, 200, 140));
  writeWholeFile(dir + "/data/green/floor/grass.tga", solidTga(16, 60, 170, 60));
  writeWholeFile(dir + "/data/levels/level1.vorpel.tga", solidTga(64, 200, 120, 40));
  writeWholeFile(dir + "/data/levels/level1.vorpel",
                 "MAINpath ./data/green\ntexture sand.tga\ntexture grass.tga\n"
                 "SKY-A ./data/sky/w1-dome.obj\nSKY-B ./data/sky/day-b.obj\nLevel_Name green-test\n");
  for (int hole = 1; hole <= 3; ++hole) {
    writeWholeFile(dir + "/data/levels/" + std::to_string(hole) + "-green-test.map", fairwayHole());
  }
  writeWholeFile(dir + "/data/tov.pref", "Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\n");
  writeWholeFile(dir + "/data/tov_green-test.scores", scores);
  return dir;
}

// Builds the script: frames are given at 62 frames a second and scaled to the step.
class Script {
 public:
  void at(int frame, const std::string& action) {
    text_ << frame * 16 / kStepMs << " " << action << "\n";
  }
  void click(int frame, int x, int y) {
    at(frame, "move " + std::to_string(x) + " " + std::to_string(y));
    at(frame + 2, "press 1");
    at(frame + 6, "release 1");
  }
  // A stroke of power 10 along the current aim.
  void stroke(int frame) {
    at(frame, "type $$$$$$$$$$");
    at(frame + 24, "key space");
  }
  std::string text() const { return text_.str(); }

 private:
  std::ostringstream text_;
};

// Title -> player set-up with `players` players (the second renamed "kim") -> course
// selection (the arrow brings the one world of the catalogue) -> start. Returns the frame the
// first hole starts at.
int playToTheFirstHole(Script& s, int players) {
  s.at(90, "screenshot shot-title.png");
  s.click(95, 130, 230);  // play
  if (players == 2) {
    s.click(120, 180, 95);  // one more player
    s.click(130, 230, 230);  // the second name
    s.at(140, "key backspace");
    s.at(142, "type kim");
    s.at(150, "key return");
  }
  s.at(160, "screenshot shot-setup.png");
  s.click(165, 320, 440);  // continue
  s.click(185, 545, 330);  // next world
  s.at(225, "screenshot shot-course.png");
  s.click(230, 320, 440);  // start the game
  return 290;
}

// One hole for one or two players, every player holing out in one stroke. Clicks on the holed
// sequence are repeated: a spare click while the next player aims at power 0 does nothing.
// Returns the frame the next hole starts at.
int playHole(Script& s, int h, int players, const std::string& shot) {
  s.stroke(h + 260);
  s.at(h + 280, "screenshot shot-aim" + shot + ".png");  // the power typed, before the stroke
  s.at(h + 500, "move 320 240");
  s.at(h + 700, "screenshot shot-holed" + shot + ".png");
  for (int r : {720, 750, 780}) s.click(h + r, 320, 240);
  if (players == 1) return h + 790;
  // The second player's aim is turned 12 degrees off the line to the cup: 60 pixels of pointer
  // motion (0.2 degrees each) bring it back onto the line.
  s.at(h + 820, "move 260 240");
  s.stroke(h + 830);
  s.at(h + 1100, "move 320 240");
  for (int r : {1290, 1320, 1350}) s.click(h + r, 320, 240);
  return h + 1360;
}

// Escape, "quit the course", and the high scores (through the new-record screen when
// `congratulated`); back to the title. Returns the last frame.
int quitToTheHighScores(Script& s, int h, bool congratulated) {
  s.at(h + 260, "key escape");
  s.at(h + 280, "screenshot shot-pause.png");
  s.click(h + 285, 320, 225);
  int next = h + 400;
  if (congratulated) {
    s.at(next, "screenshot shot-record.png");
    s.click(next + 10, 320, 240);
    next += 40;
  }
  s.at(next, "screenshot shot-scores.png");
  s.click(next + 20, 320, 440);  // back
  s.at(next + 50, "screenshot shot-title-again.png");
  return next + 60;
}

struct GameRun {
  int status = -1;
  std::string out;
};

GameRun runGame(const std::string& dir, const std::string& script, int lastFrame) {
  writeWholeFile(dir + "/script.txt", script);
  const std::string command = "cd '" + dir + "' && ALSOFT_DRIVERS=null '" QUILLMOOR_GAME_BINARY
                              "' --fixed-step " + std::to_string(kStepMs) + " --seed 5 --frames " +
                              std::to_string(lastFrame * 16 / kStepMs + 5) +
                              " --script script.txt > out.txt 2>&1";
  GameRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = readWholeFile(dir + "/out.txt");
  return run;
}

void expectScreenshots(const std::string& dir, const std::vector<std::string>& names) {
  std::string previous;
  for (const std::string& name : names) {
    const std::string picture = readWholeFile(dir + "/shot-" + name + ".png");
    EXPECT_GT(picture.size(), 1000u) << name;
    EXPECT_NE(picture, previous) << name << " shows what the shot before it showed";
    previous = picture;
  }
}

class WholeGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run the tests under xvfb-run";
    ASSERT_TRUE(fs::is_directory(kGeneratedData / "menu")) << "the generated data tree is missing";
  }
};

TEST_F(WholeGame, TwoPlayersPlayTwoHolesQuitAndAreRankedIntoTheWorldsTable) {
  // Stored totals 360, 450, 482, 504, 522, 540 and 990; the players will total 1 + 1 + 16 x 30.
  const std::string sandy = scoreEntry("sandy", holes(20, 20, 20));
  const std::string lou = scoreEntry("lou", holes(25, 25, 25));
  const std::string tie = scoreEntry("tie", holes(17, 17, 28));
  const std::string mo = scoreEntry("mo", holes(28, 28, 28));
  const std::string ray = scoreEntry("ray", holes(29, 29, 29));
  const std::string stored = sandy + lou + tie + mo + ray + scoreEntry("jo", holes(30, 30, 30)) +
                             scoreEntry("last", holes(55, 55, 55));
  const std::string dir = makePlayFolder("whole-game", kHeader + stored);
  Script s;
  int h = playToTheFirstHole(s, 2);
  h = playHole(s, h, 2, "1");
  h = playHole(s, h, 2, "2");
  const int last = quitToTheHighScores(s, h, false);

  const GameRun run = runGame(dir, s.text(), last);
  ASSERT_EQ(run.status, 0) << run.out;

  // Ties rank the stored entry first, then the players in slot order; the two who did not play
  // (540 each) fall below the seven kept.
  const std::string expected = kHeader + sandy + lou + tie + scoreEntry("spwimy", holes(1, 1, 0)) +
                               scoreEntry("kim", holes(1, 1, 0)) + mo + ray;
  EXPECT_EQ(readWholeFile(dir + "/data/tov_green-test.scores"), expected);
  EXPECT_FALSE(fs::exists(dir + "/data/tov_green-test.scores.new"));
  const std::string config = readWholeFile(dir + "/data/tov.pref");
  EXPECT_NE(config.find("playerNameB \t  kim\n"), std::string::npos) << config;
  EXPECT_NE(config.find("numberofplayer \t  2\n"), std::string::npos);
  expectScreenshots(dir, {"title", "setup", "course", "aim1", "holed1", "aim2", "holed2", "pause",
                          "scores", "title-again"});
}

TEST_F(WholeGame, ANewFirstPlaceIsCongratulatedBeforeTheTable) {
  // Seven weak cards of 30 a hole (540); one player holes hole 1 in one stroke and quits on
  // hole 2: 1 + 17 x 30 = 511.
  std::string stored;
  for (int k = 1; k <= 7; ++k) stored += scoreEntry("weak" + std::to_string(k), holes(30, 30, 30));
  const std::string dir = makePlayFolder("new-record", kHeader + stored);
  Script s;
  int h = playToTheFirstHole(s, 1);
  h = playHole(s, h, 1, "1");
  const int last = quitToTheHighScores(s, h, true);

  const GameRun run = runGame(dir, s.text(), last);
  ASSERT_EQ(run.status, 0) << run.out;
  std::string expected = kHeader + scoreEntry("spwimy", holes(1, 0, 0));
  for (int k = 1; k <= 6; ++k) expected += scoreEntry("weak" + std::to_string(k), holes(30, 30, 30));
  EXPECT_EQ(readWholeFile(dir + "/data/tov_green-test.scores"), expected);
  expectScreenshots(dir, {"title", "setup", "course", "aim1", "holed1", "pause", "record", "scores",
                          "title-again"});
}

}  // namespace
