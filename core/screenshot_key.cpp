#include "core/screenshot_key.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/automation.h"
#include "core/save_paths.h"

namespace {

constexpr int kMaxShotsPerSecond = 1000;

// Lives for the whole run: set by the key, cleared when the picture is taken.
bool screenshotAsked = false;

// The pictures folder with a trailing slash, made when missing; false when there is none.
bool screenshotFolder(std::array<char, kPathLength>& out) {
  const char* pictures = std::getenv("XDG_PICTURES_DIR");
  if (pictures != nullptr && pictures[0] != '\0') {
    const int length = std::snprintf(out.data(), out.size(), "%s/", pictures);
    if (length <= 0 || length >= static_cast<int>(out.size())) return false;
  } else if (!userDataFolder(out)) {
    return false;
  }
  return makeFolders(out.data());
}

}  // namespace

void requestKeyScreenshot() { screenshotAsked = true; }

bool nextScreenshotPath(std::array<char, kPathLength>& out, const char* folder, std::time_t when) {
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return false;
  std::array<char, 32> stamp{};
  std::strftime(stamp.data(), stamp.size(), "%Y-%m-%d-%H%M%S", &local);
  for (int n = 1; n <= kMaxShotsPerSecond; ++n) {
    const int length =
        std::snprintf(out.data(), out.size(), "%squillmoor-%s-%d.png", folder, stamp.data(), n);
    if (length <= 0 || length >= static_cast<int>(out.size())) break;
    if (access(out.data(), F_OK) != 0) return true;
  }
  out[0] = '\0';
  return false;
}

void takeKeyScreenshot() {
  if (!screenshotAsked) return;
  screenshotAsked = false;
  std::array<char, kPathLength> folder{};
  std::array<char, kPathLength> path{};
  if (!screenshotFolder(folder) || !nextScreenshotPath(path, folder.data(), std::time(nullptr))) {
    std::printf("screenshot: no folder to write it to (%s)\n", folder.data());
    return;
  }
  if (writeScreenshot(path.data())) std::printf("screenshot saved to %s\n", path.data());
}
