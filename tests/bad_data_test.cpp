// The real game over the built data tree with files of one kind spoiled: one missing and one
// cut short. It must never crash or stop early; a missing image or model gives its one line.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

struct Spoiled {
  const char* kind;
  const char* missing;    // relative to the data tree; removed
  const char* truncated;  // relative to the data tree; cut to its first bytes
  bool missingIsReported; // images and models name what they could not find
};

// Files the game reads from start-up to the title menu, one kind at a time.
const std::vector<Spoiled> kSpoiled{
    {"image", "lettre/a.tga", "lettre/b.tga", true},
    {"model", "object/ball.obj", "object/trou.obj", true},
    {"sound", "sounds/tir.wav", "sounds/boom.wav", false},
    {"music", "music/title.ogg", "music/score.ogg", false},
    {"configuration", "no-such-file", "tov.pref", false},
};

constexpr size_t kKeptBytes = 40;  // past a file's first header fields, short of its data

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

int countLinesNaming(const std::string& text, const std::string& name) {
  int count = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (text.substr(start, end - start).find(name) != std::string::npos) ++count;
    start = end + 1;
  }
  return count;
}

TEST(BadData, EachKindOfSpoiledFileLeavesTheGameRunning) {
  const fs::path built = fs::path(QUILLMOOR_BINARY_DIR) / "data";
  ASSERT_TRUE(fs::exists(built / "lettre/a.tga")) << "needs the generated data tree";
  ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run the tests under xvfb-run";
  for (const Spoiled& spoiled : kSpoiled) {
    SCOPED_TRACE(spoiled.kind);
    const std::string dir = makeScratchDir(std::string("bad-data-") + spoiled.kind);
    linkDataTree(built, fs::path(dir) / "data");
    const fs::path data = fs::path(dir) / "data";
    fs::remove(data / "tov.pref");
    ASSERT_TRUE(writeWholeFile((data / "tov.pref").string(),
                               "Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\n"));
    fs::remove(data / spoiled.missing);
    cutShort(data / spoiled.truncated);
    ASSERT_TRUE(writeWholeFile(dir + "/script.txt", "100 screenshot shot.png\n"));

    const std::string command = "cd '" + dir + "' && '" QUILLMOOR_GAME_BINARY
                                "' --frames 110 --fixed-step 16 --seed 1 --script script.txt"
                                " > out.txt 2>&1";
    const int raw = std::system(command.c_str());
    const std::string out = readWholeFile(dir + "/out.txt");
    ASSERT_TRUE(WIFEXITED(raw)) << out;
    EXPECT_EQ(WEXITSTATUS(raw), 0) << out;
    EXPECT_TRUE(fs::exists(dir + "/shot.png")) << "the game stopped before the title\n" << out;
    if (spoiled.missingIsReported) {
      EXPECT_EQ(countLinesNaming(out, spoiled.missing), 1) << out;
    }
    fs::remove_all(dir);
  }
}

}  // namespace
