#include <gtest/gtest.h>

#include "core/app_state.h"

TEST(FrameClock, StartsAtTheUpperRate) { EXPECT_FLOAT_EQ(frameClock.fps, 1000.0f); }
