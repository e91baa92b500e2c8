// The placed objects of the hole: drawing, animation and the behaviour that acts from the
// object's side (stars, fans, vents, bumpers, mud, windmill passages, emitters), plus the cup and
// its flag. Each behaviour is a GL-free function; drawCourseObjects calls them in drawing order,
// and runObjectBehaviours calls the same functions in the same order for a headless run.
#pragma once

#include <array>

// Behaviour codes of ObjectType.behaviour.
enum ObjectBehaviour : int {
  WallBlock = 1,
  FloatingObject = 2,
  RoughGround = 3,
  Decoration = 4,
  SolidBlock = 5,
  DiagonalWall = 6,
  UpdraftVent = 7,
  RaisedPlatform = 8,
  AlwaysDrawnDecoration = 9,
  StarPickup = 10,
  SteadyEmitter = 11,
  RandomEmitter = 12,
  Wheel = 13,
  JumpPad = 14,
  BumperPost = 100,
  CutOut = 101,
  WindmillPassage = 102,
  PassageExit = 103,
  BobbingPlatform = 104,
  Mud = 105,
  Plank = 106,
};

constexpr int kTurningFanFrames = -1;  // frameCount of an object with a turning fan (model o + 1)

// The clocks run from program start and are never reset.
extern float objectClock;   // degrees-like clock, +6 per second, back to 0 above 360
extern float fanAngle;      // blade angle of fans and vents, degrees
extern float airTimer;      // +20 per second while below 200; spaces out the air sound
extern float flagOffset;    // vertical offset of the flag pole, 0 at rest
extern std::array<float, 3> passageTarget;  // where a blocked windmill passage throws the ball

// Behaviour code of the object on cell (x, z), or -1 when the cell has none (or lies outside the
// grid storage, or names an unloaded type).
int behaviourAt(int x, int z);

// One scene pass of the objects; offScreen (the mirrored reflection and the texture bakes) leaves
// the clocks and animations alone. drawCourseObjects reads mirrorPass for it.
void drawCourseObjects();
// The same pass without any drawing: every object counts as in view.
void runObjectBehaviours(bool offScreen);

// The cup: flag lift and the pull towards the centre (GL-free), then the drawing.
void updateCupAndFlag();
void drawCupAndFlag();

// GL-free steps, in the order a pass runs them.
void advanceObjectClocks(bool offScreen);
void advanceObjectAnimation(int x, int z);  // the common frame advance
void blowFan(int x, int z);
void liftByVent(int x, int z);
void spinStar(int x, int z);
void collectStar(int x, int z);
void runSteadyEmitter(int x, int z);
void runRandomEmitter(int x, int z);
void turnWheel(int x, int z);
void throwFromBumper(int x, int z);
void markPassageExit(int x, int z);
void runWindmillPassage(int x, int z);
void brakeInMud(int x, int z);
