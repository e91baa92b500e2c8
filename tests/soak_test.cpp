// Course starts one after another in the real game: from the title through the player set-up
// and the course selection into the first hole, on to the second through the pause menu, out to
// the high scores and back to the title. Each time play has begun the game prints the handles it
// holds (the script's "resources" action): GL textures and display lists, OpenAL buffers and
// sources must be exactly as many after every start as after the first. Resident memory is left
// to tools/bench/memory_soak.sh: the libraries fill caches over the first rounds.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "tests/support/game_run.h"

namespace {

constexpr int kCourseStarts = 6;

struct Report {
  int screen = 0;
  int textures = 0;
  int displayLists = 0;
  int soundBuffers = 0;
  int soundSources = 0;
};

std::vector<Report> readReports(const std::string& out) {
  std::vector<Report> reports;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    Report r;
    if (std::sscanf(line.c_str(),
                    "resources: frame %*d screen %d resident %*d KiB heap %*d KiB textures %d "
                    "display-lists %d sound-buffers %d sound-sources %d",
                    &r.screen, &r.textures, &r.displayLists, &r.soundBuffers, &r.soundSources) == 5) {
      reports.push_back(r);
    }
  }
  return reports;
}

// One round at 10 frames a second from the title back to it; returns the frame after it.
long round(GameScript& s, long f) {
  s.clickPlay(f).clickContinue(f + 12).clickContinue(f + 24);
  s.at(f + 44, "resources").at(f + 45, "key escape").clickNextHole(f + 48);
  s.at(f + 54, "key escape").clickQuitCourse(f + 58);
  s.clickContinue(f + 76);  // back, from the high scores
  return f + 88;
}

TEST(Soak, CourseStartsHoldExactlyTheHandlesOfTheFirst) {
  ASSERT_TRUE(haveGeneratedData());
  const GameFolder game;
  GameScript script;
  long frame = 35;
  for (int i = 0; i < kCourseStarts; ++i) frame = round(script, frame);
  script.at(frame, "resources");
  const GameRun run = game.run(script, frame + 2);
  ASSERT_EQ(run.status, 0) << run.out;

  const std::vector<Report> reports = readReports(run.out);
  ASSERT_EQ(reports.size(), static_cast<size_t>(kCourseStarts + 1)) << run.out;
  const Report& first = reports[0];
  EXPECT_GT(first.textures, 0);
  EXPECT_GT(first.displayLists, 0);
  EXPECT_GT(first.soundBuffers, 0);
  EXPECT_GT(first.soundSources, 0) << "ALSOFT_DRIVERS=null still opens a device";
  for (int i = 0; i < kCourseStarts; ++i) {
    const Report& r = reports[i];
    ASSERT_EQ(r.screen, Playing) << "round " << i + 1 << " did not reach the hole\n" << run.out;
    EXPECT_EQ(r.textures, first.textures) << "round " << i + 1;
    EXPECT_EQ(r.displayLists, first.displayLists) << "round " << i + 1;
    EXPECT_EQ(r.soundBuffers, first.soundBuffers) << "round " << i + 1;
    EXPECT_EQ(r.soundSources, first.soundSources) << "round " << i + 1;
  }
  EXPECT_EQ(reports.back().screen, TitleMenu) << "the last round did not come back to the title";
}

}  // namespace
