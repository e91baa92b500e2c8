// The settings file "./data/tov.pref": display mode, volumes, detail, the four player
// slots' names and icons, the number of players and the language. The values live in the
// globals that use them (app_state.h, play_state.h, video_modes.h).
#pragma once

// Reads configPath. The four default names are set first; when the file cannot be opened,
// defaults are made and written at once. Values are stored truncated toward zero and are
// not brought into range.
void readConfig();

// Writes every value to configPath, display values from the selected video mode entry.
// The file is written beside the old one and renamed over it, so a failed write leaves
// the old file as it was and prints one line.
void writeConfig();

// Writes every value as writeConfig does, with the display values of the window in use,
// whether or not the mode list holds its size.
void writeConfigForCurrentDisplay();

// Reads one line of the file into the globals; lines that match no key are ignored.
void readConfigLine(const char* line);
