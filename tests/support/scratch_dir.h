// The one scratch directory of the tests: a fresh empty directory under the system's temporary
// directory, removed with everything in it when the object goes away.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& root() const { return root_; }
  // Full path of a file or directory below the root; the root itself for an empty name.
  std::string path(const std::string& relative = "") const;
  // Writes a file below the root, creating its directories.
  void write(const std::string& relative, const std::string& contents) const;
  std::string read(const std::string& relative) const;

 private:
  std::filesystem::path root_;
};

// The whole content of a file, or an empty string when it cannot be read.
std::string readWholeFile(const std::string& path);

// Writes text to a file, replacing it; false when it cannot be written.
bool writeWholeFile(const std::string& path, const std::string& text);

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

// While it lives, files stop growing at `bytes`: a write past it fails with EFBIG (SIGXFSZ is
// ignored) as on a full disk, part-way through. The previous limit and handler come back after.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = SIG_DFL;
};
