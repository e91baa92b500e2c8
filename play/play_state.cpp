#include "play/play_state.h"

#include "play/computer_player.h"

PlayerTable players;
ScoreTable scores;

int holeNumber = 1;
int trainingMode = 0;
int cameraMode = 1;
int shotPhase = Aiming;
float aimAngle = 0;
float strikePower = 0;
float viewTimer = 0;
float restTimer = 0;
float strokeClock = 0;
float followTimer = 0;
float turnBannerFade = 1;
float viewIconFade = 0;
float slideOffset = 0;
float decorAngle = 0;

int activePlayerCount() {
  if (players.playerCount < 1) return 1;
  return players.playerCount < kMaxPlayers ? players.playerCount : kMaxPlayers;
}

int currentSlot() {
  const int slot = players.currentPlayer;
  return slot >= 0 && slot < kMaxPlayers ? slot : 0;
}

void resetPlayersForHole() {
  for (int slot = 0; slot < kPlayerSlots; ++slot) {
    players.strokes[slot] = 0;
    players.savedCameraMode[slot] = kFarView;
    players.holedOut[slot] = 0;
  }
  players.currentPlayer = 0;
  cameraMode = HoleIntro;
  viewTimer = 9.0f;
  // A stroke cut short by the pause menu must not carry over: a still-rolling phase would skip
  // the introduction and hand the first turn to the wrong player.
  shotPhase = Intro;
  resetComputerTurn();
}
