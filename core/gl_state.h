// The fixed OpenGL state set when a window opens and again by the game resource set.
#pragma once

#include <array>

constexpr int kLightColours = 3;

// Diffuse colours of lights 1, 2 and 3 (RGBA). All zero until the game resource set fills
// them; lives for the whole run.
extern std::array<std::array<float, 4>, kLightColours> lightColours;

// Clear values, depth and blend functions, alpha test, colour material and the two
// directional lights (GL_LIGHT1 and GL_LIGHT2, diffuse from lightColours[0] and [1]).
void applyFixedGlState();

// Blending and the alpha test together, as the fixed state has them, on or off. Under the
// usual blend a fragment of alpha 1 gives the same pixel either way; with both off the
// software renderer skips reading the screen and tests depth before shading.
void setBlending(bool on);

// True while blending and the alpha test are on with the usual source-alpha blend, the only
// state under which drawing opaque things unblended leaves the picture alone.
bool usualBlending();
