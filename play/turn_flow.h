// The rules of play: aiming and striking, the rolling ball coming to rest, the turn passing in
// strict rotation, the hole introduction, the water and holed sequences and the next hole.
#pragma once

#include "core/audio.h"

// A stroke that has neither come to rest nor reached water after this many seconds ends as a
// stroke into the water does: some builds of objects (a bumper at the foot of a slope) throw
// the ball about for ever, and the players would be left with nothing but the pause menu.
constexpr float kStrokeTimeLimit = 40;
// The limit in force: kStrokeTimeLimit for the whole run; tests shorten it.
extern float strokeTimeLimit;

// One play frame's flow step, after the scene (and so the physics) has been drawn. Ends by
// placing the camera and drawing the play overlay. The timers of the scripted views (hole
// introduction, water, holed) advance here only; placeCamera only places the eye.
void updatePlay();

// The rules part of updatePlay without camera or overlay: the rolling or aiming step, then the
// timers and outcomes of the scripted views. GL-free.
void runPlayFlow();

// The steps of runPlayFlow; a headless run calls the ones it needs.
void runAimingStep();
void strikeBall();          // the stroke at the current aim and power
void runRollingStep();       // also ends a stroke that ran out of time
void endStroke();           // the ball is still: store it and pass the turn
void runHoleIntro();         // plays the banner sound on its first step
void runWaterSequence();
void runHoledSequence();

// The sound that greets the current player's holed ball: good at or under par.
SampleId holedSample();

// Heading that points a stroke 12 degrees off the straight line from (x, z) to the cup.
float aimAngleTowardsCup(float x, float z);
