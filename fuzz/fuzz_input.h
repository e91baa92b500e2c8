// The fuzz targets' shared helper: readers that take a path are handed the fuzzer's bytes as a
// file in a scratch directory of this process, which is also the working directory, so the
// relative data paths a reader builds ("./data/...") stay inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the bytes to `relative` under the scratch directory (made, and entered, on the first
// call) and returns the path as the game would name it ("./" + relative).
std::string writeFuzzInput(const char* relative, const std::uint8_t* data, std::size_t size);
