// Values a file, or any other path, may set out of range are safe where they are used: the turn
// passes round the slots that exist, and a short score file of one world never carries the
// entries of another.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "play/turn_flow.h"
#include "tests/support/play_hole.h"
#include "tests/support/scratch_dir.h"
#include "ui/score_file.h"

namespace {

TEST(ConfiguredValues, TurnsPassWithinTheTablesWhateverThePlayerCountWasSetTo) {
  buildFlatHole();
  for (const auto& [count, order] : {std::pair{0, std::array{0, 0, 0, 0, 0}}, {-3, {0, 0, 0, 0, 0}},
                                     {7, {1, 2, 3, 0, 1}}, {INT_MAX, {1, 2, 3, 0, 1}}}) {
    players.playerCount = count;
    players.currentPlayer = 0;
    for (int turn : order) {
      endStroke();
      EXPECT_EQ(players.currentPlayer, turn) << "count " << count;
    }
  }
}

TEST(ConfiguredValues, AShortScoreFileOfOneWorldHoldsNothingOfTheWorldReadBefore) {
  ScratchDir tree;
  const CourseCatalogue saved = catalogue;
  std::snprintf(dataFolder.data(), dataFolder.size(), "%s/", tree.path("data").c_str());
  catalogue = CourseCatalogue{};
  catalogue.worldCount = 2;
  std::snprintf(catalogue.worldNames[0].data(), kCatalogueTextLength, "alpha");
  std::snprintf(catalogue.worldNames[1].data(), kCatalogueTextLength, "beta");
  for (int h = 1; h <= kHolesPerCourse; ++h) catalogue.holePars[0][h] = catalogue.holePars[1][h] = 3;
  const std::string row = "@Scores\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\t1\n";
  std::string alpha, beta;
  for (int k = 1; k <= 7; ++k) alpha += "@Name\talpha" + std::to_string(k) + "\n" + row;
  const std::string fours = "@Scores 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4\n";
  for (int k = 1; k <= 3; ++k) beta += "@Name beta" + std::to_string(k) + "\n" + fours;
  tree.write("data/tov_alpha.scores", alpha);
  tree.write("data/tov_beta.scores", beta);
  scores = ScoreTable{};
  catalogue.currentWorld = 0;
  loadScoreFile();
  mergeRound();
  catalogue.currentWorld = 1;
  loadScoreFile();
  mergeRound();
  const std::string written = tree.read("data/tov_beta.scores");
  dataFolder[0] = '\0';
  catalogue = saved;
  EXPECT_EQ(written.find("alpha"), std::string::npos) << written;
  EXPECT_EQ(written.find(row), std::string::npos) << written;
  EXPECT_NE(written.find("beta3"), std::string::npos) << written;
  EXPECT_NE(written.find("carry"), std::string::npos) << "the entries it lacks are this world's defaults";
}

}  // namespace
