// The first world list file, as the course list reads it at start-up.
#include "course/course_catalogue.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  writeFuzzInput("data/levels/level1.vorpel", data, size);
  buildCourseCatalogue();
  for (int w = 0; w < catalogue.worldCount; ++w) {
    std::array<char, kPathLength> picture{};
    coursePicturePath(picture, w);
  }
  return 0;
}
