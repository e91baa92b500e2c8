#include "core/file_replace.h"

#include <array>

#include "core/app_state.h"

FileReplace replaceFile(const char* path, const std::function<void(std::FILE*)>& write) {
  std::array<char, kPathLength + 8> temporary{};
  std::snprintf(temporary.data(), temporary.size(), "%s.new", path);
  std::FILE* file = std::fopen(temporary.data(), "w");
  if (file == nullptr) return FileReplace::CannotOpen;
  write(file);
  const bool written = std::fflush(file) == 0 && std::ferror(file) == 0;
  if (std::fclose(file) != 0 || !written || std::rename(temporary.data(), path) != 0) {
    std::remove(temporary.data());
    return FileReplace::CannotFinish;
  }
  return FileReplace::Replaced;
}
