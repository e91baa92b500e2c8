// Reading the game's keyword text files (hole maps, list files): one line at a time into a
// fixed buffer, matched against "keyword value" forms with scanf's rules: the keyword must
// start the line, blanks after it are optional, and the value must convert.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>

constexpr int kTextLineLength = 255;  // a line holds at most 254 characters
using TextLine = std::array<char, kTextLineLength>;

// Reads the next line (without its line break). The rest of a line longer than the buffer is
// skipped, so its tail is never taken for a line of its own. False at end of file.
bool readTextLine(std::FILE* file, TextLine& line);

// "key %d" (base 10) or, with anyBase, "key %i" (0x.. hex, 0.. octal). Values beyond int are
// clamped.
bool matchIntKey(const char* line, const char* key, int& value, bool anyBase = false);

// "key %f".
bool matchFloatKey(const char* line, const char* key, float& value);

// "key %s": the next word, cut to fit the buffer of outSize bytes (always terminated). The
// returned pointer is just past the word, for lines with more fields; null when no match.
const char* matchWordKey(const char* line, const char* key, char* out, std::size_t outSize);

// The same scans without a keyword, for the later fields of a line.
const char* scanInt(const char* text, int& value, bool anyBase);
const char* scanWord(const char* text, char* out, std::size_t outSize);

// Replaces every `from` in a terminated text by `to`.
void replaceChars(char* text, char from, char to);

// "<root>/<folder>/<name>" into out; false, with one line on standard output, when it does not
// fit (a cut path would name another file).
bool joinDataPath(char* out, std::size_t outSize, const char* root, const char* folder,
                  const char* name);

// Bounded copy that always terminates.
void copyText(char* out, std::size_t outSize, const char* text);
