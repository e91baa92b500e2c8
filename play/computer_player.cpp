#include "play/computer_player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/app_state.h"
#include "core/frame_clock.h"
#include "course/terrain_grid.h"
#include "play/turn_flow.h"

std::array<int, kMaxPlayers> playerKinds{};

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kMinPower = 0.25f;
constexpr float kMaxPower = 12;
constexpr int kOverview = 3;  // the overview view is no view to strike from
// A lay-up only replaces a stroke that holes from at least this far (units): short putts are
// played for the cup by everyone.
constexpr float kLayUpDistance = 4;
// The search plays at the game's frame rate, which the frame clock keeps within these.
constexpr float kMinSearchFps = kMinFps;
constexpr float kMaxSearchFps = 240;

// Rookies search coarsely, round from aim 0, and miss by more; the ace searches finely, the aims
// at the cup first, and nearly never misses.
constexpr std::array<ComputerStrength, kPlayerKindCount> kStrengths{{
    {kThoroughSearch, 0, 0, 0},                                 // a person: unused
    {{10, 1.5f, 1.5f, 0, 0, 0, 0}, 4.5f, 0.16f, 0.35f},         // rookie
    {{10, 1, 1.5f, 5, 1, 0.75f, 0.25f}, 2.0f, 0.07f, 0.45f},    // club
    {kThoroughSearch, 0.1f, 0.005f, 0},                         // ace
}};

enum ComputerStep : int { NoTurn = 0, Searching = 1, Waiting = 2, Turning = 3, Charging = 4 };

// The computer turn under way; reset at each hole load and whenever the turn it belongs to
// (hole, player, strokes so far) is no longer the current one.
struct ComputerTurn {
  int step = NoTurn;
  int hole = 0, slot = 0, strokes = 0;
  unsigned seed = 0;     // the search's seed; the strike reseeds with it, so objects that draw
                         // random numbers throw the ball as they did in the search
  int frames = 0;        // drawn frames since the turn began
  int strikeFrame = 0;   // the search played its strokes on the course as it will be then
  float searchFps = 0;   // the frame rate the search played its strokes at
  float turnFrom = 0, turnBy = 0;  // degrees
  ChosenStroke stroke;
};
ComputerTurn turn;

// Seconds of play a candidate stroke of the search takes, as the last search of the hole found;
// reset at each hole load. In seconds, so that the first guess holds at any frame rate.
constexpr float kFirstSecondsPerCandidate = 5;
float secondsPerCandidate = kFirstSecondsPerCandidate;

// A standard normal draw from two uniform draws of the game's random source (Box-Muller).
float normalDraw() {
  const float u1 = (static_cast<float>(std::rand()) + 1.0f) / (static_cast<float>(RAND_MAX) + 2.0f);
  const float u2 = static_cast<float>(std::rand()) / (static_cast<float>(RAND_MAX) + 1.0f);
  return std::sqrt(-2.0f * std::log(u1)) * std::cos(kTwoPi * u2);
}

// Frames of turning the aim and filling the gauge at the current frame rate.
int showFrames() { return static_cast<int>(std::lround((kTurnSeconds + kChargeSeconds) * frameClock.fps)); }

bool sameTurn() {
  const int slot = players.currentPlayer;
  return turn.step != NoTurn && turn.hole == holeNumber && turn.slot == slot && turn.strokes == players.strokes[slot];
}

// The strike is planned for when the search should be over and the aim and gauge shown: the
// search then plays its strokes on the course as it will be at that moment.
void beginTurn(int kind) {
  turn = ComputerTurn{};
  turn.step = Searching;
  turn.hole = holeNumber;
  turn.slot = players.currentPlayer;
  turn.strokes = players.strokes[turn.slot];
  turn.seed = static_cast<unsigned>(std::rand());
  const SearchGrid& grid = searchGridFor(kind, turn.strokes, holeSetup.par);
  turn.searchFps = std::min(std::max(frameClock.fps, kMinSearchFps), kMaxSearchFps);
  // The look-ahead to the strike shares the budget with the strokes: L frames ahead, W frames of
  // strokes and S frames of showing at B a drawn frame need L = (L + W) / B + S.
  const float strokeFrames = searchCandidateCount(grid) * secondsPerCandidate * turn.searchFps;
  constexpr float kBudget = kSearchFramesPerFrame;
  turn.strikeFrame = static_cast<int>(std::lround((strokeFrames + showFrames() * kBudget) / (kBudget - 1)));
  beginStrokeSearch(grid, turn.seed, turn.searchFps, turn.strikeFrame);
}

void chooseStroke(int kind) {
  turn.stroke = strokeForStrength(kind, strokeSearchResult(), turn.strokes, holeSetup.par);
  if (strokeSearchFramesPerCandidate() > 0) secondsPerCandidate = strokeSearchFramesPerCandidate() / turn.searchFps;
  // A search that ran late still shows its stroke in full, struck later than planned.
  turn.strikeFrame = std::max(turn.strikeFrame, turn.frames + showFrames());
  turn.step = Waiting;
}

void strike() {
  if (cameraMode != kOverview) players.savedCameraMode[players.currentPlayer] = cameraMode;
  turn.step = NoTurn;
  strikePower = turn.stroke.power;
  std::srand(turn.seed);
  strikeBall();
}

// Waits, then turns the aim the short way round over kTurnSeconds, then fills the gauge over
// kChargeSeconds, and strikes in turn.strikeFrame. Counted in frames, so that the strike comes
// in exactly the frame the search planned for.
void showStroke() {
  const float fps = frameClock.fps;
  const int turnStart = turn.strikeFrame - showFrames();
  const int chargeStart = turn.strikeFrame - static_cast<int>(std::lround(kChargeSeconds * fps));
  if (turn.step == Waiting && turn.frames >= turnStart) {
    turn.step = Turning;
    turn.turnFrom = aimAngle;
    turn.turnBy = std::remainder(turn.stroke.aim - aimAngle, 360.0f);
  }
  if (turn.step == Turning) {
    const float done = std::min(1.0f, static_cast<float>(turn.frames - turnStart) / (kTurnSeconds * fps));
    aimAngle = turn.turnFrom + turn.turnBy * done;
    if (turn.frames >= chargeStart) turn.step = Charging;
  }
  if (turn.step == Charging) {
    aimAngle = turn.turnFrom + turn.turnBy;
    strikePower = turn.stroke.power * std::min(1.0f, static_cast<float>(turn.frames - chargeStart) / (kChargeSeconds * fps));
    if (turn.frames >= turn.strikeFrame) strike();
  }
}

}  // namespace

int nextPlayerKind(int kind) { return kind + 1 >= kPlayerKindCount || kind < 0 ? PersonPlayer : kind + 1; }

const char* computerKindName(int kind) {
  switch (kind) {
    case RookieComputer: return "rookie";
    case ClubComputer: return "club";
    case AceComputer: return "ace";
    default: return "person";
  }
}

bool isComputerPlayer(int slot) {
  return trainingMode == 0 && slot >= 0 && slot < kMaxPlayers && playerKinds[slot] > PersonPlayer &&
         playerKinds[slot] < kPlayerKindCount;
}

const ComputerStrength& computerStrength(int kind) {
  return kStrengths[kind > PersonPlayer && kind < kPlayerKindCount ? kind : AceComputer];
}

const SearchGrid& searchGridFor(int kind, int played, int par) {
  return played - par >= kSteadyOverPar ? kThoroughSearch : computerStrength(kind).grid;
}

ChosenStroke strokeForStrength(int kind, const StrokeChoice& choice, int played, int par) {
  const ComputerStrength& strength = computerStrength(kind);
  const float steadiness = played - par < kSteadyOverPar ? 1.0f : 0.0f;
  const float layUpDraw = static_cast<float>(std::rand()) / (static_cast<float>(RAND_MAX) + 1.0f);
  const bool fromAfar = std::hypot(choice.best.rest.x - ball.position.x, choice.best.rest.z - ball.position.z) > kLayUpDistance;
  const bool layUp = choice.best.result == StrokeHoled && choice.layUp.result == StrokeAtRest && fromAfar &&
                     layUpDraw < strength.layUpChance && played < par;
  const StrokeOutcome& planned = layUp ? choice.layUp : choice.best;
  ChosenStroke stroke;
  stroke.aim = planned.aim + steadiness * strength.aimError * normalDraw();
  stroke.power = planned.power * (1 + steadiness * strength.powerError * normalDraw());
  if (stroke.power < kMinPower) stroke.power = kMinPower;
  if (stroke.power > kMaxPower) stroke.power = kMaxPower;
  return stroke;
}

void resetComputerTurn() {
  turn.step = NoTurn;
  secondsPerCandidate = kFirstSecondsPerCandidate;
}

void runComputerAiming() {
  const int kind = playerKinds[players.currentPlayer];
  if (!sameTurn()) {
    // Looking ahead to the planned moment is this frame's share of the work.
    beginTurn(kind);
    return;
  }
  turn.frames += 1;
  if (turn.step == Searching) {
    strikePower = 0;  // the wheel is the person's, not the computer's
    if (!continueStrokeSearch(kSearchFramesPerFrame)) return;
    chooseStroke(kind);
  }
  showStroke();
}
