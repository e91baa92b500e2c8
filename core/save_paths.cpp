#include "core/save_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kInstalledTree = "../share/games/quillmoor";  // holds data/, from the program's folder
constexpr const char* kUserFolderName = "quillmoor";

// The folder the running program lies in, from /proc; false when it cannot be read.
bool programFolder(std::array<char, kPathLength>& out) {
  const ssize_t n = readlink("/proc/self/exe", out.data(), out.size() - 1);
  if (n <= 0) return false;
  out[static_cast<size_t>(n)] = '\0';
  char* slash = std::strrchr(out.data(), '/');
  if (slash == nullptr) return false;
  *slash = '\0';
  return true;
}

// Changes into `folder` when it holds a data tree.
bool enterIfItHoldsData(const char* folder) {
  std::array<char, kPathLength + 8> data{};
  std::snprintf(data.data(), data.size(), "%s/data", folder);
  struct stat info {};
  if (stat(data.data(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (chdir(folder) == 0) return true;
  std::printf("cannot change to %s\n", folder);
  return false;
}

// False, with both paths left empty, when the settings file's path would not fit.
bool setPaths(const char* folder) {
  const int length = std::snprintf(configPath.data(), configPath.size(), "%stov.pref", folder);
  if (length < 0 || length >= static_cast<int>(configPath.size())) {
    configPath[0] = '\0';
    return false;
  }
  std::snprintf(dataFolder.data(), dataFolder.size(), "%s", folder);
  return true;
}

}  // namespace

void findDataTree() {
  if (access("data", F_OK) == 0) return;
  std::array<char, kPathLength> program{};
  if (!programFolder(program)) return;
  if (enterIfItHoldsData(program.data())) return;
  std::array<char, kPathLength + 32> installed{};
  std::snprintf(installed.data(), installed.size(), "%s/%s", program.data(), kInstalledTree);
  enterIfItHoldsData(installed.data());
}

bool userDataFolder(std::array<char, kPathLength>& out) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  int length = -1;
  // An unset or relative XDG_DATA_HOME is to be ignored.
  if (xdg != nullptr && xdg[0] == '/') {
    length = std::snprintf(out.data(), out.size(), "%s/%s/", xdg, kUserFolderName);
  } else if (home != nullptr && home[0] != '\0') {
    length = std::snprintf(out.data(), out.size(), "%s/.local/share/%s/", home, kUserFolderName);
  }
  if (length > 0 && length < static_cast<int>(out.size())) return true;
  out[0] = '\0';
  return false;
}

bool makeFolders(const char* path) {
  std::array<char, kPathLength> partial{};
  std::snprintf(partial.data(), partial.size(), "%s", path);
  // Each slash after the first character ends one parent; the whole path comes last.
  for (char* p = partial.data() + 1;; ++p) {
    const bool end = *p == '\0';
    if (*p != '/' && !end) continue;
    *p = '\0';
    if (mkdir(partial.data(), 0755) != 0 && errno != EEXIST) return false;
    if (end) break;
    *p = '/';
  }
  struct stat info {};
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

void chooseSaveFolder() {
  configPath[0] = '\0';
  dataFolder[0] = '\0';
  if (access("data", W_OK) == 0 && setPaths("./data/")) return;
  std::array<char, kPathLength> folder{};
  if (userDataFolder(folder) && makeFolders(folder.data()) && setPaths(folder.data())) return;
  std::printf("cannot make a folder for the settings and scores (%s): playing without saving\n",
              folder[0] != '\0' ? folder.data() : "set HOME or XDG_DATA_HOME");
}
