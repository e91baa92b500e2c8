// A world's list file read as its theme. No GL context: the texture and display-list calls
// it makes go nowhere, and the files it names are not there unless the input names real ones.
#include "course/course_catalogue.h"
#include "course/world_theme.h"
#include "fuzz/fuzz_input.h"
#include "render/model_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = writeFuzzInput("data/levels/level1.vorpel", data, size);
  catalogue.worldCount = 1;
  std::snprintf(catalogue.worldFiles[0].data(), catalogue.worldFiles[0].size(), "%s",
                path.c_str());
  catalogue.currentWorld = 0;
  loadWorldTheme();
  for (int slot = 0; slot < kModelSlots; ++slot) releaseModel(slot);
  return 0;
}
