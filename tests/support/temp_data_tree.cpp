#include "tests/support/temp_data_tree.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

TempDataTree::TempDataTree() {
  std::string pattern = (fs::temp_directory_path() / "quillmoor-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary directory");
  root_ = buffer.data();
}

TempDataTree::~TempDataTree() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string TempDataTree::path(const std::string& relative) const {
  return (root_ / relative).string();
}

void TempDataTree::write(const std::string& relative, const std::string& contents) const {
  const fs::path file = root_ / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << contents;
}

std::string TempDataTree::read(const std::string& relative) const {
  std::ifstream in(root_ / relative, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
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
