// Replacing a player's file (configuration, kinds, high scores) so that a write that fails
// part-way (a full disk, a size limit) leaves the old file whole.
#pragma once

#include <cstdio>
#include <functional>

enum class FileReplace {
  Replaced,
  CannotOpen,    // path + ".new" could not be made; nothing was changed
  CannotFinish,  // a write, the close or the rename failed; the old file and no ".new" remain
};

// Writes path + ".new" with `write`, checks every write and the close, then renames it over
// `path`. On failure the ".new" file is removed.
FileReplace replaceFile(const char* path, const std::function<void(std::FILE*)>& write);
