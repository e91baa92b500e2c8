#include "core/config_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/app_state.h"
#include "core/file_replace.h"
#include "core/video_modes.h"
#include "play/play_state.h"
#include "ui/localised_strings.h"
#include "ui/options_screen.h"
#include "ui/player_setup.h"

namespace {

constexpr int kLineLength = 255;
constexpr std::array<const char*, kMaxPlayers> kDefaultNames{"spwimy", "muck", "ines", "bibu"};
constexpr int kDefaultWidth = 800;
constexpr int kSmallestWidth = 640;   // the smallest mode the game lists or makes
constexpr int kSmallestHeight = 480;
// The largest side the mode list can hold (its largest key); larger sizes are no window.
constexpr int kLargestUnlistedSide = kMaxModeKey / 1000;

// A key followed by a number: the value is stored as an int, truncated toward zero.
struct NumberKey {
  const char* pattern;
  int* value;
};

// Rebuilt on every read because the name and icon targets live in the player table.
std::array<NumberKey, 14> numberKeys() {
  return {{{"Sreenwidth %f", &screenWidth},
           {"Sreenheight %f", &screenHeight},
           {"Fullscreen %f", &fullscreen},
           {"Screendepth %f", &screenDepth},
           {"Screenhrz %f", &screenRefresh},
           {"MusicVolume %f", &musicVolume},
           {"SoundVolume %f", &soundVolume},
           {"Gamedetail %f", &detailLevel},
           {"playericonA %f", &players.icon[0]},
           {"playericonB %f", &players.icon[1]},
           {"playericonC %f", &players.icon[2]},
           {"playericonD %f", &players.icon[3]},
           {"numberofplayer %f", &players.playerCount},
           {"BlaBla %f", &language}}};
}

// The name patterns read one word of at most kPlayerNameLength - 1 characters; a longer
// word is cut to fit its buffer.
#define QM_NAME_WIDTH "39"
static_assert(kPlayerNameLength == 40, "the scan width below must match the name buffer");
constexpr std::array<const char*, kMaxPlayers> kNamePatterns{
    "playerNameA %" QM_NAME_WIDTH "s", "playerNameB %" QM_NAME_WIDTH "s",
    "playerNameC %" QM_NAME_WIDTH "s", "playerNameD %" QM_NAME_WIDTH "s"};
#undef QM_NAME_WIDTH

// Truncates toward zero; values beyond the int range stop at its ends and "nan" is refused,
// so that no conversion is undefined. The ends are then brought into range like any value.
bool truncateToInt(float value, int* out) {
  if (std::isnan(value)) return false;
  constexpr float kIntEnd = 2147483520.0f;  // the largest float below 2^31
  *out = static_cast<int>(std::clamp(value, -kIntEnd, kIntEnd));
  return true;
}

// The largest side of the listed modes, for a size past what the mode list can hold.
int largestListedSide(bool width) {
  int largest = videoModeLast >= 0 ? 0 : kLargestUnlistedSide;
  for (int i = 0; i <= videoModeLast; ++i) {
    largest = std::max(largest, width ? videoModes[i].width : videoModes[i].height);
  }
  return largest;
}

// A window side below the smallest mode becomes the smallest; one larger than any mode the list
// can hold becomes the largest listed; anything between is a window size of its own and stays.
int fitSide(int side, int smallest, bool width) {
  if (side < smallest) return smallest;
  if (side > kLargestUnlistedSide) return std::max(smallest, largestListedSide(width));
  return side;
}

// Depth and refresh only say which listed mode of the window's size is meant: a pair that no
// listed mode of that size has becomes that of the last one of the size.
void fitDepthAndRefresh() {
  int sameSize = -1;
  for (int i = 0; i <= videoModeLast; ++i) {
    const VideoMode& m = videoModes[i];
    if (m.width != screenWidth || m.height != screenHeight) continue;
    if (m.depth == screenDepth && m.refresh == screenRefresh) return;
    sameSize = i;
  }
  if (sameSize < 0) return;
  screenDepth = videoModes[sameSize].depth;
  screenRefresh = videoModes[sameSize].refresh;
}

// Every value a hand-edited file (or one from another version) may hold out of range is
// brought to the nearest value the screens offer, so that nothing indexes past a table or
// opens a window that cannot exist. Values already in range stay as they are.
void bringIntoRange() {
  screenWidth = fitSide(screenWidth, kSmallestWidth, true);
  screenHeight = fitSide(screenHeight, kSmallestHeight, false);
  fitDepthAndRefresh();
  fullscreen = std::clamp(fullscreen, 0, 1);
  musicVolume = std::clamp(musicVolume, 0, kMaxVolume);
  soundVolume = std::clamp(soundVolume, 0, kMaxVolume);
  detailLevel = std::clamp(detailLevel, 0, kDetailLevels - 1);
  for (int& icon : players.icon) icon = std::clamp(icon, 0, kPortraitCount - 1);
  players.playerCount = std::clamp(players.playerCount, 1, kMaxPlayers);
  language = std::clamp(language, 0, kLanguageCount - 1);
}

void copyName(int slot, const char* name) {
  std::snprintf(players.name[slot].data(), players.name[slot].size(), "%s", name);
}

void makeDefaults() {
  for (int i = 0; i < kMaxPlayers; ++i) players.icon[i] = i;

  // The last 800-wide mode of the sorted list wins.
  screenWidth = 0;
  for (int i = 0; i <= videoModeLast; ++i) {
    if (videoModes[i].width == kDefaultWidth) {
      screenHeight = videoModes[i].height;
      screenRefresh = videoModes[i].refresh;
      screenDepth = videoModes[i].depth;
      videoModeIndex = i;
      screenWidth = kDefaultWidth;
    }
  }
  if (screenWidth < 640) {
    screenWidth = 640;
    screenHeight = 480;
  }
  fullscreen = 1;
  musicVolume = 10;
  soundVolume = 10;
  detailLevel = 1;
}

VideoMode currentDisplay() {
  VideoMode current;
  current.width = screenWidth;
  current.height = screenHeight;
  current.depth = screenDepth;
  current.refresh = screenRefresh;
  return current;
}

// The display values written: those of the selected entry, or the current ones when the
// selection does not name an entry.
VideoMode selectedMode() {
  if (videoModeIndex >= 0 && videoModeIndex <= videoModeLast) return videoModes[videoModeIndex];
  return currentDisplay();
}

// Name buffers may have been filled to the brim; never print past them.
int nameLength(int slot) {
  return static_cast<int>(strnlen(players.name[slot].data(), players.name[slot].size()));
}

void writeConfigTo(std::FILE* f, const VideoMode& mode) {
  std::fprintf(f, "game conf file vorpelG \n");
  std::fprintf(f, " \n\n");
  std::fprintf(f, "Sreenwidth \t %d\n", mode.width);
  std::fprintf(f, "Sreenheight \t %d\n", mode.height);
  std::fprintf(f, "Fullscreen \t %d\n", fullscreen);
  std::fprintf(f, "Screendepth \t %d\n", mode.depth);
  std::fprintf(f, "Screenhrz \t %d\n", mode.refresh);
  std::fprintf(f, "GameSpeed \t  %f\n", 1.0);
  std::fprintf(f, " \n");
  std::fprintf(f, "MusicVolume \t %if\n", musicVolume);
  std::fprintf(f, "SoundVolume \t  %i\n", soundVolume);
  std::fprintf(f, "Gamedetail \t  %d\n", detailLevel);
  constexpr std::array<char, kMaxPlayers> kSlotLetters{'A', 'B', 'C', 'D'};
  for (int i = 0; i < kMaxPlayers; ++i) {
    std::fprintf(f, "playericon%c \t  %d\n", kSlotLetters[i], players.icon[i]);
  }
  for (int i = 0; i < kMaxPlayers; ++i) {
    std::fprintf(f, "playerName%c \t  %.*s\n", kSlotLetters[i], nameLength(i),
                 players.name[i].data());
  }
  std::fprintf(f, "numberofplayer \t  %d\n", players.playerCount);
  std::fprintf(f, "BlaBla \t  %d\n", language);
  std::fprintf(f, " \n");
}

void writeConfigWith(const VideoMode& mode) {
  if (configPath[0] == '\0') return;  // no folder for the player's files: playing without saving
  const FileReplace result = replaceFile(configPath.data(), [&mode](std::FILE* f) { writeConfigTo(f, mode); });
  if (result == FileReplace::CannotOpen) {
    std::printf("cannot write the configuration: %s.new\n", configPath.data());
  } else if (result == FileReplace::CannotFinish) {
    std::printf("cannot write the configuration: %s\n", configPath.data());
  }
}

}  // namespace

void readConfigLine(const char* line) {
  for (const NumberKey& key : numberKeys()) {
    float value = 0.0f;
    int truncated = 0;
    if (std::sscanf(line, key.pattern, &value) == 1 && truncateToInt(value, &truncated)) {
      *key.value = truncated;
    }
  }
  for (int i = 0; i < kMaxPlayers; ++i) {
    std::array<char, kPlayerNameLength> word{};
    if (std::sscanf(line, kNamePatterns[i], word.data()) == 1) copyName(i, word.data());
  }
}

void readConfig() {
  for (int i = 0; i < kMaxPlayers; ++i) copyName(i, kDefaultNames[i]);

  std::FILE* f = std::fopen(configPath.data(), "r");
  if (f == nullptr) {
    // The defaults describe the window about to open, also when no list entry matches
    // it (no 800-wide mode and no 640 x 480 entry either).
    makeDefaults();
    writeConfigWith(currentDisplay());
    return;
  }
  std::array<char, kLineLength> line{};
  while (std::fgets(line.data(), static_cast<int>(line.size()), f) != nullptr) {
    readConfigLine(line.data());
  }
  std::fclose(f);
  bringIntoRange();
}

void writeConfig() { writeConfigWith(selectedMode()); }

void writeConfigForCurrentDisplay() { writeConfigWith(currentDisplay()); }
