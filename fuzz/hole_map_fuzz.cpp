// A hole map: the grid reader and the par look-up the course list makes.
#include "course/hole_map.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("data/levels/1-Fuzz.map", data, size);
  readHoleMapFile(path.c_str());
  readHolePar(path.c_str());
  return 0;
}
