// Where a 3D frame spends its time, for finding what to make cheaper on the software renderer.
// Off unless QUILLMOOR_FRAME_PROFILE is set in the environment when the game starts. When on,
// every mark waits for the renderer (glFinish), so each part's time includes its filling, and
// the median milliseconds of each part, per screen, are printed when the program ends.
#pragma once

enum class FramePart : int {
  Rest,        // everything between two scenes: 2D overlay, swap, input, play logic
  Camera,      // projection, look-at, frustum
  GroundDepth, // the depth of the opaque ground, laid first
  Sky,
  Reflection,  // the land mirrored under the water (detail 2)
  Sea,         // the sea and its surf
  Terrain,     // cup, flag, ball and terrain
  Objects,     // course objects
  BallShadow,
  Particles,
  Count,
};

// Closes the part that has just been drawn: the time since the previous mark goes to it.
// Does nothing (one test of a flag) when profiling is off.
void markFramePart(FramePart finished);
