#include "tests/support/game_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/private_display.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGeneratedData = fs::path(QUILLMOOR_BINARY_DIR) / "data";

}  // namespace

GameScript& GameScript::at(long frame, const std::string& action) {
  text_ << frame << " " << action << "\n";
  return *this;
}

GameScript& GameScript::click(long frame, int x, int y) {
  at(frame, "move " + std::to_string(x) + " " + std::to_string(y));
  at(frame + 1, "press 1");
  return at(frame + 2, "release 1");
}

std::string fairwayHole(int cupX) {
  std::ostringstream map;
  map << "Vorpelgames map data\n\n";
  for (int z = 0; z <= 25; ++z) {
    for (int x = 0; x < 25; ++x) {
      const bool land = x >= 3 && x <= cupX + 2 && z >= 9 && z <= 15;
      const bool start = x == 5 && z == 12;
      const int marker = start ? 0 : (x == cupX && z == 12) ? 1 : -1;
      map << "@I " << marker << "\n@Ir " << (start ? 90 : 0) << "\n@Ih 0.000000\n@O -1\n@Or 0\n"
          << "@Oh -1.000000\n@r 0\n@t " << (land ? 1 : 0) << "\n@x " << (land ? "1.000000" : "-1.000000") << "\n";
    }
    map << "@y 0000\n";
  }
  map << "@Pa 2\n";
  return map.str();
}

bool haveGeneratedData() {
  const bool present = fs::is_directory(kGeneratedData / "levels");
  EXPECT_TRUE(present) << "the generated data tree is missing: run scripts/build.sh";
  return present;
}

GameFolder::GameFolder(Data data) {
  fs::create_directories(dir_.root() / "data");
  if (data == Data::Empty) return;
  for (const auto& entry : fs::directory_iterator(kGeneratedData)) {
    const fs::path name = entry.path().filename();
    if (!entry.is_directory() || (data == Data::WithoutWorlds && name == "levels")) continue;
    fs::create_directory_symlink(entry.path(), dir_.root() / "data" / name);
  }
  write("data/tov.pref", "Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\n");
}

void GameFolder::ownCopy(const std::string& relativeToData) const {
  const fs::path data = dir_.root() / "data";
  fs::path folder = data;
  // Each linked folder on the way becomes a real one holding links to what the link held.
  for (const fs::path& part : fs::path(relativeToData).parent_path()) {
    folder /= part;
    if (!fs::is_symlink(folder)) continue;
    const fs::path target = fs::read_symlink(folder);
    fs::remove(folder);
    fs::create_directory(folder);
    for (const auto& entry : fs::directory_iterator(target)) {
      const fs::path link = folder / entry.path().filename();
      if (entry.is_directory()) {
        fs::create_directory_symlink(entry.path(), link);
      } else {
        fs::create_symlink(entry.path(), link);
      }
    }
  }
  const fs::path file = data / relativeToData;
  if (!fs::is_symlink(file)) return;
  const fs::path target = fs::read_symlink(file);
  fs::remove(file);
  fs::copy_file(target, file);
}

GameRun GameFolder::run(const GameScript& script, long frames, int stepMs, unsigned seed) const {
  std::string arguments = "--fixed-step " + std::to_string(stepMs) + " --seed " +
                          std::to_string(seed) + " --frames " + std::to_string(frames);
  const std::string text = script.text();
  if (!text.empty()) {
    write("script.txt", text);
    arguments += " --script script.txt";
  }
  return runWith(arguments);
}

GameRun GameFolder::runWith(const std::string& arguments, const std::string& environment) const {
  // A server of the run's own: on a shared one, windows of tests running beside it send the
  // game pointer events that move its pointer away from where the script put it.
  const PrivateDisplay display;
  EXPECT_FALSE(display.name().empty()) << "Xvfb did not start";
  const std::string command = "cd '" + path() + "' && DISPLAY=" + display.name() +
                              " ALSOFT_DRIVERS=null " + environment + " '" QUILLMOOR_GAME_BINARY
                              "' " + arguments + " > out.txt 2>&1";
  const int raw = std::system(command.c_str());
  GameRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = read("out.txt");
  return run;
}
