#include "fuzz/fuzz_input.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// The scratch directory lives as long as the process; it is removed at exit.
std::filesystem::path scratchDir;

void removeScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchDir, ignored);
}

void enterScratchDir() {
  if (!scratchDir.empty()) return;
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmoor-fuzz-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    std::perror("fuzz scratch directory");
    std::abort();
  }
  scratchDir = buffer.data();
  std::filesystem::current_path(scratchDir);
  std::atexit(removeScratchDir);
}

}  // namespace

std::string writeFuzzInput(const char* relative, const std::uint8_t* data, std::size_t size) {
  enterScratchDir();
  const std::filesystem::path file = scratchDir / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  return std::string("./") + relative;
}
