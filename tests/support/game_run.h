// The real game binary, run from a scratch folder of its own on an X server of its own with the
// automation options: every whole-game test goes through here.
#pragma once

#include <sstream>
#include <string>

#include "tests/support/scratch_dir.h"

// Every run opens a 640 x 480 window; the menu items' places in it are named once, here.
class GameScript {
 public:
  // One script line: the action at this frame of the run.
  GameScript& at(long frame, const std::string& action);
  // The pointer moves at `frame`; the left button goes down a frame later and up a frame after.
  GameScript& click(long frame, int x, int y);

  GameScript& clickPlay(long frame) { return click(frame, 130, 230); }     // title menu
  GameScript& clickOptions(long frame) { return click(frame, 130, 350); }  // title menu
  GameScript& clickAddPlayer(long frame) { return click(frame, 180, 95); }  // player set-up
  GameScript& clickSecondName(long frame) { return click(frame, 230, 230); }  // player set-up
  // The button at the bottom centre: continue (player set-up), start the game (course
  // selection), back (high scores).
  GameScript& clickContinue(long frame) { return click(frame, 320, 440); }
  GameScript& clickNextWorld(long frame) { return click(frame, 540, 330); }  // course selection
  GameScript& clickNextHole(long frame) { return click(frame, 320, 260); }   // pause menu
  GameScript& clickQuitCourse(long frame) { return click(frame, 320, 225); }  // pause menu
  GameScript& clickMiddle(long frame) { return click(frame, 320, 240); }  // anywhere will do

  std::string text() const { return text_.str(); }

 private:
  std::ostringstream text_;
};

struct GameRun {
  int status = -1;  // the exit status, or -1 when the game did not exit by itself
  std::string out;  // standard output and standard error together
};

class GameFolder {
 public:
  enum class Data {
    Generated,      // data/ links every folder of the generated data tree
    WithoutWorlds,  // the same without levels/, for a test's own worlds
    Empty,          // data/ is empty
  };
  // The folder, with a configuration for a 640 x 480 window unless the data is Empty.
  explicit GameFolder(Data data = Data::Generated);

  std::string path(const std::string& relative = "") const { return dir_.path(relative); }
  void write(const std::string& relative, const std::string& text) const { dir_.write(relative, text); }
  std::string read(const std::string& relative) const { return dir_.read(relative); }
  // Makes a file of the linked data tree this folder's own copy, to spoil or replace.
  void ownCopy(const std::string& relativeToData) const;

  // Runs the game with --fixed-step, --seed and --frames, and the script when it is not empty.
  GameRun run(const GameScript& script, long frames, int stepMs = 100, unsigned seed = 1) const;
  // Runs the game with these arguments and extra environment settings ("NAME=value ...").
  GameRun runWith(const std::string& arguments, const std::string& environment = "") const;

 private:
  ScratchDir dir_;
};

// A hole map of a fairway (floor 1) from x 3 to cupX + 2 on rows 9..15 over floor 0 under the
// sea, the start on cell (5, 12) heading along +x, the cup on cell (cupX, 12).
std::string fairwayHole(int cupX);

// Fails the test when the generated data tree is missing.
bool haveGeneratedData();
