// A small OpenGL window for tests that need a GL context, opened once per process under the
// virtual display (SDL's window scaling is switched off so the frame buffer is 1:1).
#pragma once

#include <string>

constexpr int kGlTestWindowSize = 128;  // pixels, square

// Opens the window on the first call (and initialises GLEW); true when a context is current.
bool openGlTestWindow();

// A fresh empty directory under the system's temporary directory, named after `label`.
std::string makeTempDirectory(const std::string& label);

// Runs the test body with `directory` as the working directory, then goes back.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& directory);
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::string previous_;
};
