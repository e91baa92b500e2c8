#include "tests/support/play_hole.h"

#include <cmath>

#include "core/app_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/course_objects.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "render/particles.h"
#include "render/sea.h"

namespace {
// Object type ids used by the tests: one type per test object, handed out in order.
int nextObjectType = 0;
}  // namespace

void buildFlatHole(int cupX, int cupZ) {
  for (int x = 0; x < kGridVertices; ++x) {
    for (int z = 0; z < kGridVertices; ++z) {
      TerrainCell& cell = terrainGrid.cells[x][z];
      cell = TerrainCell{};
      cell.height = (x == 0 || z == 0 || x == kGridCells || z == kGridCells) ? kRimHeight : kTestGround;
    }
  }
  worldTheme.objectTypes.fill(ObjectType{});
  worldTheme.objectCount = -1;
  nextObjectType = 0;
  holeSetup = HoleSetup{};
  holeSetup.cupX = cupX + 0.5f;
  holeSetup.cupZ = cupZ + 0.5f;
  holeSetup.cupHeight = kTestGround;
  seaPhase = 0;
  waveAmplitude = 0.05f;
  objectClock = 0;
  fanAngle = 0;
  airTimer = 0;
  flagOffset = 0;
  passageTarget = {0, 0, 0};
  players = PlayerTable{};
  scores = ScoreTable{};
  trainingMode = 0;
  holeNumber = 1;
  shotPhase = Aiming;
  cameraMode = kFarView;
  aimAngle = 0;
  strikePower = 0;
  viewTimer = restTimer = followTimer = 0;
  input = InputState{};
  clearParticles();
  ball = BallState{};
  frameClock.fps = 60;
}

void setGround(int x0, int z0, int x1, int z1, float height) {
  for (int x = x0; x <= x1 + 1; ++x)
    for (int z = z0; z <= z1 + 1; ++z) terrainGrid.cells[x][z].height = height;
}

void placeObject(int x, int z, int behaviour, int rotation, float height, int frameCount, float animationSpeed) {
  const int id = nextObjectType++;
  ObjectType& type = worldTheme.objectTypes[id];
  type.behaviour = behaviour;
  type.frameCount = frameCount;
  type.animationSpeed = animationSpeed;
  if (worldTheme.objectCount < id) worldTheme.objectCount = id;
  TerrainCell& cell = terrainGrid.cells[x][z];
  cell.object = id;
  cell.objectRotation = rotation;
  cell.objectHeight = height;
  cell.objectState = 0;
}

void placeBall(double x, double z, double vx, double vz, double y) {
  ball.position = {x, y, z};
  ball.velocity = {vx, 0, vz};
}

void runFrames(int frames, float fps) {
  for (int i = 0; i < frames; ++i) {
    frameClock.fps = fps;
    simulatePlayFrame();
  }
}

void runSubSteps(int steps, float frameFps) {
  frameClock.fps = frameFps * kPhysicsSubSteps;
  for (int i = 0; i < steps; ++i) updateBall();
  frameClock.fps = frameFps;
}

int liveParticles(int kind) {
  int count = 0;
  for (const Particle& p : particlePool.entries) count += p.kind == kind;
  return count;
}

double horizontalSpeed() { return std::hypot(ball.velocity.x, ball.velocity.z); }
