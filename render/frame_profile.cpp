#include "render/frame_profile.h"

#include <GL/glew.h>
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
  // Fragments shaded by each part, in thousands: unlike the times, free of the machine's load.
  std::array<std::array<std::vector<float>, kPartCount>, ScreenProfileCount> fragments{};
  unsigned query = 0;  // the renderer's count of shaded fragments, when it keeps one
};
FrameProfile profile;

double median(std::vector<float> values) {
  if (values.empty()) return 0.0;
  const size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(middle), values.end());
  return values[middle];
}

// Each part's median in a screen's samples, then their sum, ending the line begun by the caller.
void printMedians(const std::array<std::vector<float>, kPartCount>& parts, int decimals) {
  double sum = 0.0;
  for (int part = 0; part < kPartCount; ++part) {
    const double value = median(parts[part]);
    sum += value;
    std::printf(" %s %.*f,", kPartNames[part], decimals, value);
  }
  std::printf(" sum %.*f\n", decimals, sum);
}

void printProfile() {
  for (int screen = 0; screen < ScreenProfileCount; ++screen) {
    const auto& parts = profile.samples[screen];
    if (parts[0].empty()) continue;
    std::printf("frame profile, %s screen, median ms over %zu frames:", kScreenNames[screen],
                parts[0].size());
    printMedians(parts, 2);
    const auto& counts = profile.fragments[screen];
    if (counts[0].empty()) continue;
    std::printf("fragments shaded, %s screen, median thousands:", kScreenNames[screen]);
    printMedians(counts, 1);
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

// Closes the running count of shaded fragments into `part` and starts the next one.
void countFragments(std::vector<float>& part) {
  if (glBeginQuery == nullptr || !GLEW_ARB_pipeline_statistics_query) return;
  if (profile.query == 0) {
    glGenQueries(1, &profile.query);
  } else {
    glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
    GLuint64 count = 0;
    glGetQueryObjectui64v(profile.query, GL_QUERY_RESULT, &count);
    if (part.size() < kMaxFrames) part.push_back(static_cast<float>(count) / 1000.0f);
  }
  glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, profile.query);
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
  countFragments(profile.fragments[screen][static_cast<int>(finished)]);
}
