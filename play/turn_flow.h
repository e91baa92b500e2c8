// The rules of play: aiming and striking, the rolling ball coming to rest, the turn passing in
// strict rotation, the hole introduction, the water and holed sequences and the next hole.
#pragma once

// One play frame's flow step, after the scene (and so the physics) has been drawn. Ends by
// placing the camera and drawing the play overlay. The timers of the scripted views (hole
// introduction, water, holed) advance here only; placeCamera only places the eye.
void updatePlay();

// The steps of updatePlay, GL-free; a headless run calls the ones it needs.
void runAimingStep();
void strikeBall();          // the stroke at the current aim and power
void runRollingStep();
void endStroke();           // the ball is still: store it and pass the turn
void runHoleIntro();
void runWaterSequence();
void runHoledSequence();

// Heading that points a stroke 12 degrees off the straight line from (x, z) to the cup.
float aimAngleTowardsCup(float x, float z);
