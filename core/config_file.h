// The settings file "./data/tov.pref": display mode, volumes, detail, the four player
// slots' names and icons, the number of players and the language. The values live in the
// globals that use them (app_state.h, play_state.h, video_modes.h).
#pragma once

// Reads configPath. The four default names are set first; when the file cannot be opened,
// defaults are made and written at once. Values are stored truncated toward zero, then each
// is brought to the nearest value of its range (player count 1..4, volumes 0..10, detail
// 0..2, language 0..2, portraits 0..14, full screen 0/1, the window at least 640 x 480 and a
// side past 2999 the largest listed, depth and refresh those of a listed mode of its size).
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
