// The real game, run from a folder whose ./data is the generated tree,
// through the loading screen, the title menu, the options, the player set-up
// and the course selection: no image or model it asks for may be missing.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(QUILLMOOR_BINARY_DIR) / "data";

std::string slurp(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A play folder whose data/ links every generated folder, so that the files
// the game writes itself (settings, scores) stay in the play folder.
fs::path playFolder()
{
    const fs::path dir = fs::temp_directory_path() / ("quillmoor-menus-" + std::to_string(static_cast<long>(getpid())));
    fs::remove_all(dir);
    fs::create_directories(dir / "data");
    for (const auto &entry : fs::directory_iterator(kData))
        if (entry.is_directory()) fs::create_directory_symlink(entry.path(), dir / "data" / entry.path().filename());
    return dir;
}

// Window 640 x 480: the title items are centred on x = 130; "play" lies at
// y 230 and "options" at 350; "continue" and "start the game" 40 above the
// bottom edge.
const char *const kScript =
    "60 screenshot title.png\n"
    "70 move 130 350\n75 press 1\n76 release 1\n"
    "140 screenshot options.png\n"
    "150 key escape\n"
    "200 move 130 230\n205 press 1\n206 release 1\n"
    "280 screenshot players.png\n"
    "290 move 320 440\n295 press 1\n296 release 1\n"
    "380 screenshot courses.png\n"
    "390 quit\n";

}  // namespace

TEST(ContentMenuRun, MenusFindEveryImageAndModelTheyAskFor)
{
    const fs::path dir = playFolder();
    std::ofstream(dir / "menus.script") << kScript;
    const std::string command = "cd '" + dir.string() + "' && SDL12COMPAT_OPENGL_SCALING=0 ALSOFT_DRIVERS=null '" +
                                QUILLMOOR_GAME_BINARY +
                                "' --frames 400 --fixed-step 33 --seed 3 --script menus.script > out.txt 2>&1";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    const std::string out = slurp(dir / "out.txt");
    std::istringstream lines(out);
    std::string line;
    int missing = 0;
    while (std::getline(lines, line))
        if (line.find("texture not found") != std::string::npos || line.find("OBJ file not found") != std::string::npos) {
            ADD_FAILURE() << line;
            ++missing;
        }
    EXPECT_EQ(missing, 0);
    EXPECT_TRUE(fs::exists(dir / "title.png")) << out;
    fs::remove_all(dir);
}
