// A world's score file as the high-score screen uses it: read, the last game ranked into it, the
// best seven written back and read once more.
#include <cstdio>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "fuzz/fuzz_input.h"
#include "play/play_state.h"
#include "ui/score_file.h"

namespace {

// One world whose holes are all par 3, and four named players of a game that was never played.
void setUpWorld() {
  catalogue = CourseCatalogue{};
  catalogue.worldCount = 1;
  catalogue.currentWorld = 0;
  std::snprintf(catalogue.worldNames[0].data(), catalogue.worldNames[0].size(), "%s", "fuzz");
  for (int h = 1; h <= kHolesPerCourse; ++h) catalogue.holePars[0][h] = 3;
  std::snprintf(dataFolder.data(), dataFolder.size(), "%s", "./data/");
  scores = ScoreTable{};
  players = PlayerTable{};
  for (int p = 0; p < kMaxPlayers; ++p) {
    std::snprintf(players.name[p].data(), players.name[p].size(), "player%d", p + 1);
  }
  LoadedScores = ScoreBoard{};
  HighScoreTable = ScoreBoard{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  writeFuzzInput("data/tov_fuzz.scores", data, size);
  setUpWorld();
  loadScoreFile();
  mergeRound();
  loadScoreFile();
  return 0;
}
