// F12 takes a picture of the frame, on every screen: a PNG named with the date, the time and
// a counter, in the pictures folder ($XDG_PICTURES_DIR) or else the user's data folder.
#pragma once

#include <array>
#include <ctime>

#include "core/app_state.h"

// Asks for a picture of the frame being drawn (the key went down in this frame's events).
void requestKeyScreenshot();

// Before the buffers are swapped: writes the asked-for picture with the capture the script's
// screenshot action uses, and prints one line saying where it went (or why not).
void takeKeyScreenshot();

// "<folder>quillmoor-YYYY-MM-DD-HHMMSS-N.png" for the local time `when`, with the first
// counter N from 1 that names no existing file, so two pictures in one second both stay.
// False when no free name fits.
bool nextScreenshotPath(std::array<char, kPathLength>& out, const char* folder, std::time_t when);
