#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/automation.h"
#include "tests/support/scratch_dir.h"

namespace {

class Script : public ::testing::Test {
 protected:
  void SetUp() override { clearScript(); }
  void TearDown() override { clearScript(); }

  bool parse(const char* line) {
    error.fill('\0');
    return parseScriptLine(line, error.data(), static_cast<int>(error.size()));
  }
  std::array<char, 128> error{};
};

// Typed text is one key a character on successive frames.
TEST_F(Script, EachActionIsReadWithItsArgumentsAndCommentsAreSkipped) {
  for (const char* line : {"12 move 320 240", "13 press 3", "14 release 5", "15 key F", "16 hold f3",
                           "17 unhold backspace", "18 screenshot /tmp/a b.png", "19 quit   # comments end a line",
                           "20 resources", "", "   \t\n", "# a whole comment line", "21 type b 1"}) {
    ASSERT_TRUE(parse(line)) << line;
  }
  using K = ScriptActionKind;
  const std::array<K, 12> kinds{K::Move, K::Press, K::Release, K::Key,      K::Hold, K::Unhold,
                                K::Screenshot, K::Quit, K::Resources, K::Key, K::Key, K::Key};
  ASSERT_EQ(scriptActionCount(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(scriptAction(i).frame, 12 + i) << i;
    EXPECT_EQ(scriptAction(i).kind, kinds[i]) << i;
  }
  EXPECT_EQ(scriptAction(0).x, 320);
  EXPECT_EQ(scriptAction(0).y, 240);
  EXPECT_EQ(scriptAction(1).button, 3);
  EXPECT_EQ(scriptAction(2).button, 5);
  EXPECT_EQ(scriptAction(3).key, SDLK_f);  // the key of an upper-case letter is its own
  EXPECT_EQ(scriptAction(3).character, 'F');
  EXPECT_EQ(scriptAction(4).key, SDLK_F3);
  EXPECT_EQ(scriptAction(4).character, 0);
  EXPECT_EQ(scriptAction(5).key, SDLK_BACKSPACE);
  EXPECT_STREQ(screenshotPath(scriptAction(6).screenshot), "/tmp/a b.png");
  EXPECT_EQ(scriptAction(9).character, 'b');
  EXPECT_EQ(scriptAction(10).character, ' ');
  EXPECT_EQ(scriptAction(11).character, '1');
}

TEST_F(Script, MalformedLinesAreRefusedWithAReason) {
  const std::array<const char*, 15> bad{"move 3 4",          "-1 quit",
                                        "4 jump",            "4 move 10",
                                        "4 move 10 20 30",   "4 move -3 4",
                                        "4 press 2",         "4 press",
                                        "4 key",             "4 key f9",
                                        "4 key a b",         "4 type",
                                        "4 screenshot",      "4 quit now",
                                        "4 resources all"};
  for (const char* line : bad) {
    EXPECT_FALSE(parse(line)) << line;
    EXPECT_NE(error[0], '\0') << line;
  }
  EXPECT_EQ(scriptActionCount(), 0);
}

TEST_F(Script, AFileRunsByFrameAndReportsItsFirstBadLine) {
  const ScratchDir scratch;
  const std::string dir = scratch.path();
  const std::string good = dir + "/good.txt";
  ASSERT_TRUE(writeWholeFile(good, "9 quit\n2 key a\n2 key b\n"));
  ASSERT_TRUE(loadScript(good.c_str()));
  ASSERT_EQ(scriptActionCount(), 3);
  EXPECT_EQ(scriptAction(0).character, 'a');  // frame order, file order within a frame
  EXPECT_EQ(scriptAction(1).character, 'b');
  EXPECT_EQ(scriptAction(2).kind, ScriptActionKind::Quit);

  clearScript();
  const std::string bad = dir + "/bad.txt";
  ASSERT_TRUE(writeWholeFile(bad, "# warm up\n1 move 5 5\n2 press 7\n3 quit\n"));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(loadScript(bad.c_str()));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("line 3"), std::string::npos) << said;

  // A line longer than the reader's buffer is refused whole, not read as two lines (here the
  // rest of it would be a comment).
  clearScript();
  const std::string longLine = dir + "/long.txt";
  ASSERT_TRUE(writeWholeFile(longLine, "1 quit" + std::string(kScriptLineLength, ' ') + "# x\n"));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(loadScript(longLine.c_str()));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("line 1: line too long"), std::string::npos);

  testing::internal::CaptureStderr();
  EXPECT_FALSE(loadScript((dir + "/missing.txt").c_str()));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot open"), std::string::npos);
}

TEST_F(Script, RunsOutOfRoomWithAMessageNotAnOverflow) {
  for (int i = 0; i < kMaxScriptActions; ++i) ASSERT_TRUE(parse("1 key a"));
  EXPECT_FALSE(parse("1 key a"));
  EXPECT_STREQ(error.data(), "too many actions");
  clearScript();
  for (int i = 0; i < kMaxScreenshots; ++i) ASSERT_TRUE(parse("1 screenshot x.png"));
  EXPECT_FALSE(parse("1 screenshot x.png"));
  // Typed text whose last character would fall past the largest frame number.
  clearScript();
  EXPECT_FALSE(parse("9223372036854775807 type ab"));
  EXPECT_STREQ(error.data(), "frame too large");
  EXPECT_EQ(scriptActionCount(), 0);
  ASSERT_TRUE(parse("9223372036854775805 type ab"));
  EXPECT_EQ(scriptAction(1).frame, 9223372036854775806L);
}

TEST(CommandLine, ReadsEachOptionAndRefusesTheRest) {
  automation = AutomationOptions{};
  std::array<const char*, 9> args{"quillmoor", "--frames", "60",        "--fixed-step", "16",
                                  "--seed",    "7",        "--script",  "run.txt"};
  ASSERT_TRUE(parseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data())));
  EXPECT_EQ(automation.frameLimit, 60);
  EXPECT_EQ(automation.fixedStepMs, 16);
  EXPECT_TRUE(automation.seedGiven);
  EXPECT_EQ(automation.seed, 7u);
  EXPECT_STREQ(automation.scriptPath.data(), "run.txt");

  const std::array<std::array<const char*, 3>, 5> bad{{{"quillmoor", "--frames", "0"},
                                                       {"quillmoor", "--frames", "12x"},
                                                       {"quillmoor", "--fixed-step", "-4"},
                                                       {"quillmoor", "--speed", "2"},
                                                       {"quillmoor", "--seed", ""}}};
  testing::internal::CaptureStderr();
  for (const auto& line : bad) {
    EXPECT_FALSE(parseCommandLine(3, const_cast<char**>(line.data()))) << line[1] << line[2];
  }
  std::array<const char*, 2> missing{"quillmoor", "--script"};
  EXPECT_FALSE(parseCommandLine(2, const_cast<char**>(missing.data())));
  testing::internal::GetCapturedStderr();
  automation = AutomationOptions{};
}

}  // namespace
