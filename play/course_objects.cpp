#include "play/course_objects.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdlib>

#include "core/app_state.h"
#include "core/audio.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/vector_math.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/particles.h"
#include "render/scene.h"
#include "render/sea.h"

float objectClock = 0;
float fanAngle = 0;
float airTimer = 0;
float flagOffset = 0;
std::array<float, 3> passageTarget{};

namespace {

constexpr float kViewRadius = 2.0f;      // frustum test of an object on the ground
constexpr float kSeaViewRadius = 2.6f;   // frustum test of the objects measured from the sea
constexpr float kOutOfSight = 1000000;   // where off-screen passes move platforms and mud
constexpr float kFanPushFloor = 500;     // fans blow while abs(cos(clock) x 1500) is above this

// One pass over the objects: either drawn (culled against the scene frustum) or headless, where
// every object counts as in view.
struct ObjectPass {
  bool drawing = false;
  bool offScreen = false;
};

TerrainCell& cellAt(int x, int z) { return terrainGrid.cells[x][z]; }

const ObjectType& typeOf(int object) { return worldTheme.objectTypes[object]; }

float clockCosine() { return std::cos(objectClock * kDegToRad); }

bool ballInCell(int x, int z) {
  return static_cast<int>(std::floor(ball.position.x)) == x &&
         static_cast<int>(std::floor(ball.position.z)) == z;
}

float ballDistanceTo(float x, float z) {
  return std::hypot(static_cast<float>(ball.position.x) - x, static_cast<float>(ball.position.z) - z);
}

bool inView(const ObjectPass& pass, float x, float y, float z, float radius) {
  return !pass.drawing || sphereInFrustum(sceneFrustum, x, y, z, radius);
}

void playAirSound(float c) { playSample(Air, 30000, static_cast<int>(std::fabs(c * 150)), 128); }

// Model o + k at (x, y, z) turned by r about the vertical.
void drawTurnedModel(int slot, float x, float y, float z, float r) {
  glTranslatef(x, y, z);
  glRotatef(r, 0, 1, 0);
  drawModel(slot);
}

// Cut-outs and passages: unlit, with the transparent parts of their texture left out.
void drawCutOut(int slot, float x, float y, float z, float r) {
  glDisable(GL_LIGHTING);
  glAlphaFunc(GL_GREATER, 0.4f);
  drawTurnedModel(slot, x, y, z, r);
  glAlphaFunc(GL_GREATER, 0);
  glEnable(GL_LIGHTING);
}

// The common drawing and animation; fans also turn their blade and blow.
void passCommonObject(const ObjectPass& pass, int x, int z, int behaviour) {
  TerrainCell& cell = cellAt(x, z);
  const ObjectType& type = typeOf(cell.object);
  const float cx = x + 0.5f, cz = z + 0.5f;
  if (behaviour != AlwaysDrawnDecoration && !inView(pass, cx, cell.objectHeight, cz, kViewRadius)) return;
  const int frame = cell.object + static_cast<int>(cell.objectState);
  if (pass.drawing) drawTurnedModel(frame, cx, cell.objectHeight, cz, static_cast<float>(cell.objectRotation));
  if (!pass.offScreen) advanceObjectAnimation(x, z);
  const bool withFan = behaviour != RoughGround && behaviour != Decoration && behaviour != SolidBlock &&
                       behaviour != AlwaysDrawnDecoration;
  if (!withFan || type.frameCount != kTurningFanFrames) return;
  if (pass.drawing) {
    glTranslatef(0, 0.6845f, 0.63255f);
    glRotatef(fanAngle, 0, 0, 1);
    drawModel(cell.object + 1);
  }
  blowFan(x, z);
}

void passVent(const ObjectPass& pass, int x, int z) {
  const TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  if (pass.offScreen || !inView(pass, cx, cell.objectHeight, cz, kViewRadius)) return;
  if (pass.drawing) {
    glPushMatrix();
    glTranslatef(cx, cell.objectHeight - 0.15f, cz);
    glRotatef(-90, 1, 0, 0);
    glRotatef(fanAngle, 0, 0, 1);
    drawModel(cell.object + 1);
    glPopMatrix();
    drawTurnedModel(cell.object, cx, cell.objectHeight, cz, static_cast<float>(cell.objectRotation));
  }
  liftByVent(x, z);
}

void passStar(const ObjectPass& pass, int x, int z) {
  const TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  if (!pass.offScreen && inView(pass, cx, cell.objectHeight, cz, kViewRadius)) {
    if (pass.drawing) drawTurnedModel(cell.object, cx, cell.objectHeight, cz, cell.objectState);
    spinStar(x, z);
  }
  collectStar(x, z);
}

// Emitters and wheels: drawn when in view, their clocks run in every on-screen pass.
void passTicking(const ObjectPass& pass, int x, int z, int behaviour) {
  const TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  if (pass.drawing && inView(pass, cx, cell.objectHeight, cz, kViewRadius)) {
    if (behaviour == Wheel) {
      glTranslatef(cx, cell.objectHeight, cz);
      glRotatef(static_cast<float>(cell.objectRotation), 0, 1, 0);
      glRotatef(15.0f * x + cell.objectState + 11.0f * z, 1, 0, 0);
      if (!pass.offScreen) drawModel(cell.object);
    } else {
      drawTurnedModel(cell.object, cx, cell.objectHeight, cz, static_cast<float>(cell.objectRotation));
    }
  }
  if (pass.offScreen) return;
  if (behaviour == SteadyEmitter) runSteadyEmitter(x, z);
  if (behaviour == RandomEmitter) runRandomEmitter(x, z);
  if (behaviour == Wheel) turnWheel(x, z);
}

void passFloating(const ObjectPass& pass, int x, int z) {
  const TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  const float w = waveHeightAt(cx, cz);
  if (!pass.drawing || !inView(pass, cx, w, cz, kSeaViewRadius)) return;
  drawTurnedModel(cell.object, cx, 0.3f * w - 0.15f, cz, static_cast<float>(cell.objectRotation));
}

void passBumper(const ObjectPass& pass, int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  if (!inView(pass, cx, waveHeightAt(cx, cz), cz, kSeaViewRadius)) return;
  // A negative state is the short flash after a hit; it runs back up to 0.
  const bool flashing = cell.objectState < 0;
  if (pass.drawing) {
    glTranslatef(cx, cell.objectHeight + cell.objectState, cz);
    glRotatef(objectClock * 5, 0, 1, 0);
    drawModel(flashing ? cell.object + 1 : cell.object);
  }
  if (flashing) cell.objectState += 1 / frameClock.fps;
  else cell.objectState = 0;
  throwFromBumper(x, z);
}

void passCutOut(const ObjectPass& pass, int x, int z, int behaviour) {
  const TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  const float w = waveHeightAt(cx, cz);
  if (behaviour == PassageExit) markPassageExit(x, z);
  if (!inView(pass, cx, w, cz, kSeaViewRadius)) return;
  if (behaviour == WindmillPassage) runWindmillPassage(x, z);
  if (!pass.drawing) return;
  drawCutOut(cell.object, cx, cell.objectHeight, cz, static_cast<float>(cell.objectRotation));
  glColor4f(1, 1, 1, 1);
}

// Bobbing platforms and mud vanish from the off-screen passes (the reflection would show them
// at the wrong height).
void passMovedCommon(const ObjectPass& pass, int x, int z, int behaviour) {
  if (behaviour == Mud) brakeInMud(x, z);
  if (pass.drawing) {
    if (pass.offScreen) glTranslatef(kOutOfSight, 0, kOutOfSight);
    else if (behaviour == BobbingPlatform) glTranslatef(0, 0.2f * std::cos(10 * kDegToRad * objectClock) + 0.1f, 0);
  }
  passCommonObject(pass, x, z, behaviour);
}

void passObject(const ObjectPass& pass, int x, int z, int behaviour) {
  switch (behaviour) {
    case WallBlock: case RoughGround: case Decoration: case SolidBlock: case DiagonalWall:
    case RaisedPlatform: case AlwaysDrawnDecoration: case JumpPad: case Plank:
      passCommonObject(pass, x, z, behaviour);
      break;
    case BobbingPlatform: case Mud:
      passMovedCommon(pass, x, z, behaviour);
      break;
    case FloatingObject: passFloating(pass, x, z); break;
    case UpdraftVent: passVent(pass, x, z); break;
    case StarPickup: passStar(pass, x, z); break;
    case SteadyEmitter: case RandomEmitter: case Wheel: passTicking(pass, x, z, behaviour); break;
    case BumperPost: passBumper(pass, x, z); break;
    case CutOut: case PassageExit: case WindmillPassage: passCutOut(pass, x, z, behaviour); break;
    default: break;  // codes without a role draw nothing and do nothing
  }
}

void passCourseObjects(const ObjectPass& pass) {
  advanceObjectClocks(pass.offScreen);
  if (pass.drawing) glDisable(GL_CULL_FACE);
  for (int z = 0; z < kGridCells; ++z) {
    for (int x = 0; x < kGridCells; ++x) {
      const int behaviour = behaviourAt(x, z);
      if (behaviour < 0) continue;
      if (pass.drawing) {
        glPushMatrix();
        glColor4f(1, 1, 1, 1);
      }
      passObject(pass, x, z, behaviour);
      if (pass.drawing) glPopMatrix();
    }
  }
}

}  // namespace

int behaviourAt(int x, int z) {
  if (x < 0 || z < 0 || x >= kGridStorageX || z >= kGridStorageZ) return -1;
  return objectBehaviour(terrainGrid.cells[x][z].object);
}

void drawCourseObjects() { passCourseObjects({true, mirrorPass}); }

void runObjectBehaviours(bool offScreen) { passCourseObjects({false, offScreen}); }

void advanceObjectClocks(bool offScreen) {
  if (airTimer < 200) airTimer += 20 / frameClock.fps;
  if (offScreen) return;
  objectClock += 6 / frameClock.fps;
  if (objectClock > 360) objectClock = 0;
  const float spin = std::fabs(clockCosine() * 1500);
  fanAngle += (spin > kFanPushFloor ? spin : 5) / frameClock.fps;
}

void advanceObjectAnimation(int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  cell.objectState += ((x + z) * 0.1f + typeOf(cell.object).animationSpeed) / frameClock.fps;
  if (cell.objectState > typeOf(cell.object).frameCount) cell.objectState = 0;
}

// A fan blows along its heading over the three cells in front of it, and only while the clock's
// cosine is strong: about 78% of each 60-second cycle.
void blowFan(int x, int z) {
  const float c = clockCosine();
  if (std::fabs(c * 1500) <= kFanPushFloor) return;
  const int bx = static_cast<int>(std::floor(ball.position.x));
  const int bz = static_cast<int>(std::floor(ball.position.z));
  const float fps = frameClock.fps;
  BallVector& v = ball.velocity;
  switch (cellAt(x, z).objectRotation) {
    case 0:
      if (bx != x || bz <= z || bz >= z + 4) return;
      v.z += std::fabs(c * 20) / fps;
      break;
    case 90:
      if (bz != z || bx <= x || bx >= x + 4) return;
      v.x += std::fabs(c * 15) / fps;
      break;
    case 180:
      if (bx != x || bz <= z - 4 || bz >= z) return;
      v.z -= std::fabs(c * 15) / fps;
      break;
    case 270:
      if (bz != z || bx <= x - 4 || bx >= x) return;
      v.x -= std::fabs(c * 20) / fps;
      break;
    default:
      return;
  }
  if (airTimer > 4 - std::fabs(3 * c)) {
    airTimer = 0;
    playAirSound(c);
  }
}

void liftByVent(int x, int z) {
  const float c = clockCosine();
  const float reach = cellAt(x, z).objectHeight + 0.1f + 0.06f * (std::rand() % 10 + 1);
  if (!ballInCell(x, z) || ball.position.y >= reach) return;
  ball.velocity.y += std::fabs(c * 60) / frameClock.fps;
  if (airTimer > 4 - std::fabs(2 * c)) {
    airTimer = 0;
    playAirSound(c);
  }
}

void spinStar(int x, int z) { cellAt(x, z).objectState += ((x + z) * 0.1f + 40) / frameClock.fps; }

// The star goes for the rest of the hole, for every player.
void collectStar(int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  const BallVector& p = ball.position;
  if (ballDistanceTo(x + 0.5f, z + 0.5f) >= 0.2f) return;
  if (p.y <= cell.objectHeight - 0.1f || p.y >= cell.objectHeight + 0.4f) return;
  cell.object = -1;
  spawnEffect(p.x, p.y, p.z, Sparkle);
  players.starsCollected[currentSlot()] += 1;
  playSample(Star, 30000, 200, 128);
}

void runSteadyEmitter(int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  cell.objectState += ((x + z) * 0.1f + typeOf(cell.object).animationSpeed) / frameClock.fps;
  if (cell.objectState <= 5) return;
  cell.objectState = 0;
  const float d = decorAngle * kDegToRad;
  spawnEffect(x + 0.5f + 0.07f * std::cos(d), cell.objectHeight + 0.5f, z + 0.5f + 0.07f * std::sin(d),
              DriftingSmoke);
}

void runRandomEmitter(int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  cell.objectState += 4 / frameClock.fps;
  if (cell.objectState <= 1) return;
  cell.objectState = 0;
  const float a1 = static_cast<float>(std::rand() % 360 + 1) * kDegToRad;
  const float a2 = static_cast<float>(std::rand() % 360 + 1) * kDegToRad;
  spawnEffect(x + 0.5f + 0.02f * std::cos(a2), cell.objectHeight - 0.5f, z + 0.5f + 0.02f * std::sin(a1),
              WaterDrop);
}

void turnWheel(int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  cell.objectState += ((x + z) * 0.1f + 40) / frameClock.fps;
  if (cell.objectState > 360) cell.objectState -= 360;
}

// A ball touching the bumper leaves at 7.5 units/s from its rim, roughly away from the centre
// (a few degrees of random spread).
void throwFromBumper(int x, int z) {
  TerrainCell& cell = cellAt(x, z);
  const float cx = x + 0.5f, cz = z + 0.5f;
  BallVector& p = ball.position;
  if (ballDistanceTo(cx, cz) >= 0.4f) return;
  if (p.y <= cell.objectHeight - 0.1f || p.y >= cell.objectHeight + 0.5f) return;
  const float a = std::atan2(static_cast<float>(p.z) - cz, static_cast<float>(p.x) - cx) * kRadToDeg;
  p.x = cx + 0.4f * std::cos(a * kDegToRad);
  p.z = cz + 0.4f * std::sin(a * kDegToRad);
  const int k1 = std::rand() % 10 + 1;
  const int k2 = std::rand() % 10 + 1;
  ball.velocity.x = 7.5f * std::cos((a - 5 + k1) * kDegToRad);
  ball.velocity.z = 7.5f * std::sin((a - 5 + k2) * kDegToRad);
  cell.objectState = -0.05f;
  playSample(Bumper, 30000, 200, 128);
}

void markPassageExit(int x, int z) {
  const float cx = x + 0.5f, cz = z + 0.5f;
  passageTarget = {cx, waveHeightAt(cx, cz) + 2.5f, cz};
}

// The windmill's blades, turned by the wheel on the cell beyond, either let the ball through
// along +z or throw it out to the last passage exit.
void runWindmillPassage(int x, int z) {
  const float cx = x + 0.5f, cz = z + 0.5f;
  const float w = waveHeightAt(cx, cz);
  BallVector& p = ball.position;
  BallVector& v = ball.velocity;
  const float bladeState = z + 1 < kGridStorageZ ? cellAt(x, z + 1).objectState : 0;
  const float a = 270 - std::atan2((w + 3) - static_cast<float>(p.y), cx - static_cast<float>(p.x)) * kRadToDeg +
                  bladeState - 180;
  const bool blocked = a > 339 || a < 21 || (a > 70 && a < 110) || (a > 160 && a < 200) || (a > 250 && a < 290);
  const bool inColumn = static_cast<int>(std::floor(p.x)) == x;
  if (inColumn && p.z > z - 1.1 && p.z < z + 1.1 && !blocked) {
    v.z = std::fabs(v.z);
    p.z = z + 1.1;
    playSample(ShotSwish, 60000, 150, 128);
  }
  if (inColumn && p.z > z - 1.1 && p.z < z + 0.95 && blocked) {
    v.x = ((std::rand() % 100 + 1) / 100.0 - 0.5) / 6;
    v.y = 2;
    v.z = 6;
    p = {passageTarget[0], passageTarget[1], passageTarget[2]};
    playSample(Boom, 90000, 100, 128);
    followTimer = 5.1f;
  }
}

void brakeInMud(int x, int z) {
  if (!ballInCell(x, z)) return;
  ball.velocity.z -= ball.velocity.z * 7 / frameClock.fps;
  ball.velocity.x -= ball.velocity.x * 7 / frameClock.fps;
}

// The pole sinks while the ball is within 2 units and comes back up afterwards; a ball right over
// the cup is pulled in.
void updateCupAndFlag() {
  const float frameRate = frameClock.fps;
  const double dx = ball.position.x - holeSetup.cupX;
  const double dy = ball.position.y - holeSetup.cupHeight;
  const double dz = ball.position.z - holeSetup.cupZ;
  const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (d >= 2 || flagOffset <= -4) {
    if (flagOffset < 0) flagOffset += 6 / frameRate;
  } else {
    flagOffset -= 6 / frameRate;
  }
  pullBallToCup();
}

void drawCupAndFlag() {
  updateCupAndFlag();
  glDisable(GL_CULL_FACE);
  glPushMatrix();
  glTranslatef(holeSetup.cupX, holeSetup.cupHeight, holeSetup.cupZ);
  drawModel(CupModel);
  glTranslatef(0, flagOffset, 0);
  drawModel(FlagPoleModel);
  glTranslatef(0, 1.15f, 0);
  glRotatef(std::fmin(-flagOffset * 90, 90.0f), 1, 0, 0);
  glRotatef(20 * std::cos(16 * kDegToRad * seaPhase) + 39, 0, 1, 0);
  drawModel(FlagModel);
  glPopMatrix();
}
