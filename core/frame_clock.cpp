#include "core/frame_clock.h"

#include <SDL/SDL.h>

namespace {
// Virtual time; lives for the whole run. fixedStepMs 0 means real time.
int fixedStepMs = 0;
double virtualTicks = 0.0;
}  // namespace

float nextWorkingRate(float working, long frameMs) {
  if (frameMs <= 0) return kMinFps;
  const long rate = static_cast<long>(1.0 / (static_cast<double>(frameMs) / 1000.0));
  float next = working - (working - static_cast<float>(rate)) / 5.0f;
  if (next < kMinFps) next = kMinFps;
  if (next > kMaxFps) next = kMaxFps;
  return next;
}

void updateFrameClock(FrameClock& clock, double ticks) {
  const long frameMs = static_cast<long>(ticks - clock.lastTicks);
  clock.working = nextWorkingRate(clock.working, frameMs);
  clock.lastTicks = ticks;
  clock.fps = clock.working;
}

double currentTicks() {
  if (fixedStepMs > 0) return virtualTicks;
  return static_cast<double>(SDL_GetTicks());
}

std::time_t currentSecond() {
  if (fixedStepMs > 0) return static_cast<std::time_t>(virtualTicks / 1000.0);
  return std::time(nullptr);
}

void updateSecondClock() {
  const std::time_t now = currentSecond();
  if (now > frameClock.lastSecond) {
    frameClock.lastSecond = now;
    frameClock.blink = !frameClock.blink;
  }
}

void setFixedStep(int stepMs) {
  fixedStepMs = stepMs > 0 ? stepMs : 0;
  virtualTicks = 0.0;
}

void advanceFixedStep() { virtualTicks += fixedStepMs; }
