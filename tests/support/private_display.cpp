#include "tests/support/private_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

constexpr int kStartTimeoutMs = 30000;

// The server writes its display number and a newline to the descriptor once it is ready.
std::string readDisplayNumber(int fd) {
  std::string number;
  char c = 0;
  pollfd wait{fd, POLLIN, 0};
  while (poll(&wait, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') number += c;
  return c == '\n' && !number.empty() ? number : std::string();
}

}  // namespace

PrivateDisplay::PrivateDisplay(const char* screen) {
  int ready[2];
  if (pipe(ready) != 0) return;
  server_ = fork();
  if (server_ == 0) {
    close(ready[0]);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    const std::string fd = std::to_string(ready[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  if (server_ > 0) {
    const std::string number = readDisplayNumber(ready[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  close(ready[0]);
}

PrivateDisplay::~PrivateDisplay() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  int status = 0;
  waitpid(server_, &status, 0);
}
