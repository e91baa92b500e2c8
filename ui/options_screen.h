// The options screen: display mode, window or full screen, detail, music and effect volumes
// and language, over the orbiting sky-and-sea backdrop; saved (restarting the display),
// left unsaved, or reset to the defaults.
#pragma once

#include <array>

// Options screen items (5 is not used).
enum OptionsItem : int {
  OptionsBack = 1,
  OptionsResolution = 2,
  OptionsDisplayType = 3,
  OptionsDetail = 4,
  OptionsMusicVolume = 6,
  OptionsSoundVolume = 7,
  OptionsSave = 8,
  OptionsReset = 9,
  OptionsLanguage = 10,
};

constexpr int kMaxVolume = 10;
constexpr int kDetailLevels = 3;    // 0 low, 1 normal, 2 with reflections
constexpr int kWidestWindow = 800;  // windowed mode offers modes up to this width

// A volume bar: v full segments then 10 - v empty ones (v kept to 0..10), terminated.
using VolumeBar = std::array<char, kMaxVolume + 1>;
void formatVolumeBar(VolumeBar& bar, int volume);

// What a click on an options item does (the windowed limit is applied separately).
void chooseOptionsItem(int item);

// In windowed mode a selected mode wider than 800 pixels falls back to the first entry.
void applyWindowedLimit();

// One frame of the options screen.
void runOptions();
