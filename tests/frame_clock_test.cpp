#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/frame_clock.h"

namespace {

// The rate moves one fifth of the way towards 1000 / the frame time in whole milliseconds, within
// fifteen and five hundred; a 0 ms frame drops to the floor; a steady 16 ms frame settles on 62.
TEST(FrameClock, FrameTimeIsTruncatedAndASteadyRateSettles) {
  FrameClock clock;
  clock.working = 100.0f;
  clock.lastTicks = 1000.0;
  updateFrameClock(clock, 1020.9);  // 20 ms: rate 50
  EXPECT_FLOAT_EQ(clock.fps, 90.0f);
  updateFrameClock(clock, 1021.5);
  EXPECT_FLOAT_EQ(clock.fps, kMinFps);
  EXPECT_FLOAT_EQ(nextWorkingRate(300.0f, 3), 300.0f + (333.0f - 300.0f) / 5.0f);
  EXPECT_FLOAT_EQ(nextWorkingRate(1000.0f, 1), kMaxFps);
  EXPECT_FLOAT_EQ(nextWorkingRate(15.0f, 5000), kMinFps);
  double ticks = 2000.0;
  for (int i = 0; i < 60; ++i) updateFrameClock(clock, ticks += 16.0);
  EXPECT_NEAR(clock.fps, 62.0f, 0.01f);
}

TEST(FrameClock, FixedStepRunsBothClocksOnVirtualTime) {
  setFixedStep(16);
  EXPECT_DOUBLE_EQ(currentTicks(), 0.0);
  for (int i = 0; i < 62; ++i) advanceFixedStep();
  EXPECT_DOUBLE_EQ(currentTicks(), 992.0);
  EXPECT_EQ(currentSecond(), 0);
  advanceFixedStep();
  EXPECT_EQ(currentSecond(), 1);  // 1008 ms

  // The blink toggles once per new second, not once per frame.
  frameClock = FrameClock{};
  updateSecondClock();
  EXPECT_TRUE(frameClock.blink);
  updateSecondClock();
  EXPECT_TRUE(frameClock.blink);
  for (int i = 0; i < 63; ++i) advanceFixedStep();
  updateSecondClock();
  EXPECT_FALSE(frameClock.blink);
  EXPECT_EQ(frameClock.lastSecond, 2);
  setFixedStep(0);
  frameClock = FrameClock{};
}

}  // namespace
