// The application's shared records: the screen state machine, the frame clock, input and the
// display and configuration values. Every subsystem reads these; core/ owns and updates them.
#pragma once

#include <array>
#include <ctime>

// Screens of the state machine. A negative screenState is the transition towards the screen
// whose number is its absolute value; below -100 the interface is reloaded first.
enum ScreenId : int {
  Loading = 0,
  TitleMenu = 1,
  StartCourse = 2,
  EnterOptions = 3,
  Options = 4,
  PlayerSetup = 5,
  CourseSelect = 6,
  EnterHighScores = 7,
  HighScores = 8,
  LeaveHighScores = 9,
  LoadCourse = 10,
  Playing = 11,
  Reload = 13,
  EnterPause = 14,
  PauseMenu = 15,
  RecordCongrats = 16,
  TrainingSelect = 19,
};

// The screenState of a transition that reloads the interface before the given screen
// (reloadTransitionTo(Reload) is -113, the way from play back to the menus).
constexpr int reloadTransitionTo(int screen) { return -100 - screen; }

constexpr int kPathLength = 4096;

// Live for the whole run; set once at start-up (core/save_paths.h): "./data/tov.pref" and
// "./data/" in a writable data tree, else inside the user's data folder; both empty when the
// game plays without saving.
extern std::array<char, kPathLength> configPath;  // the settings file
extern std::array<char, kPathLength> dataFolder;  // where the score files go, with its slash

// Screen control; lives for the whole run.
extern int screenState;
extern int screenChoice;    // Loading goes to the title menu (0) or the high-score flow (1)
extern int quitRequested;
extern int videoRestart;

// Frame-rate factor: every per-frame change is a rate per second divided by fps.
struct FrameClock {
  float fps = 1000.0f;         // smoothed frames per second, 15..500 after each frame
  float working = 1000.0f;     // smoothing accumulator
  double lastTicks = 0.0;      // SDL ticks (ms) at the end of the previous frame
  bool blink = false;          // toggled once per wall-clock second by some screens
  std::time_t lastSecond = 0;  // second of the last blink toggle
};
extern FrameClock frameClock;

constexpr char kNoTypedChar = 64;  // '@' stands for "nothing typed this frame"

// Refreshed at the top of every frame.
struct InputState {
  int keyLeft = 0, keyRight = 0, keyUp = 0, keyDown = 0;
  int keyF1 = 0, keyF2 = 0, keyF3 = 0, keyF4 = 0;
  int keyEscape = 0, keyReturn = 0, keyBackspace = 0, keySpace = 0;
  int mouseX = 0, mouseY = 0;       // pixels, origin top-left
  float mouseXf = 0, mouseYf = 0;   // float copies for the interface code
  int mouseButtons = 0;             // 0 none, 1 left held, 2 right held
  int clickState = 0;               // 1 first frame of a left press, -1 while held, 0 up
  char typedChar = kNoTypedChar;
  int hoveredItem = 0;              // interface item under the mouse, cleared after the frame
};
extern InputState input;

// Display settings, read from the configuration; used when the window is created.
extern int screenWidth;
extern int screenHeight;
extern int fullscreen;
extern int screenDepth;
extern int screenRefresh;

// Other configured values; live for the whole run.
extern int musicVolume;   // 0..10
extern int soundVolume;   // 0..10, 0 switches effects off
extern int detailLevel;   // 0 low, 1 normal, 2 with reflections
extern int language;      // 0 English, 1 French, 2 German
