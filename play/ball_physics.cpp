#include "play/ball_physics.h"

BallState ball;

void resetBallForHole() {
  ball.velocity.x = 0;
  ball.velocity.z = 0;
  ball.position.y = kBallStartDepth;
}
