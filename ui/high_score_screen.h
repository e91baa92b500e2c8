// The high-score screen: the current world's seven best scorecards, the rows the last game
// took glowing, the numbers of a fresh merge settling in a wave, and arrows to other worlds.
#pragma once

#include <array>

// High-score screen items.
enum HighScoreItem : int {
  ScoresBack = 9,
  ScoresPreviousWorld = 11,
  ScoresNextWorld = 12,
};

// How far the number of row e, hole column c (1..18, or 0 for the totals) sits below its place
// while the wave settles.
float scoreWaveOffset(float wave, int column, int row);

// A table cell: the strokes, or ".." for a hole not played.
using ScoreCell = std::array<char, 16>;
void formatStrokesCell(ScoreCell& cell, int strokes);

// The seven rows of HighScoreTable in the virtual 640 x 480 frame.
void drawHighScoreTable();

// What a click on the high-score items does.
void chooseHighScoreItem(int item);

// One frame of the high-score screen; merges the last game first when roundMerged is 0.
void runHighScores();
