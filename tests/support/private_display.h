// An X server of a test's own for a scripted whole-game run. On the display shared by the tests
// that run beside it, windows opening and closing send the game real pointer events, which move
// its pointer away from where the script put it just before a click.
#pragma once

#include <sys/types.h>

#include <string>

class PrivateDisplay {
 public:
  // Starts Xvfb with one screen of the given size on a display number it picks itself.
  explicit PrivateDisplay(const char* screen = "640x480x24");
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // ":N", or empty when the server did not start.
  const std::string& name() const { return name_; }

 private:
  pid_t server_ = -1;
  std::string name_;
};
