// Where generated files go. Every path a group writes is relative to the data
// tree (for example "menu/logo.tga"); directories are made as needed, and a
// file whose bytes are unchanged is left alone so its time stamp stays put.
#pragma once

#include <cstddef>
#include <string>

// Lives for the whole run: set once from the command line.
void setOutputRoot(const std::string &root);
std::string outputPath(const std::string &relative);

// Writes the bytes to the data tree; false (with a diagnostic) on failure.
bool writeOutputFile(const std::string &relative, const void *data, size_t size);
bool writeOutputText(const std::string &relative, const std::string &text);

// Directory of the repository's content sources (palettes, scores, ...).
void setSourceRoot(const std::string &root);
std::string sourcePath(const std::string &relative);
bool readSourceText(const std::string &relative, std::string &text);

// Counts what the run wrote, for the closing summary line.
struct OutputTally {
    int files = 0;
    int unchanged = 0;
    size_t bytes = 0;
};
extern OutputTally outputTally;  // lives for the whole run
