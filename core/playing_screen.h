// One frame of play (screen 11): the banner slide and turning decorations, the 3D scene,
// the play update with its overlay, and the second clock.
#pragma once

// The hole banner slides faster the further it has gone, until 3500 pixels.
float nextSlideOffset(float offset, int width, float fps);

void updatePlayingScreen();
