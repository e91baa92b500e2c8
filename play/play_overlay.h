// The 2D layer over the play view: hole and par, the player's picture, name, strokes and
// stars, the power gauge, the view icon, the overview key hint, the hole introduction banner,
// and after a holed ball the result panel with the scorecard of the whole course.
#pragma once

#include <array>

constexpr int kOverlayLineLength = 200;  // formatted lines; drawing cuts them to 60 characters
constexpr int kSkippedHoleStrokes = 30;  // what an unplayed hole counts in a total

using OverlayLine = std::array<char, kOverlayLineLength>;

// One frame of the overlay, the last step of the play update. Raises turnBannerFade and
// lowers viewIconFade. (The banner's sound is the flow's: see runHoleIntro.)
void drawPlayOverlay();

// The scorecard of every player over the 18 holes, in a virtual 640 x 480 frame; drawn by
// the overlay once the result backdrop is opaque.
void drawScorecard();

// "<strokes played> <n>   X<stars>" for the current player, singular below two strokes.
void formatStrokeLine(OverlayLine& line);

// A scorecard cell: the strokes of `player` on `hole`, or ".." for a hole not played.
void formatScoreCell(OverlayLine& cell, int player, int hole);

// A player's course total; every unplayed hole counts kSkippedHoleStrokes.
int scorecardTotal(int player);

// The sum of the 18 pars of the current world.
int courseParTotal();

// The Sprites slot the power gauge shows for a power (one image per whole step 0..12).
int powerGaugeSlot(float power);
