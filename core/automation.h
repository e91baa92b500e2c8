// Options for driving whole games from tests: a frame limit, virtual time, a fixed random
// seed and scripted input. Without them the game runs as a player sees it.
//
// Scripted input reaches the game by the paths real input takes: events are pushed into
// SDL's queue at the top of their frame, and held keys are merged where the key state is
// read (keyIsDown), so no screen can tell the difference.
#pragma once

#include <SDL/SDL.h>

#include <array>

#include "core/app_state.h"

// Lives for the whole run; set once from the command line.
struct AutomationOptions {
  long frameLimit = 0;  // end after this many frames; 0 runs until quit
  bool endAtScores = false;  // end once the high-score screen has entered a round
  int fixedStepMs = 0;  // virtual milliseconds per frame; 0 uses real time
  bool seedGiven = false;
  unsigned seed = 0;
  std::array<char, kPathLength> scriptPath{};
};
extern AutomationOptions automation;

// Resources prints the live GL and OpenAL names and the resident memory (core/resource_counts.h).
enum class ScriptActionKind { Move, Press, Release, Key, Hold, Unhold, Screenshot, Resources, Quit };

// One scripted action; "type" lines become one Key action per character, a frame apart.
struct ScriptAction {
  long frame = 0;
  ScriptActionKind kind = ScriptActionKind::Quit;
  int x = 0, y = 0;       // Move: pointer position
  int button = 0;         // Press, Release: 1, 3, 4 or 5
  int key = 0;            // Key, Hold, Unhold: SDL key symbol
  int character = 0;      // Key, Hold: the character typed, 0 for none
  int screenshot = -1;    // Screenshot: index into the screenshot paths
};

constexpr int kMaxScriptActions = 8192;
constexpr int kMaxScreenshots = 64;
constexpr int kScriptLineLength = 1024;

// Reads the options; prints one line and returns false on an unknown or malformed option.
bool parseCommandLine(int argc, char** argv);

// Reads the script file; a bad line is reported with its line number and false returned.
bool loadScript(const char* path);

// Parses one script line (comments and blank lines are fine) and appends its actions.
// On failure, writes a reason into error and returns false.
bool parseScriptLine(const char* line, char* error, int errorSize);

// Forgets every loaded action and screenshot path.
void clearScript();

// Number of actions loaded, and one of them, in the order they run.
int scriptActionCount();
const ScriptAction& scriptAction(int index);
const char* screenshotPath(int index);

// The key symbol and typed character for a key name of the script, false when unknown.
bool lookUpKeyName(const char* name, int* key, int* character);

// Top of a frame: pushes this frame's scripted events into SDL's queue and updates the
// scripted key state.
void runScriptFrame();

// Before the buffers are swapped: writes this frame's screenshots.
void takeScriptScreenshots();

// After the frame: counts it; true when the frame limit has been reached, or with
// --end-at-scores once the high-score screen has entered a round (roundEntered).
bool finishAutomatedFrame(bool roundEntered = false);

// Frames run since the first main-loop frame.
long automatedFrameNumber();

// The key state as the game reads it: SDL's state merged with scripted held keys.
bool keyIsDown(const Uint8* keyState, int key);

// Moves the pointer for the game (mouse-look). Under a script the warp arrives as the
// motion event a real warp produces, with its relative jump, at once rather than whenever
// the display server sends it, so scripted runs repeat exactly.
void warpPointer(int x, int y);

// Writes a PNG of what the current frame drew (the back buffer, before the swap).
bool writeScreenshot(const char* path);
