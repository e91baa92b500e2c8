// The content generator is deterministic: run again into a fresh folder it
// writes the same bytes as the tree the build made, and it leaves alone the
// files the game itself writes into the tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kGenerator = std::string(QUILLMOOR_BINARY_DIR) + "/tools/contentgen/contentgen";
const std::string kContent = std::string(QUILLMOOR_SOURCE_DIR) + "/content";
const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data";

std::string slurp(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int runGenerator(const fs::path &out, const std::string &groups)
{
    const std::string cmd = "\"" + kGenerator + "\" \"" + out.string() + "\" \"" + kContent + "\" " + groups + " > \"" +
                            out.string() + ".log\" 2>&1";
    return std::system(cmd.c_str());
}

fs::path freshFolder(const char *name)
{
    const fs::path dir = fs::temp_directory_path() / (std::string("quillmoor-") + name + "-" +
                                                      std::to_string(static_cast<long>(::getpid())));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

}  // namespace

TEST(ContentGenerator, SecondRunWritesTheSameBytesAsTheBuild)
{
    const fs::path out = freshFolder("regen");
    // Every group but the slow music, plus one music track.
    ASSERT_EQ(runGenerator(out, "glyphs menu icons portraits effects models sounds music:world4"), 0);
    int compared = 0;
    for (const auto &entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), out);
        SCOPED_TRACE(relative.string());
        const fs::path built = fs::path(kData) / relative;
        ASSERT_TRUE(fs::exists(built)) << "the build's tree lacks it";
        EXPECT_TRUE(slurp(entry.path()) == slurp(built)) << "bytes differ between runs";
        ++compared;
    }
    EXPECT_GT(compared, 150);
    fs::remove_all(out);
}

TEST(ContentGenerator, RegeneratingKeepsThePlayersSettingsAndScoresAndAnUnknownGroupFails)
{
    const fs::path out = freshFolder("keep");
    fs::create_directories(out / "levels");
    const std::string settings = "Sound 7\nMusic 3\n";
    std::ofstream(out / "tov.pref") << settings;
    std::ofstream(out / "levels" / "scores") << "@Name\tbob\n";
    ASSERT_EQ(runGenerator(out, "glyphs sounds"), 0);
    EXPECT_EQ(slurp(out / "tov.pref"), settings);
    EXPECT_EQ(slurp(out / "levels" / "scores"), "@Name\tbob\n");
    EXPECT_TRUE(fs::exists(out / "lettre" / "a.tga"));
    EXPECT_NE(runGenerator(out, "no-such-group"), 0) << "an unknown group fails loudly";
    fs::remove_all(out);
}
