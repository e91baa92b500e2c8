// Training selection: a world and a single hole for one player, with the aiming guide.
#pragma once

// Moves holeNumber by one step (-1 or +1), wrapping within 1..18.
void stepTrainingHole(int step);

// What the start item of training selection does: one player, training mode, the chosen hole.
void startTraining();

// One frame of the training selection.
void runTrainingSelect();
