// Computer players: each of the four player slots is a person or a computer of one of three
// strengths. On its turn a computer chooses a stroke with the game's own physics (a search spread
// over frames), then shows it as a person would: the aim turns to the chosen heading, the strike
// gauge fills, and the ball is struck through the same path as a click.
#pragma once

#include <array>

#include "play/play_state.h"
#include "play/stroke_simulation.h"

enum PlayerKind : int { PersonPlayer = 0, RookieComputer = 1, ClubComputer = 2, AceComputer = 3 };
constexpr int kPlayerKindCount = 4;

// Lives for the whole run: read from the kinds file at start-up, changed on the set-up screen.
extern std::array<int, kMaxPlayers> playerKinds;

// Person, rookie, club, ace, and back to person.
int nextPlayerKind(int kind);

// "rookie", "club" or "ace" (the tools' names; the set-up screen shows localised words).
const char* computerKindName(int kind);

// A computer plays this slot: never in training, which is for one person.
bool isComputerPlayer(int slot);

// How a strength plays: the grid it searches, the spread of its errors, and how often it plays
// a lay-up short of the cup instead of a stroke that holes from afar.
struct ComputerStrength {
  SearchGrid grid;
  float aimError;     // degrees, standard deviation of the heading's error
  float powerError;   // fraction of the power, standard deviation
  float layUpChance;  // 0..1
};
const ComputerStrength& computerStrength(int kind);

// Simulated frames a computer's search runs within one drawn frame: a fraction of a frame's time.
constexpr int kSearchFramesPerFrame = 1000;
constexpr float kTurnSeconds = 1.0f;     // the aim turns to the chosen heading over this long
constexpr float kChargeSeconds = 1.5f;   // then the strike gauge fills over this long

struct ChosenStroke {
  float aim = 0;
  float power = 0;
};

// A computer that has played this many strokes over par steadies: from then on it searches as
// the ace does and without errors, so that no hole runs away (a stroke played without error goes
// where the search saw it go; a half error still missed the narrow strokes some holes ask for).
constexpr int kSteadyOverPar = 2;

// The grid a strength searches after `played` strokes on a hole of this par.
const SearchGrid& searchGridFor(int kind, int played, int par);

// The stroke a strength plays from a search's choice after `played` strokes on a hole of this
// par, its errors drawn from the game's random source (std::rand, seeded by --seed).
ChosenStroke strokeForStrength(int kind, const StrokeChoice& choice, int played, int par);

// Forgets any computer turn under way (part of the hole load).
void resetComputerTurn();

// One aiming frame of the current player's turn when a computer plays it: the search goes on,
// then the computer waits until its planned moment comes near, the aim turns, the gauge fills,
// and the ball is struck at the planned moment.
void runComputerAiming();
