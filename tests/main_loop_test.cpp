#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <array>

#include "core/app_state.h"
#include "core/frame_clock.h"
#include "core/main_loop.h"
#include "core/pause_menu.h"
#include "core/playing_screen.h"
#include "core/transition_screen.h"
#include "core/video_modes.h"
#include "play/play_state.h"
#include "ui/score_file.h"

namespace {

SDL_Event motionEvent(int x, int y, int xrel, int yrel) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = static_cast<Uint16>(x);
  e.motion.y = static_cast<Uint16>(y);
  e.motion.xrel = static_cast<Sint16>(xrel);
  e.motion.yrel = static_cast<Sint16>(yrel);
  return e;
}

class MainLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    input = InputState{};
    screenState = TitleMenu;
    screenChoice = 0;
    quitRequested = 0;
    screenWidth = 800;
    screenHeight = 600;
    shotPhase = Aiming;
    cameraMode = 1;
    aimAngle = 0.0f;
    strikePower = 5.0f;
    holeNumber = 4;
    slideOffset = 100.0f;
    scores = ScoreTable{};
  }
};

TEST_F(MainLoop, ALeftPressClicksForExactlyOneFrame) {
  int click = 0;
  std::array<int, 6> seen{};
  const std::array<int, 6> buttons{1, 1, 1, 0, 0, 1};
  for (size_t i = 0; i < buttons.size(); ++i) seen[i] = click = nextClickState(click, buttons[i]);
  EXPECT_EQ(seen, (std::array<int, 6>{1, -1, -1, 0, 0, 1}));
  EXPECT_EQ(nextClickState(0, 2), 0);  // the right button never clicks
  // A left press released within one frame still gives its single click.
  EXPECT_EQ(nextClickState(1, 0), -1);
}

TEST_F(MainLoop, MouseLookTurnsTheAimAndPowerOnlyWhileAimingInPlay) {
  screenState = Playing;
  handleEvent(motionEvent(410, 310, 10, 20));
  EXPECT_FLOAT_EQ(aimAngle, 2.0f);
  EXPECT_FLOAT_EQ(strikePower, 7.0f);  // moving down strengthens the stroke
  EXPECT_EQ(input.mouseX, 410);
  EXPECT_EQ(input.mouseY, 310);

  handleEvent(motionEvent(420, 300, 0, 90));  // a motion of 80 or more is a warp's jump
  EXPECT_FLOAT_EQ(strikePower, 7.0f);
  handleEvent(motionEvent(420, 300, 0, 79));
  EXPECT_FLOAT_EQ(strikePower, kMaxStrikePower);  // clamped after the look

  const float before = aimAngle;
  cameraMode = 3;  // the overview camera
  handleEvent(motionEvent(430, 300, 10, 0));
  EXPECT_FLOAT_EQ(aimAngle, before);
  cameraMode = 1;
  screenState = PauseMenu;
  handleEvent(motionEvent(450, 300, 10, 0));
  EXPECT_FLOAT_EQ(aimAngle, before);
}

TEST_F(MainLoop, EscapeLeavesTheMenuScreensForTheirParents) {
  const std::array<std::pair<int, int>, 6> exits{{{Options, TitleMenu},
                                                  {PlayerSetup, TitleMenu},
                                                  {CourseSelect, TitleMenu},
                                                  {HighScores, LeaveHighScores},
                                                  {RecordCongrats, LeaveHighScores},
                                                  {TrainingSelect, TitleMenu}}};
  for (const auto& [from, to] : exits) {
    input.keyEscape = 0;
    screenState = from;
    runScreen();
    EXPECT_EQ(screenState, from) << "no Escape on screen " << from;
    input.keyEscape = 1;
    runScreen();
    EXPECT_EQ(screenState, to) << "Escape on screen " << from;
  }
}

TEST_F(MainLoop, PlayEndsAfterTheLastHoleAndPausesOnEscape) {
  // Both ways out merge the game into the high scores again.
  screenState = Playing;
  holeNumber = 18;
  roundMerged = 1;
  leavePlayWhenAsked();
  EXPECT_EQ(screenState, Playing);
  EXPECT_EQ(roundMerged, 1);
  holeNumber = 19;
  leavePlayWhenAsked();
  EXPECT_EQ(screenState, -113);
  EXPECT_EQ(screenChoice, 1);
  EXPECT_FLOAT_EQ(slideOffset, 0.0f);
  EXPECT_EQ(roundMerged, 0) << "a finished course";

  screenState = Playing;
  screenChoice = 0;
  holeNumber = 5;
  roundMerged = 1;
  input.keyEscape = 1;
  leavePlayWhenAsked();
  EXPECT_EQ(screenState, EnterPause);
  EXPECT_EQ(screenChoice, 1);
  EXPECT_EQ(roundMerged, 0) << "the pause menu";
}

TEST_F(MainLoop, ACourseStartsWithAClearScoreTable) {
  scores.strokes[2][7] = 4;
  players.strokes[1] = 3;
  players.savedCameraMode[0] = 2;
  screenState = LoadCourse;
  runScreen();
  EXPECT_EQ(screenState, Playing);
  EXPECT_EQ(scores.strokes[2][7], 0);
  EXPECT_EQ(players.strokes[1], 0);
  EXPECT_EQ(players.savedCameraMode[0], 1);
}

TEST_F(MainLoop, PauseMenuLinesQuitSkipOrContinue) {
  screenState = PauseMenu;
  scores.strokes[0][4] = 3;
  scores.strokes[3][4] = 2;
  scores.strokes[0][3] = 5;
  choosePauseItem(QuitCourse);
  EXPECT_EQ(screenState, -113);
  EXPECT_EQ(scores.strokes[0][4], 0);
  EXPECT_EQ(scores.strokes[3][4], 0);
  EXPECT_EQ(scores.strokes[0][3], 5);  // only the hole being left

  screenState = PauseMenu;
  holeNumber = 17;
  scores.strokes[1][17] = 4;
  choosePauseItem(NextHole);
  EXPECT_EQ(screenState, Playing);
  EXPECT_EQ(holeNumber, 18);
  EXPECT_EQ(scores.strokes[1][17], 0);
  choosePauseItem(NextHole);
  EXPECT_EQ(holeNumber, 18);  // never past the last hole

  screenState = PauseMenu;
  slideOffset = 50.0f;
  choosePauseItem(ContinuePlay);
  EXPECT_EQ(screenState, Playing);
  EXPECT_FLOAT_EQ(slideOffset, 0.0f);

  screenState = PauseMenu;
  choosePauseItem(0);  // a click on nothing
  EXPECT_EQ(screenState, PauseMenu);
}

// The rate moves one fifth of the way towards 1000 / the frame time in whole milliseconds, within
// fifteen and five hundred; a 0 ms frame drops to the floor; a steady 16 ms frame settles on 62.
TEST(FrameClock, FrameTimeIsTruncatedAndASteadyRateSettles) {
  FrameClock clock;
  clock.working = 100.0f;
  clock.lastTicks = 1000.0;
  updateFrameClock(clock, 1020.9);  // 20 ms: rate 50
  EXPECT_FLOAT_EQ(clock.fps, 90.0f);
  updateFrameClock(clock, 1021.5);
  EXPECT_FLOAT_EQ(clock.fps, kMinFps);
  EXPECT_FLOAT_EQ(nextWorkingRate(300.0f, 3), 300.0f + (333.0f - 300.0f) / 5.0f);
  EXPECT_FLOAT_EQ(nextWorkingRate(1000.0f, 1), kMaxFps);
  EXPECT_FLOAT_EQ(nextWorkingRate(15.0f, 5000), kMinFps);
  double ticks = 2000.0;
  for (int i = 0; i < 60; ++i) updateFrameClock(clock, ticks += 16.0);
  EXPECT_NEAR(clock.fps, 62.0f, 0.01f);
}

TEST(FrameClock, FixedStepRunsBothClocksOnVirtualTime) {
  setFixedStep(16);
  EXPECT_DOUBLE_EQ(currentTicks(), 0.0);
  for (int i = 0; i < 62; ++i) advanceFixedStep();
  EXPECT_DOUBLE_EQ(currentTicks(), 992.0);
  EXPECT_EQ(currentSecond(), 0);
  advanceFixedStep();
  EXPECT_EQ(currentSecond(), 1);  // 1008 ms

  // The blink toggles once per new second, not once per frame.
  frameClock = FrameClock{};
  updateSecondClock();
  EXPECT_TRUE(frameClock.blink);
  updateSecondClock();
  EXPECT_TRUE(frameClock.blink);
  for (int i = 0; i < 63; ++i) advanceFixedStep();
  updateSecondClock();
  EXPECT_FALSE(frameClock.blink);
  EXPECT_EQ(frameClock.lastSecond, 2);
  setFixedStep(0);
  frameClock = FrameClock{};
}

}  // namespace
