// The pause menu (screen 15): the scene as a backdrop under a dark veil, and three lines:
// quit the course, next hole (not on hole 18) and continue.
#pragma once

enum PauseItem : int { QuitCourse = 1, NextHole = 2, ContinuePlay = 3 };

// Acts on a chosen line of the menu.
void choosePauseItem(int item);

// One frame of the pause menu.
void drawPauseMenu();
