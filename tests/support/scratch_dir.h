// Fresh, empty directories for tests that write files.
#pragma once

#include <string>

// Creates an empty directory under the system's temporary directory, named after the test,
// and returns its path (without a trailing slash).
std::string makeScratchDir(const std::string& name);

// The whole content of a file, or an empty string when it cannot be read.
std::string readWholeFile(const std::string& path);

// Writes text to a file, replacing it; false when it cannot be written.
bool writeWholeFile(const std::string& path, const std::string& text);
