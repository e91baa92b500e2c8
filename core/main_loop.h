// The main loop: one frame reads input, runs the screen that screenState names, swaps the
// buffers and updates the frame-rate factor. Screens change screenState by assignment and
// the new screen runs from the next frame.
#pragma once

#include <SDL/SDL.h>

// Runs frames until quitRequested is set; returns at once when it already is.
void runMainLoop();

// One frame of the loop.
void runFrame();

// The input part of a frame: scripted events, key flags, the event queue, the click edge.
void readFrameInput();

// Sets the twelve key flags of input from the key state (scripted held keys merged).
void readKeyFlags(const Uint8* keyState);

// Applies one SDL event to input (and, through the wheel and mouse-look, to the aim and
// the strike power of play).
void handleEvent(const SDL_Event& event);

// The click edge: 1 for exactly one frame when the left button goes down, -1 while it is
// held, 0 once it is up.
int nextClickState(int clickState, int mouseButtons);

// What one pointer motion does to the aim while aiming: relative motion of 80 pixels or
// more is discarded (it is the jump of our own pointer warp); the pointer is sent back to
// the centre line when it strays more than 200 pixels from it.
struct MouseLookStep {
  float aimChange = 0.0f;    // degrees
  float powerChange = 0.0f;  // strike power steps; moving down strengthens the stroke
  bool warpX = false;        // warp to (width / 2, mouseY)
  bool warpY = false;        // warp to (mouseX, height / 2)
};
MouseLookStep mouseLookStep(int xrel, int yrel, int mouseX, int mouseY, int width, int height);

// Mouse-look applies only in play, while aiming, outside the overview camera.
bool mouseLookApplies();

constexpr float kMaxStrikePower = 12.0f;
float clampStrikePower(float power);

// After a play frame: a finished course leaves for the high scores; a held Escape opens
// the pause menu (and a course quit from there also ends in the high scores).
void leavePlayWhenAsked();

// Runs the screen that screenState names; a negative value or one without a screen does
// nothing.
void runScreen();
