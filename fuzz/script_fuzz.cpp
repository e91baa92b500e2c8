// The scripted-input file of the automation options.
#include "core/automation.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("script.txt", data, size);
  clearScript();
  loadScript(path.c_str());
  for (int i = 0; i < scriptActionCount(); ++i) {
    if (scriptAction(i).frame < 0) __builtin_trap();  // a frame before the first
  }
  return 0;
}
