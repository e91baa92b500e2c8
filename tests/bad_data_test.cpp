// The real game over the built data tree with files of one kind spoiled: one missing and one
// cut short. Through the title, the player set-up and the course selection into the first hole,
// on to the second, and out through the pause menu to the high scores: it must never crash or
// stop early, a missing image or model gives its loader's line each time it is asked for, and
// the game goes on to rank the course in its score file.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/private_display.h"
#include "tests/support/scratch_dir.h"

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
    {"image", "lettre/a.tga", "lettre/b.tga", "texture not found: "},
    {"model", "object/ball.obj", "object/trou.obj", "OBJ file not found : "},
    {"sound", "sounds/tir.wav", "sounds/boom.wav", nullptr},
    {"music", "music/title.ogg", "music/world5.ogg", nullptr},
    {"configuration", "no-such-file", "tov.pref", nullptr},
    {"world", "levels/level1.vorpel", "levels/level5.vorpel", nullptr},
    {"hole map", "levels/1-Lantern-Garden.map", "levels/2-Lantern-Garden.map", nullptr},
    {"score file", "tov_Lantern-Garden.scores", "tov_Bramble-Meadow.scores", nullptr},
};

constexpr size_t kKeptBytes = 40;  // past a file's first header fields, short of its data

// Window 640 x 480 at 10 frames a second: "play" on the title, "continue" and "start the game"
// at the bottom, then in the pause menu "next hole" and "quit the course".
constexpr const char* kScript =
    "33 screenshot title.png\n"
    "35 move 130 230\n36 press 1\n37 release 1\n"
    "50 move 320 440\n51 press 1\n52 release 1\n"
    "65 move 320 440\n66 press 1\n67 release 1\n"
    "89 screenshot hole1.png\n"
    "90 key escape\n"
    "96 move 320 260\n97 press 1\n98 release 1\n"
    "110 screenshot hole2.png\n"
    "111 key escape\n"
    "117 move 320 225\n118 press 1\n119 release 1\n"
    "144 screenshot scores.png\n";
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

// A data tree of links to the built one, with real copies where a file is to be spoiled.
void linkDataTree(const fs::path& from, const fs::path& to) {
  for (const auto& entry : fs::recursive_directory_iterator(from)) {
    const fs::path target = to / fs::relative(entry.path(), from);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else {
      fs::create_symlink(entry.path(), target);
    }
  }
}

void cutShort(const fs::path& file) {
  const std::string head = readWholeFile(file.string()).substr(0, kKeptBytes);
  fs::remove(file);
  ASSERT_TRUE(writeWholeFile(file.string(), head));
}

std::vector<std::string> linesNaming(const std::string& text, const std::string& name) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    if (line.find(name) != std::string::npos) lines.push_back(line);
    start = end + 1;
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
  const fs::path built = fs::path(QUILLMOOR_BINARY_DIR) / "data";
  ASSERT_TRUE(fs::exists(built / "levels/level5.vorpel")) << "needs the generated data tree";
  const PrivateDisplay display;
  ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
  for (const Spoiled& spoiled : kSpoiled) {
    SCOPED_TRACE(spoiled.kind);
    const std::string dir = makeScratchDir(std::string("bad-data-") + spoiled.kind);
    const fs::path data = fs::path(dir) / "data";
    linkDataTree(built, data);
    ASSERT_TRUE(writeWholeFile((data / "tov.pref").string(),
                               "Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\n"));
    ASSERT_TRUE(writeWholeFile((data / "tov_Lantern-Garden.scores").string(), scoreFile()));
    ASSERT_TRUE(writeWholeFile((data / "tov_Bramble-Meadow.scores").string(), scoreFile()));
    fs::remove(data / spoiled.missing);
    cutShort(data / spoiled.truncated);
    ASSERT_TRUE(writeWholeFile(dir + "/script.txt", kScript));
    const fs::file_time_type started = fs::file_time_type::clock::now();

    const std::string command = "cd '" + dir + "' && DISPLAY=" + display.name() + " '" +
                                QUILLMOOR_GAME_BINARY "' --frames " +
                                std::to_string(kFrames) +
                                " --fixed-step 100 --seed 1 --script script.txt > out.txt 2>&1";
    const int raw = std::system(command.c_str());
    const std::string out = readWholeFile(dir + "/out.txt");
    ASSERT_TRUE(WIFEXITED(raw)) << out;
    EXPECT_EQ(WEXITSTATUS(raw), 0) << out;
    for (const char* shot : {"title.png", "hole1.png", "hole2.png", "scores.png"}) {
      EXPECT_TRUE(fs::exists(dir + "/" + shot)) << "the game stopped before " << shot << "\n" << out;
    }
    EXPECT_TRUE(aScoreFileWasWrittenSince(data, started)) << "the course was not ranked\n" << out;
    if (spoiled.report != nullptr) {
      // Asked for again at every reload of the interface, it is reported each time in one line.
      const std::vector<std::string> lines = linesNaming(out, spoiled.missing);
      EXPECT_FALSE(lines.empty()) << out;
      for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind(spoiled.report, 0), 0u) << line;
        EXPECT_EQ(line.substr(line.size() - std::string(spoiled.missing).size()), spoiled.missing) << line;
      }
    }
    if (!HasFailure()) fs::remove_all(dir);
  }
}

}  // namespace
