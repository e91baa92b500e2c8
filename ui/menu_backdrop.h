// The pieces the menu screens share: the orbiting sky-and-sea view behind the options and
// selection screens, the blue gradient, the menu strip, the side borders, the wobbling picture
// behind the score screens, coloured bands and the virtual 640 x 480 frame of the score tables.
#pragma once

#include <array>

using Rgba = std::array<float, 4>;

constexpr float kDecorTurnRate = 23.0f;  // degrees per second of the orbiting views
constexpr Rgba kMenuBlue{0.0f, 0.46484375f, 0.8671875f, 0.9f};
constexpr Rgba kBandCyan{0.0f, 0.8f, 0.9f, 1.0f};
constexpr Rgba kFadedCyan{0.0f, 1.0f, 1.0f, 0.0f};
constexpr Rgba kWhite{1.0f, 1.0f, 1.0f, 1.0f};

// Advances decorAngle by one frame of the orbit.
void turnDecor();

// One frame of the sky-and-sea backdrop: the eye circles the hole 13 units out at height 6
// looking at (12.5, 2, 12.5), the two skies travel with it (the upper one turning), then the sea
// under the world's fog when it has fog.
void drawSkyAndSea();

// After a 3D backdrop: the screen projection with lighting, fog, depth test, face culling and
// texturing off, and only texture unit 0 in use.
void beginMenu2D();

// Untextured quads. A vertical gradient from the top colour to the bottom one; a horizontal
// one from left to right; a glow that has `centre` on the vertical centre line and `edge` at
// both sides.
void fillVerticalGradient(float x0, float y0, float x1, float y1, const Rgba& top,
                          const Rgba& bottom);
void fillHorizontalGradient(float x0, float y0, float x1, float y1, const Rgba& left,
                            const Rgba& right);
void fillCentreGlow(float x0, float y0, float x1, float y1, const Rgba& centre, const Rgba& edge);

// The blue veil over the whole screen: alpha 0.9 at the top fading out downwards, or the
// other way round.
void drawBlueVeil(bool opaqueTop);

// The menu strip texture as a band across the bottom of the screen.
void drawMenuStripBand();

// The side-border texture on two full-height strips, the right one mirrored.
void drawSideBorders();

// The screen background (slot 30) a little larger than the screen, each corner circling with
// a radius of 13 pixels as decorAngle grows, tinted; the lower corners are based at
// screenHeight + lowerBase.
void drawCirclingBackground(const Rgba& tint, float lowerBase);

// The virtual frame of the score tables: projection 0..660 by 480..0 with screenWidth and
// screenHeight set to 640 x 480 so that text anchors work on that size. endVirtualScreen puts
// back the real size and the window's screen projection.
struct VirtualScreen {
  int width = 0;
  int height = 0;
};
VirtualScreen beginVirtualScreen();
void endVirtualScreen(const VirtualScreen& saved);

// Draws a sprite with its centre at (x, y) of the screen projection, at its own or half size.
void drawSpriteAt(int slot, float x, float y);
void drawSmallSpriteAt(int slot, float x, float y);

// True when this frame's click lands on the widget just drawn.
bool itemClicked(int widgetId);
