// The real game with every value of its configuration file at an extreme: 0, -1, one past the
// top of its range, 2147483647, and names of 300 characters. Each run goes through the title,
// the player set-up, the course selection and a whole stroke on hole 1, and must exit 0 and
// play exactly as a run whose file holds the nearest values in range: the same pictures, the
// same file written back. A file of values in range is written back byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/game_run.h"

namespace {

// At 10 frames a second: "play", "continue", "start the game", then a stroke of power 1 once
// the hole's introduction is over; the ball has come to rest and the turn passed by frame 225.
// The run's display is 640 x 480, so that is also the largest mode.
GameScript strokeOnTheFirstHole() {
  GameScript s;
  s.clickPlay(35).clickContinue(50).clickContinue(65);
  s.at(140, "type $").at(143, "screenshot aim.png").at(145, "key space").at(225, "screenshot rest.png");
  return s;
}
constexpr int kFrames = 226;

// A whole file laid out exactly as the game writes it, value(key) giving each value's text.
template <typename Value>
std::string configFile(Value value) {
  std::string text = "game conf file vorpelG \n \n\n";
  for (const char* key : {"Sreenwidth", "Sreenheight", "Fullscreen", "Screendepth", "Screenhrz"}) {
    text += std::string(key) + " \t " + value(std::string(key)) + "\n";
  }
  text += "GameSpeed \t  1.000000\n \nMusicVolume \t " + value(std::string("MusicVolume")) + "f\n";
  for (const char* key : {"SoundVolume", "Gamedetail", "playericonA", "playericonB", "playericonC",
                          "playericonD", "playerNameA", "playerNameB", "playerNameC", "playerNameD",
                          "numberofplayer", "BlaBla"}) {
    text += std::string(key) + " \t  " + value(std::string(key)) + "\n";
  }
  return text + " \n";
}

bool isName(const std::string& key) { return key.rfind("playerName", 0) == 0; }

struct Played {
  std::string config;  // the file as the player set-up wrote it back
  std::string aim, rest;
};

Played play(const std::string& name, const std::string& config) {
  const GameFolder folder;
  folder.write("data/tov.pref", config);
  const GameRun run = folder.run(strokeOnTheFirstHole(), kFrames);
  EXPECT_EQ(run.status, 0) << name << "\n" << run.out;
  const Played played{folder.read("data/tov.pref"), folder.read("aim.png"), folder.read("rest.png")};
  EXPECT_GT(played.rest.size(), 1000u) << name << " stopped before the stroke ended\n" << run.out;
  return played;
}

TEST(ConfiguredValues, EveryValueAtAnExtremePlaysAsTheNearestValueInRange) {
  ASSERT_TRUE(haveGeneratedData());
  const std::string name39(39, 'n');
  // The nearest values in range: all at the bottom, or all at the top with the longest names.
  const std::string low = configFile([](const std::string& key) -> std::string {
    if (key == "Sreenwidth") return "640";
    if (key == "Sreenheight") return "480";
    if (key == "Screendepth") return "32";
    if (key == "Screenhrz") return "90";
    if (key == "numberofplayer") return "1";
    return isName(key) ? "ann" : "0";
  });
  const std::string high = configFile([&](const std::string& key) -> std::string {
    if (key == "Sreenwidth") return "640";
    if (key == "Sreenheight") return "480";
    if (key == "Screendepth") return "32";
    if (key == "Screenhrz") return "90";
    if (key == "Fullscreen") return "1";
    if (key == "Gamedetail" || key == "BlaBla") return "2";
    if (key == "numberofplayer") return "4";
    if (isName(key)) return name39;
    return key.rfind("playericon", 0) == 0 ? "14" : "10";
  });
  const Played lowRun = play("low", low);
  const Played highRun = play("high", high);
  // Values in range come back byte for byte.
  EXPECT_EQ(lowRun.config, low);
  EXPECT_EQ(highRun.config, high);
  EXPECT_NE(lowRun.aim, lowRun.rest) << "the stroke moved nothing";

  struct Extreme {
    const char* value;
    const Played& nearest;
  };
  for (const Extreme& e : {Extreme{"0", lowRun}, {"-1", lowRun}, {"2147483647", highRun}}) {
    const Played run = play(e.value, configFile([&](const std::string& key) {
      return isName(key) ? (&e.nearest == &lowRun ? std::string("ann") : name39) : std::string(e.value);
    }));
    EXPECT_EQ(run.config, e.nearest.config) << e.value;
    EXPECT_TRUE(run.aim == e.nearest.aim && run.rest == e.nearest.rest) << e.value << " plays otherwise";
  }
  // One past the top of each range, with names of 300 characters.
  const Played past = play("past-the-top", configFile([](const std::string& key) -> std::string {
    if (key == "Sreenwidth" || key == "Sreenheight") return "3000";  // past any listed mode
    if (key == "Screendepth") return "33";
    if (key == "Screenhrz") return "91";
    if (key == "Fullscreen") return "2";
    if (key == "Gamedetail" || key == "BlaBla") return "3";
    if (key == "numberofplayer") return "5";
    if (isName(key)) return std::string(300, 'n');
    return key.rfind("playericon", 0) == 0 ? "15" : "11";
  }));
  EXPECT_EQ(past.config, highRun.config);
  EXPECT_TRUE(past.aim == highRun.aim && past.rest == highRun.rest) << "one past the top plays otherwise";
}

}  // namespace
