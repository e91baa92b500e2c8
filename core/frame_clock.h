// The clocks every screen reads: the millisecond tick counter behind the frame rate and the
// whole-second clock behind the blinking cursor. With a fixed step (automation) both run on
// virtual time so that whole runs repeat exactly.
#pragma once

#include <ctime>

#include "core/app_state.h"

constexpr float kMinFps = 15.0f;
constexpr float kMaxFps = 500.0f;

// The smoothing step of the frame-rate factor: one fifth of the way from the working value
// towards the rate of a frame that took frameMs whole milliseconds, then clamped to 15..500.
// A frame of 0 ms has no finite rate and drops the working value to the floor.
float nextWorkingRate(float working, long frameMs);

// End-of-frame update of frameClock from the tick counter value ticks (ms).
void updateFrameClock(FrameClock& clock, double ticks);

// Milliseconds since SDL started, or the virtual time when a fixed step is set.
double currentTicks();

// Wall-clock second (the standard time function), or whole seconds of virtual time.
std::time_t currentSecond();

// Toggles frameClock.blink when a new second has begun; the screens that keep the second
// clock (title menu, player set-up, high scores, play) call it once per frame.
void updateSecondClock();

// Virtual time: every frame advances the tick counter by stepMs; 0 returns to real time.
void setFixedStep(int stepMs);
void advanceFixedStep();
