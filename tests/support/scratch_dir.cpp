#include "tests/support/scratch_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "quillmoor-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary directory");
  root_ = buffer.data();
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string ScratchDir::path(const std::string& relative) const {
  return relative.empty() ? root_.string() : (root_ / relative).string();
}

void ScratchDir::write(const std::string& relative, const std::string& contents) const {
  fs::create_directories((root_ / relative).parent_path());
  writeWholeFile(path(relative), contents);
}

std::string ScratchDir::read(const std::string& relative) const {
  return readWholeFile(path(relative));
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool writeWholeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const fs::path& directory)
    : previous_(fs::current_path()) {
  fs::create_directories(directory);
  fs::current_path(directory);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &previous_);
  previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = previous_;
  limited.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &previous_);
  std::signal(SIGXFSZ, previousHandler_);
}
