// Compares two pictures of the same size pixel by pixel and prints how many pixels differ,
// the largest difference of one colour channel and the mean difference over all channels:
//   picture_diff before.png after.png
// Exits with 0 when the pictures are identical, 1 when they differ and 2 when one cannot be
// read or the sizes do not match.
#include <cstdio>
#include <cstdlib>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

constexpr int kChannels = 3;  // alpha of a screenshot carries nothing the player sees

struct Picture {
  unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
};

bool readPicture(const char* path, Picture& picture) {
  int channels = 0;
  picture.pixels = stbi_load(path, &picture.width, &picture.height, &channels, kChannels);
  if (picture.pixels == nullptr) std::printf("picture_diff: cannot read %s\n", path);
  return picture.pixels != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: picture_diff FIRST.png SECOND.png\n");
    return 2;
  }
  Picture first, second;
  if (!readPicture(argv[1], first) || !readPicture(argv[2], second)) return 2;
  if (first.width != second.width || first.height != second.height) {
    std::printf("picture_diff: %dx%d against %dx%d\n", first.width, first.height, second.width,
                second.height);
    return 2;
  }
  const long pixels = static_cast<long>(first.width) * first.height;
  long differing = 0, total = 0;
  int largest = 0;
  for (long p = 0; p < pixels; ++p) {
    bool differs = false;
    for (int c = 0; c < kChannels; ++c) {
      const int d = std::abs(first.pixels[p * kChannels + c] - second.pixels[p * kChannels + c]);
      total += d;
      if (d > largest) largest = d;
      differs = differs || d != 0;
    }
    if (differs) ++differing;
  }
  std::printf("%ld of %ld pixels differ (%.3f%%), largest channel difference %d, mean %.4f\n",
              differing, pixels, 100.0 * differing / pixels, largest,
              static_cast<double>(total) / (pixels * kChannels));
  stbi_image_free(first.pixels);
  stbi_image_free(second.pixels);
  return differing == 0 ? 0 : 1;
}
