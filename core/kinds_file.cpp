#include "core/kinds_file.h"

#include <cstdio>
#include <cstring>

#include "core/app_state.h"
#include "core/file_replace.h"
#include "play/computer_player.h"

namespace {

constexpr int kLineLength = 64;
static_assert(kMaxPlayers == 4, "the kinds line holds four values");

// "tov.kinds" in the configuration's folder; empty when the game plays without saving.
void kindsPath(std::array<char, kPathLength>& path) {
  path[0] = '\0';
  if (configPath[0] == '\0') return;
  const char* config = configPath.data();
  const char* slash = std::strrchr(config, '/');
  const int folder = slash != nullptr ? static_cast<int>(slash - config) + 1 : 0;
  const int length = std::snprintf(path.data(), path.size(), "%.*stov.kinds", folder, config);
  if (length < 0 || length >= static_cast<int>(path.size())) path[0] = '\0';
}

}  // namespace

bool parseKindsLine(const char* line, std::array<int, 4>& kinds) {
  std::array<int, 4> read{};
  char extra = 0;
  if (std::sscanf(line, "kinds %d %d %d %d %c", &read[0], &read[1], &read[2], &read[3], &extra) != 4) return false;
  for (int kind : read) {
    if (kind < PersonPlayer || kind >= kPlayerKindCount) return false;
  }
  kinds = read;
  return true;
}

void readPlayerKinds() {
  playerKinds.fill(PersonPlayer);
  std::array<char, kPathLength> path{};
  kindsPath(path);
  std::FILE* file = path[0] != '\0' ? std::fopen(path.data(), "r") : nullptr;
  if (file == nullptr) return;
  std::array<char, kLineLength> line{};
  std::array<int, 4> kinds{};
  if (std::fgets(line.data(), static_cast<int>(line.size()), file) != nullptr && parseKindsLine(line.data(), kinds)) {
    playerKinds = kinds;
  }
  std::fclose(file);
}

void writePlayerKinds() {
  std::array<char, kPathLength> path{};
  kindsPath(path);
  if (path[0] == '\0') return;  // no folder for the player's files: playing without saving
  const FileReplace result = replaceFile(path.data(), [](std::FILE* file) {
    std::fprintf(file, "kinds %d %d %d %d\n", playerKinds[0], playerKinds[1], playerKinds[2], playerKinds[3]);
  });
  if (result != FileReplace::Replaced) std::printf("cannot write the players' kinds: %s\n", path.data());
}
