// Plays sound files through the game's own audio code, as the game would: start-up, samples in
// their slots fired with a frequency, volume and pan, looping music, 15 frames a second (the game's
// slowest), then shut-down. For listening to generated sounds, and for the tests that record the
// output with OpenAL Soft's wave writer.
//
//   soundcheck [--seconds S] [--music FILE.ogg] [--sample FILE.wav FREQUENCY VOLUME PAN]...
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/app_state.h"
#include "core/audio.h"

namespace {

constexpr long kFrameNanoseconds = 1000000000L / 15;

struct Request {
  double seconds = 1.0;
  const char* music = nullptr;
  int sampleCount = 0;
  struct Effect {
    const char* path;
    int frequency, volume, pan;
  };
  std::array<Effect, kSampleCount> effects{};
};

bool parse(int argc, char** argv, Request& request) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      request.seconds = std::atof(argv[++i]);
    } else if (std::strcmp(argv[i], "--music") == 0 && i + 1 < argc) {
      request.music = argv[++i];
    } else if (std::strcmp(argv[i], "--sample") == 0 && i + 4 < argc &&
               request.sampleCount < kSampleCount) {
      request.effects[request.sampleCount++] = {argv[i + 1], std::atoi(argv[i + 2]),
                                              std::atoi(argv[i + 3]), std::atoi(argv[i + 4])};
      i += 4;
    } else {
      std::fprintf(stderr, "soundcheck: bad argument %s\n", argv[i]);
      return false;
    }
  }
  return true;
}

void sleepOneFrame() {
  timespec frame{0, kFrameNanoseconds};
  nanosleep(&frame, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  Request request;
  if (!parse(argc, argv, request)) {
    std::fprintf(stderr,
                 "usage: soundcheck [--seconds S] [--music FILE] [--sample FILE FREQ VOLUME PAN]...\n");
    return 2;
  }
  startSound();
  for (int slot = 0; slot < request.sampleCount; ++slot) {
    loadSample(SampleId(slot), request.effects[slot].path);
    if (sampleTable[slot] == nullptr) std::printf("cannot load %s\n", request.effects[slot].path);
  }
  if (request.music != nullptr) playMusic(request.music);
  for (int slot = 0; slot < request.sampleCount; ++slot) {
    const Request::Effect& effect = request.effects[slot];
    playSample(SampleId(slot), effect.frequency, effect.volume, effect.pan);
  }
  for (double elapsed = 0.0; elapsed < request.seconds; elapsed += 1.0 / 15.0) {
    updateSound();
    sleepOneFrame();
  }
  stopSound();
  return 0;
}
