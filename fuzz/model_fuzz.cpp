// A model file, read into two slots and released again so that the space of the first is
// given back under the second (the pools end empty, so every input runs alike).
#include "fuzz/fuzz_input.h"
#include "render/model_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("data/object/fuzz.obj", data, size);
  parseModel(1, path.c_str(), 1.0f);
  parseModel(2, path.c_str(), 2.0f);
  parseModel(1, path.c_str(), 1.0f);
  releaseModel(1);
  releaseModel(2);
  return 0;
}
