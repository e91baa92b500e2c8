// The animated sea around and under the hole, with the surf glow along the shore.
#pragma once

// Degrees; grows by 1.5 per second while the sea is drawn, wraps past 360.
extern float seaPhase;

// Height of the waves that the ball and floating objects ride: 0.1 before the first sea draw,
// 0.05 on the game and title screens, 0.2 between draws on the other screens that show a hole.
extern float waveAmplitude;

// Sea surface under (x, z) as the ball and floating objects see it.
float waveHeightAt(float x, float z);

// Sea quad corner height as drawn: never above -0.05, never below -0.15, capped at 0.
float seaCornerHeight(float x, float z, float phase);

// The 25 drifting sea quads, then the breathing surf quad on the game and title screens.
void drawSea();
