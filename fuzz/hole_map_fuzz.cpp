// A hole map: the grid reader and the par look-up the course list makes.
#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("data/levels/1-Fuzz.map", data, size);
  holeSetup.par = 3;
  readHoleMapFile(path.c_str());
  int par = 0;
  readHolePar(path.c_str(), par);
  // The par look-up reads only the file's end when it can: it must agree with the whole read.
  if (par != holeSetup.par) __builtin_trap();
  return 0;
}
