#include "core/playing_screen.h"

#include "core/app_state.h"
#include "core/frame_clock.h"
#include "play/play_state.h"
#include "play/turn_flow.h"
#include "render/scene.h"

namespace {
constexpr float kSlideEnd = 3500.0f;
constexpr float kDecorTurnRate = 23.0f;  // degrees per second
constexpr int kOverviewCamera = 3;
}  // namespace

float nextSlideOffset(float offset, int width, float fps) {
  if (offset < kSlideEnd) offset += (static_cast<float>(width) + offset) / fps;
  return offset;
}

void updatePlayingScreen() {
  slideOffset = nextSlideOffset(slideOffset, screenWidth, frameClock.fps);
  if (cameraMode != kOverviewCamera) decorAngle += kDecorTurnRate / frameClock.fps;
  drawScene();
  updatePlay();
  updateSecondClock();
}
