#include "play/ball_physics.h"

#include <cmath>

#include "core/app_state.h"
#include "core/audio.h"
#include "course/terrain_grid.h"
#include "play/aiming_aid.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "render/vector_math.h"
#include "play/terrain_sampling.h"
#include "render/particles.h"
#include "render/sea.h"

BallState ball;

namespace {

constexpr double kGravity = 8;             // units/s^2 on vy
constexpr double kSlopePush = 20;          // units/s^2 times the cosine of the slope angle
constexpr double kRollingResistance = 0.6; // share of the speed lost per second
constexpr double kBounceKeep = 0.5;        // share of the vertical speed a bounce keeps
constexpr double kLoudBounce = 0.7;        // rebounds faster than this make a sound
constexpr double kCupSinkSpeed = 3;        // units/s while over the cup
constexpr double kCupFloorDepth = 0.15;    // cup floor below cupHeight
constexpr double kHoledDepth = 0.1;        // below this under cupHeight the ball is holed
constexpr double kCupPullRadius = 0.1;
constexpr double kCupPullRate = 14;
constexpr double kSeaFloat = 0.1;          // the ball floats this far below the sea surface
constexpr double kWaterContact = 0.05;
constexpr double kJumpSpeed = 8;
constexpr double kJumpLift = 0.2;          // a pad launches from this far above its base

// Four puffs around a point: the ball sinking into the cup or splashing into the sea.
void spawnSplash(double x, double y, double z) {
  spawnEffect(x + 0.01, y, z + 0.01, SmokePuff);
  spawnEffect(x, y, z + 0.01, SmokePuff);
  spawnEffect(x + 0.01, y, z, SmokePuff);
  spawnEffect(x, y, z, SmokePuff);
}

// The knock of the ball against a wall; higher the faster it travels.
void playWallSound() {
  const int frequency = static_cast<int>(std::fabs(ball.velocity.x * 2000) + 60000 +
                                         std::fabs(ball.velocity.z * 2000));
  playSample(Rebound, frequency, 150, 128);
}

double horizontalDistanceToCup() {
  return std::hypot(ball.position.x - holeSetup.cupX, ball.position.z - holeSetup.cupZ);
}

bool cellInPlay(int x, int z) { return x >= 1 && x <= kGridCells - 1 && z >= 1 && z <= kGridCells - 1; }

// The cup takes the ball: it sinks, and below the holed depth the stroke ends in the cup.
// Returns the ground height the ball rests on while over the cup.
double sinkIntoCup(double f) {
  ball.position.y -= kCupSinkSpeed / f;
  if (ball.position.y < holeSetup.cupHeight - kHoledDepth && cameraMode != Holed) {
    ball.position = {holeSetup.cupX, holeSetup.cupHeight - kCupFloorDepth, holeSetup.cupZ};
    ball.velocity = {};
    cameraMode = Holed;
    players.holedOut[currentSlot()] = 1;
    shotPhase = Halted;
    spawnSplash(ball.position.x, ball.position.y, ball.position.z);
    viewTimer = 0;
  }
  return holeSetup.cupHeight - kCupFloorDepth;
}

// Gravity, settling on the ground and the bounce.
void applyGravityAndGround(double g, double f) {
  BallVector& p = ball.position;
  BallVector& v = ball.velocity;
  v.y -= kGravity / f;
  if (p.y < g + 5 / f && std::fabs(v.y) < 20 / f) {
    v.y = 0;
    p.y -= 5 / f;
  }
  if (p.y < g) {
    p.y = g;
    v.y = std::fabs(v.y * kBounceKeep);
    if (v.y > kLoudBounce) {
      playSample(Rebound, 40000, 250, 128);
      spawnEffect(p.x, p.y, p.z, SmokePuff);
    }
  }
  p.y += v.y / f;
}

// Downhill acceleration, and the steep faces: a climb steeper than 45 degrees always turns the
// ball back, a fall steeper than about 50 degrees pushes it on.
void applySlopeForces(double f) {
  BallVector& v = ball.velocity;
  const double ax = ball.slopeAngleX;
  const double az = ball.slopeAngleZ;
  v.x += std::cos(ax * kDegToRad) * kSlopePush / f;
  v.z += std::cos(az * kDegToRad) * kSlopePush / f;
  if (ax > 135 && ax < 300) v.x = -std::fabs(v.x) - kSlopePush / f;
  if (ax > 300 && ax < 400) v.x = std::fabs(v.x) + kSlopePush / f;
  if (az > 135 && az < 300) v.z = -std::fabs(v.z);
  if (az > 300 && az < 400) v.z = std::fabs(v.z);
}

// The ball touches the sea level over deep water: it stops and the stroke is lost, once.
void loseInWater() {
  ball.velocity = {};
  if (cameraMode == InWater) return;
  cameraMode = InWater;
  shotPhase = Halted;
  playSample(Water, 20000, 250, 128);
  spawnSplash(ball.position.x, ball.position.y, ball.position.z);
  viewTimer = 0;
}

void applyRollingResistance(int cellX, int cellZ, double f) {
  BallVector& v = ball.velocity;
  if (behaviourAt(cellX, cellZ) == RoughGround) {
    v.z -= v.z * kRollingResistance / f;
    v.x -= v.x * kRollingResistance / f;
  }
  v.z -= v.z * kRollingResistance / f;
  v.x -= v.x * kRollingResistance / f;
}

void stepBackX(double f) { ball.position.x -= ball.velocity.x / f; }
void stepBackZ(double f) { ball.position.z -= ball.velocity.z / f; }

// A half-cell wall on the diagonal: the probe in the solid half mirrors the velocity across the
// diagonal and puts the ball back where the frame started.
void collideDiagonalWall(int rotation, double fx, double fz) {
  BallVector& v = ball.velocity;
  bool swapAgainst = false;  // the r = 0/180 walls run against the other diagonal
  bool solid = false;
  switch (rotation) {
    case 0: solid = fx + fz >= 1; swapAgainst = true; break;
    case 180: solid = fx + fz < 1; swapAgainst = true; break;
    case 90: solid = fx > fz; break;
    case 270: solid = fx <= fz; break;
    default: return;
  }
  if (!solid) return;
  const double vx = v.x;
  v.x = swapAgainst ? -v.z : v.z;
  v.z = swapAgainst ? -vx : vx;
  ball.position.x = ball.previousPosition.x;
  ball.position.z = ball.previousPosition.z;
  playWallSound();
}

// Which of the four side tests of a solid cell may push the ball back. For a wall block the cell
// the ball came from must not be a wall itself; for raised blocks the ball must come from lower
// ground and be on the near half of the cell.
struct SideRule {
  int behaviour = WallBlock;  // WallBlock, RaisedPlatform or BobbingPlatform
  float height = 0;           // the block's base height
  float probeX = 0, probeZ = 0;
  int cellX = 0, cellZ = 0;
};

bool sideOpen(const SideRule& rule, int fromX, int fromZ) {
  if (rule.behaviour == WallBlock) return behaviourAt(fromX, fromZ) != WallBlock;
  if (rule.behaviour == RaisedPlatform) return terrainGrid.cells[fromX][fromZ].objectHeight < rule.height;
  return true;
}

// The side tests; returns whether any applied.
bool collideSides(const SideRule& rule, double f) {
  BallVector& p = ball.position;
  BallVector& v = ball.velocity;
  const int pcx = static_cast<int>(std::floor(ball.previousPosition.x));
  const int pcz = static_cast<int>(std::floor(ball.previousPosition.z));
  const bool nearHalf = rule.behaviour != WallBlock;
  const float midX = rule.cellX + 0.5f;
  const float midZ = rule.cellZ + 0.5f;
  bool applied = false;
  if (p.x < ball.previousPosition.x && sideOpen(rule, pcx, rule.cellZ) && (!nearHalf || rule.probeX > midX)) {
    stepBackX(f);
    v.x = std::fabs(v.x);
    applied = true;
  }
  if (p.x > ball.previousPosition.x && sideOpen(rule, pcx, rule.cellZ) && (!nearHalf || rule.probeX < midX)) {
    stepBackX(f);
    v.x = -std::fabs(v.x);
    applied = true;
  }
  if (p.z < ball.previousPosition.z && sideOpen(rule, rule.cellX, pcz) && (!nearHalf || rule.probeZ > midZ)) {
    stepBackZ(f);
    v.z = std::fabs(v.z);
    applied = true;
  }
  if (p.z > ball.previousPosition.z && sideOpen(rule, rule.cellX, pcz) && (!nearHalf || rule.probeZ < midZ)) {
    stepBackZ(f);
    v.z = -std::fabs(v.z);
    applied = true;
  }
  return applied;
}

// A ball that reached a wall cell without crossing a side (it came through the corner between
// two walls) is sent back away from both, first matching pair only.
void collideWallCorner(int cx, int cz, double f) {
  struct Corner {
    int dx, dz;      // the two neighbouring walls: (cx + dx, cz) and (cx, cz + dz)
    double sx, sz;   // resulting signs of vx and vz
  };
  constexpr std::array<Corner, 4> kCorners = {{{1, 1, -1, -1}, {-1, 1, 1, -1}, {-1, -1, 1, 1}, {1, -1, -1, 1}}};
  for (const Corner& c : kCorners) {
    if (behaviourAt(cx + c.dx, cz) != WallBlock || behaviourAt(cx, cz + c.dz) != WallBlock) continue;
    stepBackZ(f);
    stepBackX(f);
    ball.velocity.x = c.sx * std::fabs(ball.velocity.x);
    ball.velocity.z = c.sz * std::fabs(ball.velocity.z);
    return;
  }
}

// A jump pad throws the ball once the probe has crossed its centre line in the launch direction.
void collideJumpPad(int cx, int cz, float px, float pz, int rotation, float base) {
  if (ball.position.y >= base + kJumpLift) return;
  double dx = 0, dz = 0;
  if (rotation == 0 && pz < cz + 0.5f) dz = -1;
  else if (rotation == 90 && px < cx + 0.5f) dx = -1;
  else if (rotation == 180 && pz > cz + 0.5f) dz = 1;
  else if (rotation == 270 && px > cx + 0.5f) dx = 1;
  else return;
  playSample(Boom, 80000, 150, 128);
  ball.position = {cx + 0.5, base + kJumpLift, cz + 0.5};
  ball.velocity = {dx * kJumpSpeed, kJumpSpeed, dz * kJumpSpeed};
  if (rotation == 0) {
    spawnEffect(cx + 0.5f, base + 0.55f, cz - 0.5f, SmokePuff);
    spawnEffect(cx + 0.5f, base + 0.67f, cz - 0.6f, DriftingSmoke);
    spawnEffect(cx + 0.5f, base + 0.77f, cz - 0.65f, DriftingSmoke);
  }
}

}  // namespace

void resetBallForHole() {
  ball.velocity.x = 0;
  ball.velocity.z = 0;
  ball.position.y = kBallStartDepth;
}

float seaHeightAt(float x, float z) { return waveHeightAt(x, z); }

void runBallPhysics() {
  ball.previousPosition = ball.position;
  frameClock.fps *= kPhysicsSubSteps;
  for (int step = 0; step < kPhysicsSubSteps; ++step) updateBall();
  frameClock.fps *= 1.0f / kPhysicsSubSteps;
}

void pullBallToCup() {
  const double frameRate = frameClock.fps;
  const BallVector& p = ball.position;
  const double dy = p.y - holeSetup.cupHeight;
  const double d = std::sqrt(std::pow(p.x - holeSetup.cupX, 2) + dy * dy + std::pow(p.z - holeSetup.cupZ, 2));
  if (d >= kCupPullRadius || p.y <= holeSetup.cupHeight - 0.06) return;
  if (p.x > holeSetup.cupX) ball.velocity.x -= kCupPullRate / frameRate;
  if (p.x < holeSetup.cupX) ball.velocity.x += kCupPullRate / frameRate;
  if (p.z > holeSetup.cupZ) ball.velocity.z -= kCupPullRate / frameRate;
  if (p.z < holeSetup.cupZ) ball.velocity.z += kCupPullRate / frameRate;
}

void updateBall() {
  const double f = frameClock.fps;
  BallVector& p = ball.position;
  BallVector& v = ball.velocity;
  // 1. The cell the ball starts the sub-step in decides the rolling resistance.
  const int cellX = static_cast<int>(std::floor(p.x));
  const int cellZ = static_cast<int>(std::floor(p.z));
  // 2-3. Ground, replaced by the sea's floating level over deep water.
  double g = terrainHeightAt(static_cast<float>(p.x), static_cast<float>(p.z));
  const double w = seaHeightAt(static_cast<float>(p.x), static_cast<float>(p.z));
  const bool overWater = w > g + kSeaFloat;
  if (overWater) g = w - kSeaFloat;
  // 4. The cup.
  if (horizontalDistanceToCup() < kCupCaptureRadius) g = sinkIntoCup(f);
  // 5-8. Gravity, settling, bounce, vertical move.
  applyGravityAndGround(g, f);
  // 9. Slopes.
  if (p.y < g + 6 / f && !overWater) applySlopeForces(f);
  // 10. Water.
  if (p.y < g + kWaterContact && overWater) loseInWater();
  // 11. Horizontal move.
  p.x += v.x / f;
  p.z += v.z / f;
  // 12. The aim is shown wherever the ball settles while aiming.
  if (shotPhase == Aiming) drawAimingAid(static_cast<float>(g));
  // 13. Walls and solid objects at the centre and the four probes, each seeing the last's result.
  collideBallAt(static_cast<float>(p.x), static_cast<float>(p.z));
  collideBallAt(static_cast<float>(p.x + kProbeOffset), static_cast<float>(p.z));
  collideBallAt(static_cast<float>(p.x - kProbeOffset), static_cast<float>(p.z));
  collideBallAt(static_cast<float>(p.x), static_cast<float>(p.z + kProbeOffset));
  collideBallAt(static_cast<float>(p.x), static_cast<float>(p.z - kProbeOffset));
  // 14. Rolling resistance.
  applyRollingResistance(cellX, cellZ, f);
}

void collideBallAt(float px, float pz) {
  const int cx = static_cast<int>(std::floor(px));
  const int cz = static_cast<int>(std::floor(pz));
  if (!cellInPlay(cx, cz)) return;
  const double f = frameClock.fps;
  const TerrainCell& cell = terrainGrid.cells[cx][cz];
  const float fx = px - cx;
  const float fz = pz - cz;
  const float base = cell.objectHeight;
  SideRule rule{behaviourAt(cx, cz), base, px, pz, cx, cz};
  switch (rule.behaviour) {
    case DiagonalWall:
      collideDiagonalWall(cell.objectRotation, fx, fz);
      break;
    case WallBlock:
      playWallSound();
      if (!collideSides(rule, f)) collideWallCorner(cx, cz, f);
      break;
    case JumpPad:
      collideJumpPad(cx, cz, px, pz, cell.objectRotation, base);
      break;
    case RaisedPlatform:
      if (ball.position.y >= base - 0.05) break;
      playWallSound();
      collideSides(rule, f);
      break;
    case BobbingPlatform:
      if (ball.position.y >= base + 0.2 * std::cos(10 * kDegToRad * objectClock)) break;
      playWallSound();
      collideSides(rule, f);
      break;
    default:
      break;
  }
}
