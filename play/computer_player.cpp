#include "play/computer_player.h"

#include <cmath>
#include <cstdlib>

#include "core/app_state.h"
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

// Rookies search coarsely and miss by more; the ace searches finely and nearly never misses.
constexpr std::array<ComputerStrength, kPlayerKindCount> kStrengths{{
    {kThoroughSearch, 0, 0, 0},                                   // a person: unused
    {{10, 1.5f, 1.5f, 0, 0, 0, 0}, 5.0f, 0.16f, 0.45f},           // rookie
    {{10, 1, 1.5f, 5, 1, 0.75f, 0.25f}, 2.0f, 0.07f, 0.2f},      // club
    {kThoroughSearch, 0.3f, 0.015f, 0},                           // ace
}};

enum ComputerStep : int { NoTurn = 0, Searching = 1, Turning = 2, Charging = 3 };

// The computer turn under way; reset at each hole load and whenever the turn it belongs to
// (hole, player, strokes so far) is no longer the current one.
struct ComputerTurn {
  int step = NoTurn;
  int hole = 0, slot = 0, strokes = 0;
  ChosenStroke stroke;
};
ComputerTurn turn;

// A standard normal draw from two uniform draws of the game's random source (Box-Muller).
float normalDraw() {
  const float u1 = (static_cast<float>(std::rand()) + 1.0f) / (static_cast<float>(RAND_MAX) + 2.0f);
  const float u2 = static_cast<float>(std::rand()) / (static_cast<float>(RAND_MAX) + 1.0f);
  return std::sqrt(-2.0f * std::log(u1)) * std::cos(kTwoPi * u2);
}

bool sameTurn() {
  const int slot = players.currentPlayer;
  return turn.step != NoTurn && turn.hole == holeNumber && turn.slot == slot && turn.strokes == players.strokes[slot];
}

void beginTurn(int kind) {
  turn.step = Searching;
  turn.hole = holeNumber;
  turn.slot = players.currentPlayer;
  turn.strokes = players.strokes[turn.slot];
  beginStrokeSearch(computerStrength(kind).grid, static_cast<unsigned>(std::rand()));
}

// Turns the aim the short way round towards the chosen heading; true once it points there.
bool turnAim() {
  const float left = std::remainder(turn.stroke.aim - aimAngle, 360.0f);
  const float step = kTurnDegreesPerSecond / frameClock.fps;
  if (std::fabs(left) <= step) {
    aimAngle += left;
    return true;
  }
  aimAngle += left > 0 ? step : -step;
  return false;
}

// Fills the gauge; true once it holds the chosen power.
bool chargeGauge() {
  strikePower += turn.stroke.power / kChargeSeconds / frameClock.fps;
  if (strikePower < turn.stroke.power) return false;
  strikePower = turn.stroke.power;
  return true;
}

void strike() {
  if (cameraMode != kOverview) players.savedCameraMode[players.currentPlayer] = cameraMode;
  turn.step = NoTurn;
  strikeBall();
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

ChosenStroke strokeForStrength(int kind, const StrokeChoice& choice) {
  const ComputerStrength& strength = computerStrength(kind);
  const float layUpDraw = static_cast<float>(std::rand()) / (static_cast<float>(RAND_MAX) + 1.0f);
  const bool fromAfar = std::hypot(choice.best.rest.x - ball.position.x, choice.best.rest.z - ball.position.z) > kLayUpDistance;
  const bool layUp = choice.best.result == StrokeHoled && choice.layUp.result == StrokeAtRest && fromAfar &&
                     layUpDraw < strength.layUpChance;
  const StrokeOutcome& planned = layUp ? choice.layUp : choice.best;
  ChosenStroke stroke;
  stroke.aim = planned.aim + strength.aimError * normalDraw();
  stroke.power = planned.power * (1 + strength.powerError * normalDraw());
  if (stroke.power < kMinPower) stroke.power = kMinPower;
  if (stroke.power > kMaxPower) stroke.power = kMaxPower;
  return stroke;
}

void resetComputerTurn() { turn.step = NoTurn; }

void runComputerAiming() {
  const int kind = playerKinds[players.currentPlayer];
  if (!sameTurn()) beginTurn(kind);
  switch (turn.step) {
    case Searching:
      strikePower = 0;  // the wheel is the person's, not the computer's
      if (!continueStrokeSearch(kSearchFramesPerFrame)) return;
      turn.stroke = strokeForStrength(kind, strokeSearchResult());
      turn.step = Turning;
      break;
    case Turning:
      if (turnAim()) turn.step = Charging;
      break;
    case Charging:
      if (chargeGauge()) strike();
      break;
    default: break;
  }
}
