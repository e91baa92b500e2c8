#include "core/resource_counts.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <GL/gl.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>

#include "core/app_state.h"

namespace {

// Both drivers hand out small whole numbers, either counting up or reusing the lowest free one;
// scanning this far past a freshly made name covers both ways.
constexpr unsigned kNameScanMargin = 65536;

// Free memory that the allocator keeps at the top of its heap is handed back first: what stays
// resident is what is in use, or held apart by what is in use.
long residentKib() {
  malloc_trim(0);
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  long pages = 0, resident = 0;
  const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
  std::fclose(statm);
  if (read != 2) return 0;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

template <typename IsName>
int countNames(unsigned last, IsName isName) {
  int count = 0;
  for (unsigned name = 1; name <= last; ++name) {
    if (isName(name)) ++count;
  }
  return count;
}

int countTextures() {
  GLuint probe = 0;
  glGenTextures(1, &probe);
  glDeleteTextures(1, &probe);
  return countNames(probe + kNameScanMargin, [](unsigned n) { return glIsTexture(n) == GL_TRUE; });
}

int countDisplayLists() {
  const GLuint probe = glGenLists(1);
  glDeleteLists(probe, 1);
  return countNames(probe + kNameScanMargin, [](unsigned n) { return glIsList(n) == GL_TRUE; });
}

void countSound(ResourceCounts& counts) {
  if (alcGetCurrentContext() == nullptr) return;
  ALuint probe = 0;
  alGenBuffers(1, &probe);
  alDeleteBuffers(1, &probe);
  counts.soundBuffers =
      countNames(probe + kNameScanMargin, [](unsigned n) { return alIsBuffer(n) == AL_TRUE; });
  alGenSources(1, &probe);
  alDeleteSources(1, &probe);
  counts.soundSources =
      countNames(probe + kNameScanMargin, [](unsigned n) { return alIsSource(n) == AL_TRUE; });
  alGetError();  // a failed probe must not surface as the sound layer's next error
}

}  // namespace

ResourceCounts countResources() {
  ResourceCounts counts;
  counts.residentKib = residentKib();
  counts.heapKib = static_cast<long>(mallinfo2().uordblks / 1024);
  counts.textures = countTextures();
  counts.displayLists = countDisplayLists();
  countSound(counts);
  return counts;
}

void printResourceCounts(long frame) {
  const ResourceCounts c = countResources();
  std::printf(
      "resources: frame %ld screen %d resident %ld KiB heap %ld KiB textures %d display-lists %d "
      "sound-buffers %d sound-sources %d\n",
      frame, screenState, c.residentKib, c.heapKib, c.textures, c.displayLists, c.soundBuffers,
      c.soundSources);
  std::fflush(stdout);
}
