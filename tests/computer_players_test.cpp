// Computer players: a computer's turn through the turn flow (search over frames, aim, gauge,
// stroke), the strengths' errors drawn from the seeded random source, the kinds file, and the
// score table kept for people; then whole games through the real binary.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/app_state.h"
#include "core/frame_clock.h"
#include "core/kinds_file.h"
#include "play/computer_player.h"
#include "play/play_state.h"
#include "play/stroke_simulation.h"
#include "play/turn_flow.h"
#include "course/course_catalogue.h"
#include "tests/support/play_hole.h"
#include "tests/support/game_run.h"
#include "ui/score_file.h"

namespace {

// What a computer's turn did, frame by frame, until the ball was struck.
struct TurnTrace {
  int strikeFrame = -1;
  int gaugeStartFrame = -1;  // first frame with power in the gauge
  long mostSimulatedInAFrame = 0;  // the play frame itself and the search's share
  bool recordsKeptWhileSearching = true;
  float aim = 0, power = 0;
};

// Plays frames of the game's headless frame and turn flow for the one computer in slot 0 of a
// flat hole at `fps` frames a second, the ball settled at (x, 12.5) and the cup on cell (14, 12).
TurnTrace playComputerTurn(int kind, unsigned seed, float x = 6.5f, float fps = 60) {
  buildFlatHole(14, 12);
  placeBall(x, 12.5, 0, 0, kBallStartDepth);
  settleBall();
  frameClock.fps = fps;
  playerKinds = {kind, PersonPlayer, PersonPlayer, PersonPlayer};
  resetComputerTurn();
  std::srand(seed);
  const BallVector rest = ball.position;
  TurnTrace trace;
  for (int frame = 0; frame < 60 * 120 && trace.strikeFrame < 0; ++frame) {
    const float aimBefore = aimAngle;
    const long simulatedBefore = simulatedFrames;
    simulatePlayFrame();
    runPlayFlow();
    trace.mostSimulatedInAFrame = std::max(trace.mostSimulatedInAFrame, simulatedFrames - simulatedBefore);
    if (shotPhase == Rolling) {
      trace.strikeFrame = frame;
    } else if (strikePower > 0 && trace.gaugeStartFrame < 0) {
      trace.gaugeStartFrame = frame;
    } else if (trace.gaugeStartFrame < 0 && aimAngle == aimBefore) {
      // Searching (the aim has not begun to turn): the game's records stay as they were.
      trace.recordsKeptWhileSearching &= std::fabs(ball.position.x - rest.x) < 1e-3 &&
                                         std::fabs(ball.position.z - rest.z) < 1e-3 && players.strokes[0] == 0 &&
                                         cameraMode == kFarView;
    }
  }
  return trace;
}

TEST(ComputerTurn, TheAceFindsTheStrokeOverFramesShowsItAndHolesAStraightHole) {
  // At 240 frames a second the look-ahead to the strike alone is longer than a frame's budget.
  const TurnTrace trace = playComputerTurn(AceComputer, 11, 6.5f, 240);
  ASSERT_GE(trace.strikeFrame, 0) << "the computer never struck";
  EXPECT_TRUE(trace.recordsKeptWhileSearching) << "the search left its simulated strokes in the game";
  EXPECT_LE(trace.mostSimulatedInAFrame, kSearchFramesPerFrame + 1) << "a drawn frame did more than its budget";
  // The gauge fills over a second and a half (360 frames at 240 a second).
  EXPECT_NEAR(trace.strikeFrame - trace.gaugeStartFrame, 360, 2);
  EXPECT_EQ(players.strokes[0], 1);
  for (int frame = 0; frame < 240 * 20 && cameraMode != Holed; ++frame) {
    simulatePlayFrame();
    runPlayFlow();
  }
  EXPECT_EQ(cameraMode, Holed) << "the ace's stroke missed a straight eight-cell putt";
}

TEST(ComputerTurn, StrengthsErrDifferentlyAndOneSeedRepeatsExactly) {
  // The rookie from a short putt: its search is coarse and quick.
  const TurnTrace first = playComputerTurn(RookieComputer, 5, 10.5f);
  const float firstAim = aimAngle;
  const TurnTrace again = playComputerTurn(RookieComputer, 5, 10.5f);
  EXPECT_EQ(aimAngle, firstAim) << "one seed, one stroke";
  EXPECT_EQ(again.strikeFrame, first.strikeFrame);

  // The errors come from std::rand: spread per strength over many draws from one choice.
  StrokeChoice choice;
  choice.best.result = StrokeAtRest;
  choice.best.aim = 180;
  choice.best.power = 6;
  std::array<double, kPlayerKindCount> aimSpread{}, powerSpread{};
  constexpr int kDraws = 400;
  for (int kind = RookieComputer; kind <= AceComputer; ++kind) {
    std::srand(3);
    for (int i = 0; i < kDraws; ++i) {
      const ChosenStroke s = strokeForStrength(kind, choice, 0, 3);
      aimSpread[kind] += (s.aim - 180) * (s.aim - 180) / kDraws;
      powerSpread[kind] += (s.power / 6 - 1) * (s.power / 6 - 1) / kDraws;
    }
    EXPECT_NEAR(std::sqrt(aimSpread[kind]), computerStrength(kind).aimError, 0.15 * computerStrength(kind).aimError);
    EXPECT_NEAR(std::sqrt(powerSpread[kind]), computerStrength(kind).powerError, 0.15 * computerStrength(kind).powerError);
  }
  EXPECT_GT(aimSpread[RookieComputer], aimSpread[ClubComputer]);
  EXPECT_GT(aimSpread[ClubComputer], 4 * aimSpread[AceComputer]);
  std::srand(9);
  const ChosenStroke a = strokeForStrength(ClubComputer, choice, 0, 3);
  std::srand(9);
  const ChosenStroke b = strokeForStrength(ClubComputer, choice, 0, 3);
  EXPECT_EQ(a.aim, b.aim);
  EXPECT_EQ(a.power, b.power);
  // From par + kSteadyOverPar even a rookie plays the stroke the search found: no hole runs away.
  const ChosenStroke steady = strokeForStrength(RookieComputer, choice, 3 + kSteadyOverPar, 3);
  EXPECT_EQ(steady.aim, 180);
  EXPECT_EQ(steady.power, 6);
}

TEST(PlayerKinds, KindsFileKeepsTheFourKindsAndADamagedOneMeansFourPeople) {
  ScratchDir tree;
  const std::array<char, kPathLength> savedConfig = configPath;
  std::snprintf(configPath.data(), configPath.size(), "%s", tree.path("data/tov.pref").c_str());
  tree.write("data/tov.pref", "numberofplayer \t  4\n");
  playerKinds = {AceComputer, PersonPlayer, RookieComputer, ClubComputer};
  writePlayerKinds();
  EXPECT_EQ(tree.read("data/tov.kinds"), "kinds 3 0 1 2\n");
  playerKinds.fill(PersonPlayer);
  readPlayerKinds();
  EXPECT_EQ(playerKinds, (std::array<int, kMaxPlayers>{3, 0, 1, 2}));
  for (const char* damaged : {"kinds 3 0 1\n", "kinds 3 0 1 4\n", "kinds 3 0 -1 2\n", "kinds 3 0 1 2 1\n", "kind 3 0 1 2\n"}) {
    tree.write("data/tov.kinds", damaged);
    playerKinds.fill(AceComputer);
    readPlayerKinds();
    EXPECT_EQ(playerKinds, (std::array<int, kMaxPlayers>{})) << damaged;
  }
  configPath = savedConfig;

  // Training is for one person: a computer kind does not apply there.
  playerKinds[0] = ClubComputer;
  trainingMode = 1;
  EXPECT_FALSE(isComputerPlayer(0));
  trainingMode = 0;
  EXPECT_TRUE(isComputerPlayer(0));
  playerKinds.fill(PersonPlayer);
}

TEST(PlayerKinds, TheScoreTableRecordsOnlyPeoplesRounds) {
  const CourseCatalogue savedCatalogue = catalogue;
  catalogue.worldCount = 0;  // no world: nothing is written
  players = PlayerTable{};
  scores = ScoreTable{};
  std::snprintf(players.name[0].data(), kPlayerNameLength, "pat");
  std::snprintf(players.name[1].data(), kPlayerNameLength, "robo");
  for (int h = 1; h <= kHolesPerCourse; ++h) {
    scores.strokes[0][h] = 3;
    scores.strokes[1][h] = 2;
  }
  playerKinds = {PersonPlayer, AceComputer, PersonPlayer, PersonPlayer};
  LoadedScores = ScoreBoard{};
  for (int k = 1; k <= kShownScores; ++k) LoadedScores[k].strokes.fill(4);
  mergeRound();
  EXPECT_STREQ(HighScoreTable[1].name.data(), "pat");
  for (const ScoreSlot& slot : HighScoreTable) EXPECT_STRNE(slot.name.data(), "robo") << "the computer's better round was entered";
  playerKinds.fill(PersonPlayer);
  screenState = 0;
  catalogue = savedCatalogue;
}

// ---- Whole games through the real binary ----

// The slowest frame rate the game keeps (15 a second), for the fewest drawn frames. The runs end
// as soon as the round is in the table; the frame limit is only a bound.
const std::string kRunOptions = "--fixed-step 67 --seed 5 --frames 6000 --end-at-scores --script script.txt";

// A world of two short fairways where a stroke of power 2.5 to 5 along the start's heading holes
// out, `players` taking part at low detail, and a table of six weak rounds (30 a hole) that any
// round of two holes ranks above; the merge fills the seventh place with a default ("carry").
void setUpTwoHoleWorld(const GameFolder& folder, int players) {
  folder.write("data/levels/level1.vorpel", "MAINpath ./data/levels\nSKY-A ./data/sky/w1-dome.obj\nLevel_Name duo-test\n");
  for (int hole = 1; hole <= 2; ++hole) folder.write("data/levels/" + std::to_string(hole) + "-duo-test.map", fairwayHole(9));
  folder.write("data/tov.pref", "Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\nGamedetail \t 0\n"
               "numberofplayer \t " + std::to_string(players) + "\n");
  std::string table = "game scores file vorpelG \n \n";
  for (int k = 1; k <= 6; ++k) {
    table += "@Name\tweak" + std::to_string(k) + "\n@Scores";
    for (int h = 0; h < 18; ++h) table += "\t30";
    table += "\n";
  }
  folder.write("data/tov_duo-test.scores", table);
}

// Title, player set-up (the second row's kind clicked `kindClicks` times), the world, start.
GameScript toTheFirstHole(int kindClicks) {
  GameScript s;
  s.clickPlay(45);
  for (int k = 0; k < kindClicks; ++k) s.click(60 + 5 * k, 430, 234);
  s.clickContinue(80).clickNextWorld(90).clickContinue(112).at(120, "move 320 240");
  return s;
}

GameRun runToTheScores(const GameFolder& folder, const GameScript& script) {
  folder.write("script.txt", script.text());
  return folder.runWith(kRunOptions);
}

TEST(ComputerGame, APersonAndARookiePlayTwoHolesAndOnlyThePersonIsRanked) {
  ASSERT_TRUE(haveGeneratedData());
  const GameFolder folder(GameFolder::Data::WithoutWorlds);
  setUpTwoHoleWorld(folder, 2);
  GameScript script = toTheFirstHole(1);
  // The person's input all game long: the keys set the gauge to 4, then a click strikes (or goes
  // on from the scorecard). During the computer's turns all of it is ignored.
  for (int f = 130; f < 6000; f += 31) script.at(f, "type ************$$$$").at(f + 18, "press 1").at(f + 20, "release 1");
  const GameRun run = runToTheScores(folder, script);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(folder.read("data/tov.kinds"), "kinds 0 1 0 0\n");
  const std::string table = folder.read("data/tov_duo-test.scores");
  EXPECT_NE(table.find("@Name\tspwimy\n@Scores\t1\t1\t0"), std::string::npos) << table;
  EXPECT_EQ(table.find("muck"), std::string::npos) << "the computer's round was entered";
}

TEST(ComputerGame, FourComputersPlayTwoHolesWithoutInputToTheScoreScreens) {
  ASSERT_TRUE(haveGeneratedData());
  const GameFolder folder(GameFolder::Data::WithoutWorlds);
  setUpTwoHoleWorld(folder, 4);
  folder.write("data/tov.kinds", "kinds 1 2 3 2\n");
  const GameRun run = runToTheScores(folder, toTheFirstHole(0));
  ASSERT_EQ(run.status, 0) << run.out;
  const std::string table = folder.read("data/tov_duo-test.scores");
  EXPECT_NE(table.find("carry"), std::string::npos) << "the score screens never came";
  for (const char* name : {"spwimy", "muck", "ines", "bibu"}) EXPECT_EQ(table.find(name), std::string::npos) << name;
}

}  // namespace
