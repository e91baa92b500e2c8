#include "render/frame_profile.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/app_state.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPartCount = static_cast<int>(FramePart::Count);
constexpr std::array<const char*, kPartCount> kPartNames{
    "rest of frame", "camera", "ground depth", "sky", "reflection", "sea", "terrain", "objects", "ball shadow", "particles"};
constexpr size_t kMaxFrames = 1 << 16;  // samples kept per part and screen; later frames are left out

enum ProfiledScreen : int { TitleScreenProfile, PlayScreenProfile, ScreenProfileCount };
constexpr std::array<const char*, ScreenProfileCount> kScreenNames{"title", "play"};

// Milliseconds of each part in each drawn frame; lives for the whole run.
struct FrameProfile {
  bool decided = false;
  bool enabled = false;
  Clock::time_point last{};
  std::array<std::array<std::vector<float>, kPartCount>, ScreenProfileCount> samples{};
};
FrameProfile profile;

double median(std::vector<float> values) {
  if (values.empty()) return 0.0;
  const size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(middle), values.end());
  return values[middle];
}

void printProfile() {
  for (int screen = 0; screen < ScreenProfileCount; ++screen) {
    const auto& parts = profile.samples[screen];
    if (parts[0].empty()) continue;
    std::printf("frame profile, %s screen, median ms over %zu frames:", kScreenNames[screen],
                parts[0].size());
    double sum = 0.0;
    for (int part = 0; part < kPartCount; ++part) {
      const double ms = median(parts[part]);
      sum += ms;
      std::printf(" %s %.2f,", kPartNames[part], ms);
    }
    std::printf(" sum %.2f\n", sum);
  }
}

bool profilingEnabled() {
  if (!profile.decided) {
    profile.decided = true;
    profile.enabled = std::getenv("QUILLMOOR_FRAME_PROFILE") != nullptr;
    if (profile.enabled) std::atexit(printProfile);
    profile.last = Clock::now();
  }
  return profile.enabled;
}

}  // namespace

void markFramePart(FramePart finished) {
  if (!profilingEnabled()) return;
  glFinish();
  const Clock::time_point now = Clock::now();
  const float ms = std::chrono::duration<float, std::milli>(now - profile.last).count();
  profile.last = now;
  const int screen = screenState == Playing ? PlayScreenProfile : TitleScreenProfile;
  std::vector<float>& part = profile.samples[screen][static_cast<int>(finished)];
  if (part.size() < kMaxFrames) part.push_back(ms);
}
