// A long scripted run of the real game: fifty-one times from the title through the player set-up
// and the course selection into the first hole, on to the second through the pause menu, out to
// the high scores and back to the title. Each time play has begun the game prints what it holds
// (the script's "resources" action): the GL textures and display lists and the OpenAL buffers and
// sources must be as many after the last start as after the first, and the resident memory
// within 5 MiB of what it was after the first start that followed a whole round. The game itself
// allocates nothing as it goes; the first rounds are when the libraries fill their caches (the
// software renderer compiles its shaders for each new combination of GL state the first time
// it draws one), a few MiB that then stay for the run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "tests/support/private_display.h"
#include "tests/support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCourseStarts = 51;  // the first a round of warming up
constexpr long kResidentSlackKib = 5 * 1024;

struct Report {
  long frame = 0;
  int screen = 0;
  long residentKib = 0;
  long heapKib = 0;
  int textures = 0;
  int displayLists = 0;
  int soundBuffers = 0;
  int soundSources = 0;
};

std::vector<Report> readReports(const std::string& out) {
  std::vector<Report> reports;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    Report r;
    if (std::sscanf(line.c_str(),
                    "resources: frame %ld screen %d resident %ld KiB heap %ld KiB textures %d "
                    "display-lists %d sound-buffers %d sound-sources %d",
                    &r.frame, &r.screen, &r.residentKib, &r.heapKib, &r.textures,
                    &r.displayLists, &r.soundBuffers, &r.soundSources) == 8) {
      reports.push_back(r);
    }
  }
  return reports;
}

// The script at 10 frames a second in a 640 x 480 window; a course start takes two seconds of
// transition and loading before play.
class Script {
 public:
  void at(int frame, const std::string& action) { text_ << frame << " " << action << "\n"; }
  void click(int frame, int x, int y) {
    at(frame, "move " + std::to_string(x) + " " + std::to_string(y));
    at(frame + 1, "press 1");
    at(frame + 2, "release 1");
  }
  // One round from the title back to it; returns the frame after it.
  int round(int f) {
    click(f, 130, 230);  // play
    click(f + 12, 320, 440);  // continue
    click(f + 24, 320, 440);  // start the game
    at(f + 44, "resources");
    at(f + 45, "key escape");
    click(f + 48, 320, 260);  // next hole
    at(f + 54, "key escape");
    click(f + 58, 320, 225);  // quit the course
    click(f + 76, 320, 440);  // back, from the high scores
    return f + 88;
  }
  std::string text() const { return text_.str(); }

 private:
  std::ostringstream text_;
};

TEST(Soak, FiftyCourseStartsHoldNoMoreThanTheFirstOnes) {
  const fs::path built = fs::path(QUILLMOOR_BINARY_DIR) / "data";
  ASSERT_TRUE(fs::exists(built / "levels")) << "needs the generated data tree";
  const PrivateDisplay display;
  ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
  const std::string dir = makeScratchDir("soak");
  fs::create_directories(dir + "/data");
  for (const auto& entry : fs::directory_iterator(built)) {
    if (entry.is_directory()) fs::create_directory_symlink(entry.path(), dir + "/data/" + entry.path().filename().string());
  }
  ASSERT_TRUE(writeWholeFile(dir + "/data/tov.pref",
                             "Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\n"));
  Script script;
  int frame = 35;
  for (int i = 0; i < kCourseStarts; ++i) frame = script.round(frame);
  script.at(frame, "resources");
  ASSERT_TRUE(writeWholeFile(dir + "/script.txt", script.text()));

  const std::string command = "cd '" + dir + "' && DISPLAY=" + display.name() +
                              " '" QUILLMOOR_GAME_BINARY "' --frames " +
                              std::to_string(frame + 2) +
                              " --fixed-step 100 --seed 1 --script script.txt > out.txt 2>&1";
  const int raw = std::system(command.c_str());
  const std::string out = readWholeFile(dir + "/out.txt");
  ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << out;

  const std::vector<Report> reports = readReports(out);
  ASSERT_EQ(reports.size(), static_cast<size_t>(kCourseStarts + 1)) << out;
  for (int i = 0; i < kCourseStarts; ++i) {
    ASSERT_EQ(reports[i].screen, Playing) << "round " << i + 1 << " did not reach the hole\n" << out;
  }
  EXPECT_EQ(reports.back().screen, TitleMenu) << "the last round did not come back to the title";
  const Report& first = reports[0];
  const Report& warm = reports[1];
  const Report& last = reports[kCourseStarts - 1];
  EXPECT_EQ(last.textures, first.textures);
  EXPECT_EQ(last.displayLists, first.displayLists);
  EXPECT_EQ(last.soundBuffers, first.soundBuffers);
  EXPECT_EQ(last.soundSources, first.soundSources);
  EXPECT_GT(first.textures, 0);
  EXPECT_GT(first.soundSources, 0) << "ALSOFT_DRIVERS=null still opens a device";
  EXPECT_LE(last.residentKib - warm.residentKib, kResidentSlackKib)
      << "resident " << warm.residentKib << " KiB after the second start, " << last.residentKib
      << " KiB after the last";
  std::printf("soak: %d course starts; resident %ld, %ld and %ld KiB after the first, second and "
              "last; heap in use %ld, %ld and %ld KiB; textures %d, display lists %d, sound "
              "buffers %d, sound sources %d\n",
              kCourseStarts, first.residentKib, warm.residentKib, last.residentKib, first.heapKib,
              warm.heapKib, last.heapKib, last.textures, last.displayLists, last.soundBuffers,
              last.soundSources);
  if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
