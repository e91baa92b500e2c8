// The rules-of-play records: players, scores and the globals of the stroke and turn flow.
// The ball physics, camera, overlay and score screens read them; play/ owns them.
#pragma once

#include <array>

constexpr int kPlayerSlots = 6;      // per-hole fields exist for six slots
constexpr int kMaxPlayers = 4;       // at most four take part
constexpr int kHolesPerCourse = 18;
constexpr int kPlayerNameLength = 40;

// Lives for the whole run; names, icons and the count come from the configuration,
// the per-hole fields are reset at each hole load.
struct PlayerTable {
  int playerCount = 1;
  int currentPlayer = 0;
  std::array<std::array<char, kPlayerNameLength>, kMaxPlayers> name{};
  std::array<int, kMaxPlayers> icon{0, 1, 2, 3};
  std::array<int, kPlayerSlots> strokes{};
  std::array<int, kPlayerSlots> savedCameraMode{};
  std::array<int, kPlayerSlots> holedOut{};
  std::array<std::array<float, 3>, kPlayerSlots> restPosition{};
  std::array<int, kPlayerSlots> starsCollected{};  // counted from program start
};
extern PlayerTable players;

// Cleared at each course start: strokes per player slot and hole (index 1..18; 0 unused).
struct ScoreTable {
  std::array<std::array<int, kHolesPerCourse + 1>, kPlayerSlots> strokes{};
};
extern ScoreTable scores;

enum ShotPhase : int { Aiming = 0, Rolling = 1, Halted = 2, HoleDone = 3, Intro = 3691 };
enum CameraModeId : int { ShotReplay = 4, HoleIntro = 5, InWater = 6, Holed = 7 };

extern int holeNumber;       // 1-based; 19 means the course is finished
extern int trainingMode;
extern int cameraMode;       // 0..3 player views, or a CameraModeId
extern int shotPhase;        // a ShotPhase
extern float aimAngle;       // degrees; the stroke goes towards aimAngle + 180
extern float strikePower;    // 0..12
extern float viewTimer;
extern float restTimer;
extern float strokeClock;    // seconds the current stroke has been rolling; reset at each stroke
extern float followTimer;
extern float turnBannerFade;
extern float viewIconFade;
extern float slideOffset;    // hole banner slide
extern float decorAngle;     // turning decorations

constexpr float kRestSpeed = 0.15f;      // below this on both axes the ball counts as nearly still
constexpr int kFarView = 1;              // the view every player starts a hole with

// The number of players taking part, 1..kMaxPlayers whatever playerCount was set to, and the
// slot whose turn it is, 0 when currentPlayer lies outside the player slots: every per-player
// table is indexed through these, so values changed by any path never reach past a table.
int activePlayerCount();
int currentSlot();

// Part of the hole load: every slot starts the hole unplayed in the far view, slot 0 first, and
// the hole introduction begins (whatever phase the previous hole was left in).
void resetPlayersForHole();
