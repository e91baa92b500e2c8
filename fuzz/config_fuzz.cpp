// The settings file as read at start-up.
#include <cstdio>

#include "core/app_state.h"
#include "core/config_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("data/tov.pref", data, size);
  std::snprintf(configPath.data(), configPath.size(), "%s", path.c_str());
  readConfig();
  return 0;
}
