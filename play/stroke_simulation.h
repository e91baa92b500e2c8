// Strokes played without a window: the same frame the game runs (cup pull, eight physics
// sub-steps, the object behaviours in drawing order, the rolling step), at a fixed 60 frames per
// second, and a search over aims and powers for the fewest strokes to hole out.
#pragma once

#include <array>

#include "play/ball_physics.h"

constexpr float kSimulationFps = 60;
// The play flow ends a stroke after strokeTimeLimit seconds (a "timeout"); a run this long
// without any outcome is abandoned as one too.
constexpr int kMaxStrokeFrames = 60 * 60;
constexpr int kMaxSearchStrokes = 8;

enum StrokeResult : int { StrokeHoled = 0, StrokeInWater = 1, StrokeAtRest = 2, StrokeTimedOut = 3 };

struct StrokeOutcome {
  int result = StrokeTimedOut;
  BallVector rest;     // where the next stroke is played from (the start again after water)
  int frames = 0;      // frames from the stroke to the outcome
  int stars = 0;       // stars the ball collected on the way
  float aim = 0;       // the stroke that was played
  float power = 0;
};

struct StrokeSequence {
  std::array<StrokeOutcome, kMaxSearchStrokes> strokes{};
  int count = 0;
  bool holed = false;
};

// One headless play frame at frameClock.fps.
void simulatePlayFrame();
// Headless play frames simulated since the run began, the game's own and the searches' alike;
// lives for the whole run. The benchmarks count a drawn frame's work with it.
extern long simulatedFrames;

// Lets a freshly placed ball drop onto the ground (it starts a hole below the terrain).
void settleBall();

// Plays one stroke for player slot 0 from the ball's current place. Objects, clocks and the
// random generator carry on from where they are; the grid keeps what the stroke changed
// (collected stars).
StrokeOutcome simulateStroke(float aim, float power);

// Searches, stroke after stroke, a coarse grid of aims and powers and then a finer one around
// the best, for the fewest strokes to hole out from the ball's current place. Every candidate
// starts from the same saved state, with the random generator seeded by seed. A stroke is
// better the shorter the way from its rest to the cup over open ground, round walls, cliffs and
// the sea, so that a detour that first leads away from the cup is followed.
StrokeSequence searchStrokes(int maxStrokes, unsigned seed);

// The aims and powers a search tries: every heading at aimStep with the powers from powerFrom
// up to 12, then a finer grid around the best of those (no fine grid when fineAimStep is 0).
// With cupFirst the coarse aims start straight at the cup and widen to either side in turn, so
// that the first stroke found to hole is the plainest rather than a rebound that the least error
// spoils; otherwise they run round from aim 0, as a player who has not studied the hole might.
struct SearchGrid {
  float aimStep, powerFrom, powerStep;            // degrees; strike power steps
  float fineAimSpan, fineAimStep;                 // degrees either side of the coarse best
  float finePowerSpan, finePowerStep;
  bool cupFirst = false;
};
constexpr SearchGrid kThoroughSearch{5, 1, 1, 4, 0.5f, 0.75f, 0.25f, true};

// What a search from one place found: the best stroke (holed in the fewest frames, or else the
// rest nearest the cup along the ground) and the best one that stops short of the cup without
// holing (a lay-up, for players who shy away from a hard stroke).
struct StrokeChoice {
  StrokeOutcome best;
  StrokeOutcome layUp;
};

// A search spread over many calls, for a computer player's turn. beginStrokeSearch starts from
// the ball's current place and the course as it will be after leadFrames more frames with the
// ball waiting (when the stroke will be played), its strokes at fps frames a second; each
// continueStrokeSearch simulates at most frameBudget frames, the look-ahead to the strike
// included (a stroke is cut at the budget and resumed by the next call) and leaves
// every record of the game as it found it, so play goes on between calls. The random source is
// reseeded from its own next draw, so a run with one seed repeats exactly. Returns true once
// the search is complete; strokeSearchResult() then holds the choice.
void beginStrokeSearch(const SearchGrid& grid, unsigned seed, float fps = kSimulationFps, int leadFrames = 0);
bool continueStrokeSearch(int frameBudget);
const StrokeChoice& strokeSearchResult();

// The most candidates a search of this grid can try.
int searchCandidateCount(const SearchGrid& grid);
// The frames the current search's finished candidates took on average (0 before the first).
float strokeSearchFramesPerCandidate();

// Outcome name as printed: "holed", "water", "rest" or "timeout".
const char* strokeResultName(int result);
