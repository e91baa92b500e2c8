#include "play/play_state.h"

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
float followTimer = 0;
float turnBannerFade = 1;
float viewIconFade = 0;
float slideOffset = 0;
float decorAngle = 0;
