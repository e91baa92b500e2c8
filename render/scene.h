// One 3D frame of a hole: sky, fog, the mirrored reflection at high detail, the sea, the
// terrain and course objects, the ball with its soft shadow, and the particles. The normal
// pass also steps the ball physics, so the ball advances once per drawn frame.
#pragma once

enum PassMode : int {
  PlainPass = 0,     // everything, no clipping
  AboveWaterPass = 1,  // clipped to y >= 0, drawn over the sea
  MirroredPass = 2,  // mirrored below the water for the reflection
};

// Seconds of game time; starts at 0, only grows; turns the upper sky dome.
extern double skyClock;

// Set while course objects are drawn for the reflection or for a texture bake: object
// drawing then leaves out its animation and play updates.
extern bool mirrorPass;

// One frame, in order. The caller clears the buffers and draws the 2D overlay afterwards.
void drawScene();

// One pass over ball, terrain and objects. Leaves one matrix pushed; drawScene pops it.
void drawPass(int mode);

// The terrain grid with floor textures, baked shadow (above detail 0) and the fade under the
// sea. Also used by the surf bake.
void drawTerrain();

// Lays only the depth of the ground cells that drawTerrain will draw fully opaque when it
// leaves out the ground inside walls (under the same clip plane, culling and matrix), so that
// what is filled before the ground and would be covered by it (the sky, the reflection, the
// sea) is skipped by the depth test. The ground drawn later has the same depth and passes;
// the picture does not change.
void drawOpaqueGroundDepth();

// Turns on the linear fog of the play view (light grey, from the eye to 30 units) when the
// current world has fog, and says whether it did; a world without fog leaves it off, since
// fog with the library's defaults would paint everything black.
bool startWorldFog();
