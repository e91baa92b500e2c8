// The players' kinds file "tov.kinds", beside the configuration file: one line naming
// each of the four player slots a person (0) or a computer of strength 1 (rookie), 2 (club) or
// 3 (ace). A file of its own, so that the configuration keeps its long-standing keys.
#pragma once

#include <array>

// Fills playerKinds from the file; a missing or damaged file means four people.
void readPlayerKinds();

// Writes playerKinds to a new file beside the old one and renames it over, so that a failed
// write leaves the old file whole (one line is printed).
void writePlayerKinds();

// The slots' kinds in one line of the file, or false when the line is damaged (a missing or
// extra value, or one outside 0..3).
bool parseKindsLine(const char* line, std::array<int, 4>& kinds);
