// A scratch directory for tests that need files on disk: created under the system's temporary
// directory, removed with everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <string>

class TempDataTree {
 public:
  TempDataTree();
  ~TempDataTree();
  TempDataTree(const TempDataTree&) = delete;
  TempDataTree& operator=(const TempDataTree&) = delete;

  const std::filesystem::path& root() const { return root_; }
  // Full path of a file or directory below the root.
  std::string path(const std::string& relative) const;
  // Writes a file below the root, creating its directories.
  void write(const std::string& relative, const std::string& contents) const;
  std::string read(const std::string& relative) const;

 private:
  std::filesystem::path root_;
};

// Runs the enclosed code with another working directory; the previous one comes back at the
// end of the scope.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& directory);
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};
