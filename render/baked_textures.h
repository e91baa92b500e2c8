// Textures rendered once per hole load from a top view of the grid: the soft shadow of the
// course objects that the terrain multiplies in, and the surf glow around the land.
#pragma once

constexpr int kShadowTextureSize = 512;
constexpr int kSurfTextureSize = 256;

// Whether the bakes may use an off-screen framebuffer when the driver has one (else they draw
// into the back buffer). Lives for the whole run; the checks switch it off to try the other way.
extern bool bakeOffScreen;

// Whether the bakes blur on the processor (else through GL passes, the reference the checks
// compare the processor's bytes with). Lives for the whole run.
extern bool bakeBlurOnProcessor;

// Both run at the end of every hole load, shadow first. They draw off screen when the driver
// offers framebuffer objects, else into the back buffer, which they leave cleared.
void bakeShadowTexture();
void bakeSurfTexture();
