// Each world's score file: the default table, ranking the last game into it, writing it back
// safely, and what a damaged or overfull file does.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "play/play_overlay.h"
#include "play/play_state.h"
#include "tests/support/scratch_dir.h"
#include "ui/course_select.h"
#include "ui/high_score_screen.h"
#include "ui/score_file.h"

namespace {

using Holes = std::array<int, kHolesPerCourse>;

Holes allHoles(int strokes) {
  Holes h{};
  h.fill(strokes);
  return h;
}

// "@Name\t<name>\n@Scores\t<18 numbers>\n"
std::string entry(const std::string& name, const Holes& holes) {
  std::string text = "@Name\t" + name + "\n@Scores";
  for (int s : holes) text += "\t" + std::to_string(s);
  return text + "\n";
}

const std::string kHeader = "game scores file vorpelG \n \n";

// The names of a written file in their order.
std::vector<std::string> writtenNames(const std::string& file) {
  std::vector<std::string> names;
  for (size_t at = file.find("@Name\t"); at != std::string::npos; at = file.find("@Name\t", at + 1)) {
    names.push_back(file.substr(at + 6, file.find('\n', at) - at - 6));
  }
  return names;
}

class ScoreFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::snprintf(dataFolder.data(), dataFolder.size(), "%s/", tree.path("data").c_str());
    std::filesystem::create_directories(tree.path("data"));
    catalogue = CourseCatalogue{};
    catalogue.worldCount = 2;
    std::snprintf(catalogue.worldNames[0].data(), kCatalogueTextLength, "Forest Path");
    std::snprintf(catalogue.worldNames[1].data(), kCatalogueTextLength, "Dune");
    for (int h = 1; h <= kHolesPerCourse; ++h) {
      catalogue.holePars[0][h] = 2 + h % 3;
      catalogue.holePars[1][h] = 3;
    }
    catalogue.currentWorld = 0;
    scores = ScoreTable{};
    players = PlayerTable{};
    const std::array<const char*, kMaxPlayers> names{"ann", "bob", "cy", "dee"};
    for (int p = 0; p < kMaxPlayers; ++p) {
      std::snprintf(players.name[p].data(), kPlayerNameLength, "%s", names[p]);
    }
    LoadedScores = ScoreBoard{};
    HighScoreTable = ScoreBoard{};
    screenState = HighScores;
    roundMerged = 0;
  }
  void TearDown() override { dataFolder = savedFolder; }

  static void setPlayer(int p, const Holes& holes) {
    for (int h = 1; h <= kHolesPerCourse; ++h) scores.strokes[p][h] = holes[h - 1];
  }
  std::string fileOf(const std::string& name) const { return tree.read("data/tov_" + name + ".scores"); }
  void writeFile(const std::string& name, const std::string& text) const {
    tree.write("data/tov_" + name + ".scores", text);
  }
  // Seven stored entries whose totals are 18 x (base + k) for k = 0..6.
  void writeSeven(const std::string& world, int base) const {
    std::string text = kHeader;
    for (int k = 0; k < 7; ++k) text += entry("stored" + std::to_string(k + 1), allHoles(base + k));
    writeFile(world, text);
  }
  static std::string tableName(int slot) { return HighScoreTable[slot].name.data(); }

  const std::array<char, kPathLength> savedFolder = dataFolder;
  ScratchDir tree;
};

const std::array<std::string, 7> kDefaultNames{"john", "albert", "sammy", "rick", "manolito", "bruce", "carry"};

TEST_F(ScoreFileTest, AFirstGameWithoutAFileIsRankedAmongTheDefaultsAndWritten) {
  // Worked by hand: slot 1, hole 1, par 3: 3 + 0.4 + cos(51 deg) = 4.03 -> 4.
  EXPECT_EQ(defaultStrokes(1, 1, 3), 4);
  // Slot 7, hole 18, par 3: 3 + 2.8 + 7 cos(2660 deg) = 5.8 - 5.36 = 0.44 -> 0, raised to 2.
  EXPECT_EQ(defaultStrokes(7, 18, 3), 2);
  // Slot 2, hole 3, par 4: angle 128 + 9 + 36 + 12 = 185 deg: 4 + 0.8 - 1.99 = 2.81 -> 2.
  EXPECT_EQ(defaultStrokes(2, 3, 4), 2);

  setPlayer(0, allHoles(1));  // 18 strokes: better than any default card
  loadScoreFile();
  mergeRound();
  EXPECT_EQ(screenState, RecordCongrats);
  EXPECT_EQ(roundMerged, 1);
  // Every ranked game slot is marked; the three that did not play rank below the shown seven.
  ASSERT_EQ(newEntryCount, 4);
  EXPECT_EQ(newEntryRows[0], 0);
  for (int i = 1; i < 4; ++i) EXPECT_GE(newEntryRows[i], kShownScores);
  EXPECT_EQ(tableName(1), "ann");

  // The file of "Forest Path" is written with blanks as '-', holding the player first and then
  // six defaults in their order (they weaken down the table); the three unplayed slots (540
  // each) are left out.
  std::string expected = kHeader + entry("ann", allHoles(1));
  for (int row = 1; row < 7; ++row) {
    Holes holes{};
    for (int h = 1; h <= 18; ++h) holes[h - 1] = defaultStrokes(row, h, catalogue.holePars[0][h]);
    expected += entry(kDefaultNames[row - 1], holes);
  }
  EXPECT_EQ(fileOf("Forest-Path"), expected);
  EXPECT_FALSE(std::filesystem::exists(tree.path("data/tov_Forest-Path.scores.new")));
}

TEST_F(ScoreFileTest, EqualTotalsRankStoredEntriesFirstAndPlayersInSlotOrder) {
  writeSeven("Forest-Path", 3);  // totals 54, 72, 90, ...
  setPlayer(0, allHoles(3));     // equals the best stored total
  loadScoreFile();
  mergeRound();
  EXPECT_EQ(screenState, HighScores) << "no new-record screen for a tie";
  EXPECT_EQ(tableName(1), "stored1");
  EXPECT_EQ(tableName(2), "ann");

  // Two players on one total: A before B, both rows marked; the game was cleared by the save.
  roundMerged = 0;
  setPlayer(0, allHoles(4));
  setPlayer(1, allHoles(4));
  loadScoreFile();
  mergeRound();
  EXPECT_EQ(tableName(3), "stored2");  // stored 72 first,
  EXPECT_EQ(tableName(4), "ann");      // then the players of 72 in slot order
  EXPECT_EQ(tableName(5), "bob");
  ASSERT_EQ(newEntryCount, 4);
  EXPECT_EQ(newEntryRows[0], 3);
  EXPECT_EQ(newEntryRows[1], 4);
  EXPECT_GE(newEntryRows[2], kShownScores);
  EXPECT_EQ(writtenNames(fileOf("Forest-Path")),
            (std::vector<std::string>{"stored1", "ann", "stored2", "ann", "bob", "stored3", "stored4"}));
}

TEST_F(ScoreFileTest, AnUnplayedHoleCountsThirtyOnTheScorecardAndInTheTable) {
  writeSeven("Forest-Path", 5);
  Holes holes = allHoles(2);
  holes[6] = 0;  // hole 7 left when the course was quit
  setPlayer(0, holes);
  const int onTheScorecard = scorecardTotal(0);
  EXPECT_EQ(onTheScorecard, 17 * 2 + 30);
  loadScoreFile();
  mergeRound();
  ASSERT_EQ(tableName(1), "ann");
  EXPECT_EQ(roundTotal(HighScoreTable[1]), onTheScorecard);
  ScoreCell cell{};
  formatStrokesCell(cell, HighScoreTable[1].strokes[7]);
  EXPECT_STREQ(cell.data(), "..");
  formatStrokesCell(cell, HighScoreTable[1].strokes[6]);
  EXPECT_STREQ(cell.data(), "2");
  EXPECT_EQ(fileOf("Forest-Path").find(entry("ann", holes)), kHeader.size());
}

TEST_F(ScoreFileTest, TotalsOf1500OrMoreLeaveTheTable) {
  std::string text;
  text += entry("huge", allHoles(90));  // 1620
  text += entry("fine", allHoles(4));
  text += entry("edge", allHoles(83));  // 1494: still ranked
  // Far past any int: added up in int, the total would wrap round to 30 and win.
  Holes wrapped = allHoles(2);
  wrapped[0] = wrapped[1] = std::numeric_limits<int>::max();
  text += entry("wrapped", wrapped);
  writeFile("Forest-Path", text);
  loadScoreFile();
  LoadedScores[5] = LoadedScores[6] = LoadedScores[7] = LoadedScores[1];
  mergeRound();
  EXPECT_EQ(tableName(1), "fine");
  // Then the four unplayed game slots (540), then "edge"; "huge" is nowhere.
  EXPECT_EQ(tableName(2), "ann");
  EXPECT_EQ(tableName(6), "edge");
  for (int slot = 1; slot <= 7; ++slot) {
    EXPECT_NE(tableName(slot), "huge") << slot;
    EXPECT_NE(tableName(slot), "wrapped") << slot;
  }
}

TEST_F(ScoreFileTest, SavingClearsTheGameAndSwitchingWorldsWritesEachVisitedWorldsFile) {
  setPlayer(0, allHoles(2));
  players.strokes[1] = 5;
  players.savedCameraMode[1] = 3;
  loadScoreFile();
  mergeRound();
  EXPECT_EQ(scores.strokes[0][5], 0);
  EXPECT_EQ(players.strokes[1], 0);
  EXPECT_EQ(players.savedCameraMode[1], 1);

  chooseHighScoreItem(ScoresNextWorld);
  EXPECT_EQ(catalogue.currentWorld, 1);
  EXPECT_EQ(roundMerged, 0);
  loadScoreFile();
  mergeRound();
  // The cleared game slots total 540 and stay out of a default table.
  const std::vector<std::string> dune = writtenNames(fileOf("Dune"));
  EXPECT_EQ(dune, std::vector<std::string>(kDefaultNames.begin(), kDefaultNames.end()));
  chooseHighScoreItem(ScoresNextWorld);  // wraps back to the first world
  EXPECT_EQ(catalogue.currentWorld, 0);
  EXPECT_EQ(writtenNames(fileOf("Forest-Path"))[0], "ann") << "the first game is kept";
}

// A short file of one world holds nothing of the world read before it.
TEST_F(ScoreFileTest, DamagedFilesAreReadWithinBounds) {
  writeSeven("Forest-Path", 1);
  writeFile("Dune", entry("dune1", allHoles(4)));
  loadScoreFile();
  catalogue.currentWorld = 1;
  loadScoreFile();
  mergeRound();
  const std::string dune = fileOf("Dune");
  EXPECT_EQ(dune.find("stored"), std::string::npos) << dune;
  EXPECT_NE(dune.find("dune1"), std::string::npos) << dune;
  EXPECT_NE(dune.find("carry"), std::string::npos) << "the entries it lacks are this world's defaults";
  catalogue.currentWorld = 0;

  const std::string longName(300, 'q');
  std::string text = "@Name first\n@Name " + longName + "\n";  // the second name wins
  text += entry("", allHoles(5)).substr(7);  // a scores line alone completes slot 1
  text += "@Name short\n@Scores 1 2 3\n";     // too few numbers: slot 2 stays open
  text += "@Scores x 1\ngarbage line\n";
  for (int k = 2; k <= 13; ++k) text += entry("e" + std::to_string(k), allHoles(k));
  writeFile("Forest-Path", text);
  for (ScoreSlot& slot : LoadedScores) std::snprintf(slot.name.data(), slot.name.size(), "old");

  loadScoreFile();
  // Lines are read 254 bytes at a time: the name keeps what fits after "@Name ", and the rest
  // of the line is read as a line of its own that matches nothing.
  EXPECT_EQ(std::string(LoadedScores[1].name.data()), std::string(254 - 6, 'q'));
  EXPECT_EQ(LoadedScores[1].strokes[1], 5);
  EXPECT_EQ(std::string(LoadedScores[2].name.data()), "e2");
  EXPECT_EQ(LoadedScores[2].strokes[18], 2);
  // Slots 1..11 come from the file; the entries past the eleventh are not read.
  EXPECT_EQ(std::string(LoadedScores[11].name.data()), "e11");
  for (const ScoreSlot& slot : LoadedScores) {
    EXPECT_NE(std::string(slot.name.data()), "e12");
    EXPECT_NE(std::string(slot.name.data()), "e13");
  }
}

// A write that fails (here the folder does not exist; the configuration file's test fills the
// disk part-way through the same replacing write) says so in one line, and the table is still
// ranked and the game cleared.
TEST_F(ScoreFileTest, AFailedWriteStillCompletesTheMerge) {
  std::snprintf(dataFolder.data(), dataFolder.size(), "%s/", tree.path("missing").c_str());
  setPlayer(0, allHoles(1));
  testing::internal::CaptureStdout();
  loadScoreFile();
  mergeRound();
  std::fflush(stdout);
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_NE(said.find("tov_Forest-Path.scores"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(roundMerged, 1);
  EXPECT_EQ(tableName(1), "ann");
  EXPECT_EQ(scores.strokes[0][1], 0);
}

}  // namespace
