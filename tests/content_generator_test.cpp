// The content generator is deterministic: run again into a fresh folder it writes the same bytes
// as the tree the build made, and it leaves alone the files the game itself writes into the tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

int runGenerator(const ScratchDir& out, const std::string& groups) {
  const std::string cmd = "\"" QUILLMOOR_BINARY_DIR "/tools/contentgen/contentgen\" \"" + out.path() +
                          "\" \"" QUILLMOOR_SOURCE_DIR "/content\" " + groups + " > /dev/null 2>&1";
  return std::system(cmd.c_str());
}

TEST(ContentGenerator, SecondRunWritesTheSameBytesAsTheBuild) {
  const ScratchDir out;
  // Every group but the slow music, plus one music track.
  ASSERT_EQ(runGenerator(out, "glyphs menu icons portraits effects models sounds music:world4"), 0);
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out.root())) {
    if (!entry.is_regular_file()) continue;
    const fs::path built = fs::path(QUILLMOOR_BINARY_DIR "/data") / fs::relative(entry.path(), out.root());
    SCOPED_TRACE(built.string());
    ASSERT_TRUE(fs::exists(built)) << "the build's tree lacks it";
    EXPECT_TRUE(readWholeFile(entry.path().string()) == readWholeFile(built.string())) << "bytes differ";
    ++compared;
  }
  EXPECT_GT(compared, 150);
}

TEST(ContentGenerator, RegeneratingKeepsThePlayersSettingsAndScoresAndAnUnknownGroupFails) {
  const ScratchDir out;
  out.write("tov.pref", "Sound 7\nMusic 3\n");
  out.write("levels/scores", "@Name\tbob\n");
  ASSERT_EQ(runGenerator(out, "glyphs sounds"), 0);
  EXPECT_EQ(out.read("tov.pref"), "Sound 7\nMusic 3\n");
  EXPECT_EQ(out.read("levels/scores"), "@Name\tbob\n");
  EXPECT_TRUE(fs::exists(out.path("lettre/a.tga")));
  EXPECT_NE(runGenerator(out, "no-such-group"), 0) << "an unknown group fails loudly";
}

}  // namespace
