// Review aid: lays images side by side over a checkerboard (so transparency
// shows) and writes one PNG that a person can open.
#pragma once

#include <string>
#include <vector>

bool writeContactSheet(const std::string &pngPath, const std::vector<std::string> &imagePaths);
