// The aiming arrow under the ball and, in training, the guide lines to the cup.
#pragma once

// Drawn from inside the physics sub-steps while aiming, so eight times per frame on the same
// spot; the translucent colours blend over each other. groundHeight is the sub-step's ground
// height, below which the arrow tip never goes. Does nothing when no window is open, so the
// physics can run headless.
void drawAimingAid(float groundHeight);
