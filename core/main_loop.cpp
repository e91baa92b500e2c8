#include "core/main_loop.h"

#include <GL/gl.h>

#include <cstdlib>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/automation.h"
#include "core/frame_clock.h"
#include "core/pause_menu.h"
#include "core/playing_screen.h"
#include "core/screenshot_key.h"
#include "core/transition_screen.h"
#include "core/video_modes.h"
#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/world_theme.h"
#include "play/computer_player.h"
#include "play/play_state.h"
#include "render/resource_sets.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "ui/course_select.h"
#include "ui/high_score_screen.h"
#include "ui/new_record.h"
#include "ui/options_screen.h"
#include "ui/player_setup.h"
#include "ui/score_file.h"
#include "ui/text_drawing.h"
#include "ui/title_menu.h"
#include "ui/training_select.h"

namespace {

constexpr int kLookLimit = 80;      // relative motion at or beyond this is a warp's jump
constexpr int kLookLeash = 200;     // pointer distance from the centre line before a warp
constexpr float kAimPerPixel = 0.2f;
constexpr float kPowerPerPixel = 0.1f;
constexpr int kInterfaceReload = -100;

void applyMouseLook(int xrel, int yrel) {
  const MouseLookStep step =
      mouseLookStep(xrel, yrel, input.mouseX, input.mouseY, screenWidth, screenHeight);
  aimAngle += step.aimChange;
  if (step.warpX) warpPointer(screenWidth / 2, input.mouseY);
  strikePower += step.powerChange;
  if (step.warpY) warpPointer(input.mouseX, screenHeight / 2);
  strikePower = clampStrikePower(strikePower);
}

// While a computer plays, the strike power is its own.
bool computerPlays() { return screenState == Playing && isComputerPlayer(players.currentPlayer); }

void handleButtonDown(int button) {
  input.mouseButtons = button == SDL_BUTTON_LEFT ? 1 : button == SDL_BUTTON_RIGHT ? 2 : 0;
  if (computerPlays()) return;
  if (button == SDL_BUTTON_WHEELUP) strikePower += 1.0f;
  if (button == SDL_BUTTON_WHEELDOWN) strikePower -= 1.0f;
  strikePower = clampStrikePower(strikePower);
}

// Every transition below -100 reloads the interface first: the pointer comes back, the
// music stops and the textures are released before the glyphs and the backdrop reload.
void reloadInterface() {
  SDL_ShowCursor(SDL_ENABLE);
  screenState += 100;
  stopMusic();
  releaseAllTextures();
  widgetInput.editFocusWidget = 0;
  loadGlyphSet();
  loadTexture(GameTextures[BackgroundTexture], "./data/sky/fonbleu.tga", ClampMipmapped);
  transitionOffset = kTransitionStart;
}

// At the end of some screens' frames a held Escape leaves for the given screen.
void leaveOnEscape(int target) {
  if (input.keyEscape) screenState = target;
}

void runLoadingScreen() {
  loadGameSet();
  loadMenuSet();
  if (screenChoice == 0) {
    playMusic(kTitleMusicPath);
    screenState = TitleMenu;
  } else {
    screenChoice = 0;
    screenState = EnterHighScores;
  }
}

// A course starts: the score table and every player's strokes are cleared.
void runLoadCourseScreen() {
  for (auto& row : scores.strokes) row.fill(0);
  players.strokes.fill(0);
  players.savedCameraMode.fill(1);
  loadGameSet();
  playMusic(worldTheme.musicPath.data());
  loadHoleMap();
  SDL_ShowCursor(SDL_DISABLE);
  screenState = Playing;
}

}  // namespace

// Both ways out of play end in the high scores, which merge the game once more.
void leavePlayWhenAsked() {
  if (holeNumber > courseHoleCount()) {
    roundMerged = 0;
    slideOffset = 0.0f;
    screenChoice = 1;
    screenState = reloadTransitionTo(Reload);
  }
  if (input.keyEscape) {
    roundMerged = 0;
    screenChoice = 1;
    screenState = EnterPause;
  }
}

int nextClickState(int clickState, int mouseButtons) {
  if (mouseButtons == 0 && clickState == -1) return 0;
  if (clickState == 1) return -1;
  if (mouseButtons == 1 && clickState == 0) return 1;
  return clickState;
}

MouseLookStep mouseLookStep(int xrel, int yrel, int mouseX, int mouseY, int width, int height) {
  MouseLookStep step;
  if (std::abs(xrel) < kLookLimit) step.aimChange = static_cast<float>(xrel) * kAimPerPixel;
  step.warpX = mouseX < width / 2 - kLookLeash || mouseX > width / 2 + kLookLeash;
  if (std::abs(yrel) < kLookLimit) step.powerChange = static_cast<float>(yrel) * kPowerPerPixel;
  step.warpY = mouseY < height / 2 - kLookLeash || mouseY > height / 2 + kLookLeash;
  return step;
}

bool mouseLookApplies() {
  return screenState == Playing && shotPhase == Aiming && cameraMode != 3 && !computerPlays();
}

float clampStrikePower(float power) {
  if (power < 0.0f) return 0.0f;
  if (power > kMaxStrikePower) return kMaxStrikePower;
  return power;
}

void readKeyFlags(const Uint8* keyState) {
  input.keyLeft = keyIsDown(keyState, SDLK_LEFT);
  input.keyRight = keyIsDown(keyState, SDLK_RIGHT);
  input.keyUp = keyIsDown(keyState, SDLK_UP);
  input.keyDown = keyIsDown(keyState, SDLK_DOWN);
  input.keyF1 = keyIsDown(keyState, SDLK_F1);
  input.keyF2 = keyIsDown(keyState, SDLK_F2);
  input.keyF3 = keyIsDown(keyState, SDLK_F3);
  input.keyF4 = keyIsDown(keyState, SDLK_F4);
  input.keyEscape = keyIsDown(keyState, SDLK_ESCAPE);
  input.keyReturn = keyIsDown(keyState, SDLK_RETURN);
  input.keyBackspace = keyIsDown(keyState, SDLK_BACKSPACE);
  input.keySpace = keyIsDown(keyState, SDLK_SPACE);
}

void handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      input.typedChar = static_cast<char>(event.key.keysym.unicode & 0xFF);
      if (event.key.keysym.sym == SDLK_F12) requestKeyScreenshot();
      break;
    case SDL_MOUSEMOTION:
      input.mouseX = event.motion.x;
      input.mouseY = event.motion.y;
      if (mouseLookApplies()) applyMouseLook(event.motion.xrel, event.motion.yrel);
      break;
    case SDL_MOUSEBUTTONDOWN: handleButtonDown(event.button.button); break;
    case SDL_MOUSEBUTTONUP: input.mouseButtons = 0; break;
    case SDL_QUIT: quitRequested = 1; break;
    default: break;
  }
}

void runScreen() {
  switch (screenState) {
    case Loading: runLoadingScreen(); break;
    case StartCourse: screenState = reloadTransitionTo(LoadCourse); break;
    case EnterOptions:
      selectCurrentVideoMode();
      screenState = Options;
      break;
    case TitleMenu: runTitleMenu(); break;
    case Options:
      runOptions();
      leaveOnEscape(TitleMenu);
      break;
    case PlayerSetup:
      runPlayerSetup();
      leaveOnEscape(TitleMenu);
      break;
    case CourseSelect:
      runCourseSelect();
      leaveOnEscape(TitleMenu);
      break;
    case EnterHighScores:
      playMusic(kScoreMusicPath);
      loadTexture(GameTextures[BackgroundTexture], "./data/sky/fonrouge.tga", ClampMipmapped);
      screenState = HighScores;
      break;
    case HighScores:
      runHighScores();
      leaveOnEscape(LeaveHighScores);
      break;
    case LeaveHighScores:
      playMusic(kTitleMusicPath);
      screenState = TitleMenu;
      break;
    case LoadCourse: runLoadCourseScreen(); break;
    case Playing:
      updatePlayingScreen();
      leavePlayWhenAsked();
      break;
    case Reload: screenState = Loading; break;
    case EnterPause:
      SDL_ShowCursor(SDL_ENABLE);
      screenState = PauseMenu;
      drawPauseMenu();
      break;
    case PauseMenu: drawPauseMenu(); break;
    case RecordCongrats:
      runNewRecord();
      leaveOnEscape(LeaveHighScores);
      break;
    case TrainingSelect:
      runTrainingSelect();
      leaveOnEscape(TitleMenu);
      break;
    default: break;  // transitions and unused numbers draw nothing here
  }
}

void readFrameInput() {
  runScriptFrame();
  readKeyFlags(SDL_GetKeyState(nullptr));
  SDL_Event event;
  while (SDL_PollEvent(&event)) handleEvent(event);
  input.clickState = nextClickState(input.clickState, input.mouseButtons);
  input.mouseXf = static_cast<float>(input.mouseX);
  input.mouseYf = static_cast<float>(input.mouseY);
}

void runFrame() {
  readFrameInput();

  glClear(GL_DEPTH_BUFFER_BIT);  // every screen paints its own background
  if (screenState < 0) {
    if (screenState < kInterfaceReload) reloadInterface();
    drawTransitionScreen();
  }
  runScreen();  // a transition that ended above runs its target in this frame
  updateSound();  // starts this frame's effects and keeps the music fed

  input.typedChar = kNoTypedChar;
  input.hoveredItem = 0;
  takeScriptScreenshots();  // the back buffer holds this frame until the swap
  takeKeyScreenshot();
  SDL_GL_SwapBuffers();

  if (finishAutomatedFrame(roundMerged == 1)) {
    quitRequested = 1;
    videoRestart = 0;
  }
  updateFrameClock(frameClock, currentTicks());
}

void runMainLoop() {
  input.mouseButtons = 0;
  while (quitRequested == 0) {
    runFrame();
    // The mixer opens once the first frame is shown; a run that ends there never needs it.
    if (quitRequested == 0) startSoundOnce();
  }
}
