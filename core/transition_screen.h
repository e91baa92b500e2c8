// The transition screen: while screenState is negative the background picture shrinks
// from 90 pixels beyond every edge to the screen's size, then the target screen runs.
#pragma once

constexpr float kTransitionStart = -90.0f;
constexpr float kTransitionSpeed = 100.0f;  // pixels per second

// How far the picture reaches beyond the screen edge, negated; set to -90 at every
// interface reload, left at 0 otherwise (so plain transitions last one frame).
extern float transitionOffset;

// Moves the offset on by one frame at the given frame rate; true when the transition has
// ended (the offset is then 0).
bool advanceTransition(float* offset, float fps);

// One frame of the transition; at its end screenState becomes the target screen.
void drawTransitionScreen();
