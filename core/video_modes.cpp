#include "core/video_modes.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "core/app_state.h"

std::array<VideoMode, kMaxVideoModes> videoModes{};
int videoModeLast = -1;
int videoModeIndex = 0;

namespace {

constexpr int kFallbackDepth = 32;
constexpr int kFallbackRefresh = 90;

// Sizes offered when SDL lists no usable mode, smallest first.
constexpr std::array<ModeSize, 10> kCommonSizes{{{640, 480},
                                                 {800, 600},
                                                 {1024, 768},
                                                 {1280, 720},
                                                 {1280, 1024},
                                                 {1366, 768},
                                                 {1600, 900},
                                                 {1680, 1050},
                                                 {1920, 1080},
                                                 {2560, 1440}}};

// Raw entries before sorting; refilled by every listing.
std::array<VideoMode, kMaxVideoModes> rawModes{};

}  // namespace

int sortVideoModes(const ModeSize* sizes, int count) {
  int rawCount = 0;
  rawModes.fill(VideoMode{});
  for (int i = 0; i < count && rawCount < kMaxVideoModes; ++i) {
    if (sizes[i].width > 639 && sizes[i].height > 400) {
      VideoMode& m = rawModes[rawCount++];
      m.width = sizes[i].width;
      m.height = sizes[i].height;
      m.depth = kFallbackDepth;
      m.refresh = kFallbackRefresh;
      m.key = m.width * 1000 + m.height;
    }
  }
  std::printf("\n%d screen mode \nSORTING screen rez\n", rawCount);

  // A stable sort by key; equal keys (SDL 1.2 does not report refresh rates, so these are
  // duplicates) are all kept in raw order.
  int sorted = 0;
  for (int pass = 0; pass < rawCount; ++pass) {
    int best = -1;
    for (int i = 0; i < rawCount; ++i) {
      const int key = rawModes[i].key;
      if (key < kMinModeKey || key > kMaxModeKey) continue;
      if (best < 0 || key < rawModes[best].key) best = i;
    }
    if (best < 0) break;
    videoModes[sorted] = rawModes[best];
    std::printf("%d: rez %d x %d\n", sorted, rawModes[best].width, rawModes[best].height);
    ++sorted;
    rawModes[best].key = -1;  // taken
  }
  for (int i = sorted; i < kMaxVideoModes; ++i) videoModes[i] = VideoMode{};
  videoModeLast = sorted - 1;
  return sorted;
}

int fallbackModeSizes(int desktopWidth, int desktopHeight, ModeSize* out, int max) {
  int n = 0;
  for (const ModeSize& s : kCommonSizes) {
    if (n >= max) break;
    const bool fits = desktopWidth <= 0 || (s.width <= desktopWidth && s.height <= desktopHeight);
    if (fits || n == 0) out[n++] = s;
  }
  return n;
}

void listVideoModes() {
  SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_HWSURFACE);
  if (modes == nullptr) {
    std::printf("No modes available!\n");
    std::exit(-1);
  }
  std::array<ModeSize, kMaxVideoModes> sizes{};
  int count = 0;
  if (modes != reinterpret_cast<SDL_Rect**>(-1)) {
    for (int i = 0; modes[i] != nullptr && count < kMaxVideoModes; ++i) {
      sizes[count++] = ModeSize{modes[i]->w, modes[i]->h};
    }
  }
  if (sortVideoModes(sizes.data(), count) > 0) return;

  // SDL allows any size, or listed nothing usable: offer the common sizes instead.
  // The desktop size is taken before the first window exists; later the video information
  // describes our own window instead.
  static int desktopWidth = -1;
  static int desktopHeight = -1;
  if (desktopWidth < 0) {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    desktopWidth = info ? info->current_w : 0;
    desktopHeight = info ? info->current_h : 0;
  }
  count = fallbackModeSizes(desktopWidth, desktopHeight, sizes.data(), kMaxVideoModes);
  sortVideoModes(sizes.data(), count);
}

void selectCurrentVideoMode() {
  for (int i = 0; i <= videoModeLast; ++i) {
    const VideoMode& m = videoModes[i];
    if (m.width == screenWidth && m.height == screenHeight && m.depth == screenDepth &&
        m.refresh == screenRefresh) {
      videoModeIndex = i;
    }
  }
}
