// Whole games through the real binary under the virtual display: from the title menu through
// the player set-up (two players, one name typed), the course selection and holes played with
// real strokes, out through the pause menu into the high scores. The world is a small one made
// here: straight fairways where a stroke of power 10 along the start marker's heading holes out
// (found with tools/simulate), beside the generated data tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/game_run.h"

namespace {

constexpr int kStepMs = 32;  // virtual milliseconds a frame: about 31 frames a second
constexpr int kHoles = 18;

// A plain uncompressed 24-bit TGA of one colour.
std::string solidTga(int size, int r, int g, int b) {
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[12] = tga[14] = static_cast<char>(size);
  tga[16] = 24;
  for (int i = 0; i < size * size; ++i) tga += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
  return tga;
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

// The play folder: the generated tree without its worlds, the test world and its score file.
void makeWorld(const GameFolder& game, const std::string& scores) {
  game.write("data/green/floor/sand.tga", solidTga(16, 220, 200, 140));
  game.write("data/green/floor/grass.tga", solidTga(16, 60, 170, 60));
  game.write("data/levels/level1.vorpel.tga", solidTga(64, 200, 120, 40));
  game.write("data/levels/level1.vorpel",
             "MAINpath ./data/green\ntexture sand.tga\ntexture grass.tga\n"
             "SKY-A ./data/sky/w1-dome.obj\nSKY-B ./data/sky/day-b.obj\nLevel_Name green-test\n");
  for (int hole = 1; hole <= 3; ++hole) {
    game.write("data/levels/" + std::to_string(hole) + "-green-test.map", fairwayHole(20));
  }
  game.write("data/tov_green-test.scores", scores);
}

// A stroke of power 10 along the current aim.
void stroke(GameScript& s, long frame) {
  s.at(frame, "type $$$$$$$$$$");
  s.at(frame + 12, "key space");
}

// Title -> player set-up with two players (the second renamed "kim") -> course selection (the
// arrow brings the one world of the catalogue) -> start. Returns the frame the first hole
// starts at.
long playToTheFirstHole(GameScript& s) {
  s.at(45, "screenshot shot-title.png");
  s.clickPlay(47);
  s.clickAddPlayer(60).clickSecondName(65);
  s.at(70, "key backspace").at(71, "type kim").at(75, "key return");
  s.at(80, "screenshot shot-setup.png");
  s.clickContinue(82).clickNextWorld(92);
  s.at(112, "screenshot shot-course.png");
  s.clickContinue(115);
  return 145;
}

// One hole for two players, each holing out in one stroke. Clicks on the holed
// sequence are repeated: a spare click while the next player aims at power 0 does nothing.
// Returns the frame the next hole starts at.
long playHole(GameScript& s, long h, const std::string& shot) {
  stroke(s, h + 130);
  s.at(h + 140, "screenshot shot-aim" + shot + ".png");  // the power typed, before the stroke
  s.at(h + 250, "move 320 240");
  s.at(h + 350, "screenshot shot-holed" + shot + ".png");
  for (int r : {360, 375, 390}) s.clickMiddle(h + r);
  // The second player's aim is turned 12 degrees off the line to the cup: 60 pixels of pointer
  // motion (0.2 degrees each) bring it back onto the line.
  s.at(h + 410, "move 260 240");
  stroke(s, h + 415);
  s.at(h + 550, "move 320 240");
  for (int r : {645, 660, 675}) s.clickMiddle(h + r);
  return h + 680;
}

// Escape, "quit the course", and the high scores; back to the title. Returns the last frame.
long quitToTheHighScores(GameScript& s, long h) {
  s.at(h + 130, "key escape");
  s.at(h + 140, "screenshot shot-pause.png");
  s.clickQuitCourse(h + 142);
  const long next = h + 200;
  s.at(next, "screenshot shot-scores.png");
  s.clickContinue(next + 10);
  s.at(next + 25, "screenshot shot-title-again.png");
  return next + 35;
}

void expectScreenshots(const GameFolder& game, const std::vector<std::string>& names) {
  std::string previous;
  for (const std::string& name : names) {
    const std::string picture = game.read("shot-" + name + ".png");
    EXPECT_GT(picture.size(), 1000u) << name;
    EXPECT_NE(picture, previous) << name << " shows what the shot before it showed";
    previous = picture;
  }
}

TEST(WholeGame, TwoPlayersPlayTwoHolesQuitAndAreRankedIntoTheWorldsTable) {
  ASSERT_TRUE(haveGeneratedData());
  // Stored totals 360, 450, 482, 504, 522, 540 and 990; the players will total 1 + 1 + 16 x 30.
  const std::string sandy = scoreEntry("sandy", holes(20, 20, 20));
  const std::string lou = scoreEntry("lou", holes(25, 25, 25));
  const std::string tie = scoreEntry("tie", holes(17, 17, 28));
  const std::string mo = scoreEntry("mo", holes(28, 28, 28));
  const std::string ray = scoreEntry("ray", holes(29, 29, 29));
  const std::string stored = sandy + lou + tie + mo + ray + scoreEntry("jo", holes(30, 30, 30)) +
                             scoreEntry("last", holes(55, 55, 55));
  const GameFolder game(GameFolder::Data::WithoutWorlds);
  makeWorld(game, kHeader + stored);
  GameScript s;
  long h = playToTheFirstHole(s);
  h = playHole(s, h, "1");
  h = playHole(s, h, "2");
  const long last = quitToTheHighScores(s, h);

  const GameRun run = game.run(s, last, kStepMs, 5);
  ASSERT_EQ(run.status, 0) << run.out;

  // Ties rank the stored entry first, then the players in slot order; the two who did not play
  // (540 each) fall below the seven kept.
  const std::string expected = kHeader + sandy + lou + tie + scoreEntry("spwimy", holes(1, 1, 0)) +
                               scoreEntry("kim", holes(1, 1, 0)) + mo + ray;
  EXPECT_EQ(game.read("data/tov_green-test.scores"), expected);
  EXPECT_FALSE(std::filesystem::exists(game.path("data/tov_green-test.scores.new")));
  const std::string config = game.read("data/tov.pref");
  EXPECT_NE(config.find("playerNameB \t  kim\n"), std::string::npos) << config;
  EXPECT_NE(config.find("numberofplayer \t  2\n"), std::string::npos);
  expectScreenshots(game, {"title", "setup", "course", "aim1", "holed1", "aim2", "holed2", "pause",
                           "scores", "title-again"});
}

}  // namespace
