// The players' kinds file as read at start-up.
#include <cstdio>

#include "core/app_state.h"
#include "core/kinds_file.h"
#include "fuzz/fuzz_input.h"
#include "play/computer_player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("data/tov.kinds", data, size);
  std::snprintf(configPath.data(), configPath.size(), "%s", path.c_str());
  readPlayerKinds();
  // Every kind read is one the game can play.
  for (int kind : playerKinds) {
    if (kind < PersonPlayer || kind >= kPlayerKindCount) __builtin_trap();
  }
  return 0;
}
