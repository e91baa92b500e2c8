// The list of full-screen video modes, sorted by width then height, that the default
// configuration and the options screen pick from.
#pragma once

#include <array>

struct VideoMode {
  int width = 0;
  int height = 0;
  int depth = 0;
  int refresh = 0;
  int key = 0;  // width * 1000 + height, the sort order
};

constexpr int kMaxVideoModes = 500;
constexpr int kMinModeKey = 500000;   // keys outside this range are dropped by the sort
constexpr int kMaxModeKey = 2999999;

// Refilled by every listVideoModes call (twice at each window start).
// videoModeLast is the index of the last sorted entry, not the number of entries: -1 when
// empty; every user loops i = 0 .. videoModeLast inclusive.
extern std::array<VideoMode, kMaxVideoModes> videoModes;
extern int videoModeLast;
// The options screen's selected entry; the configuration writes that entry's values.
extern int videoModeIndex;

// Lists the full-screen modes through SDL and sorts them into videoModes. A null answer
// from SDL prints "No modes available!" and ends the program with status -1. When SDL
// answers "any size", or lists nothing usable, the common sizes up to the desktop's are
// listed instead so that there is always a mode to show and pick.
void listVideoModes();

// A size as SDL reports it, before filtering.
struct ModeSize {
  int width = 0;
  int height = 0;
};

// Builds the sorted list from raw sizes: keeps sizes wider than 639 and taller than 400
// (depth 32, refresh 90), sorts by key keeping equal keys in their raw order, drops keys
// outside 500000..2999999 and prints the list. Returns the number of entries kept.
int sortVideoModes(const ModeSize* sizes, int count);

// The fallback sizes for a desktop of the given size (0 x 0 when unknown): every common
// size that fits, and always 640 x 480. Returns the number written to out (capacity max).
int fallbackModeSizes(int desktopWidth, int desktopHeight, ModeSize* out, int max);

// Selects the last entry whose width, height, depth and refresh equal the current display
// settings, searching the whole list; the selection stays when none matches.
void selectCurrentVideoMode();
