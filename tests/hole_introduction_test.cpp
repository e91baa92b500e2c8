// The hole banner's sound plays once at the start of every hole's introduction, seen through
// the play frame as the game runs it: the first frame after a hole load (hole 1, or "next hole"
// from the pause menu in the middle of a stroke) moves the introduction on before the overlay.
#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/sound_layer.h"
#include "play/play_state.h"
#include "play/turn_flow.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/play_hole.h"
#include "tests/support/sound_files.h"

namespace {

class HoleIntroduction : public LoopbackMixerTest {};

TEST_F(HoleIntroduction, BannerSoundsOnceAtTheStartOfEveryIntroduction) {
  if (!openTestWindow(640, 480)) GTEST_SKIP() << "no GL window";  // fails in CI
  loadSample(Transit, toneFile("transit.wav", ToneSpec{}).c_str());
  ASSERT_NE(sampleTable[Transit], nullptr);
  buildFlatHole();
  for (int start : {Aiming, Rolling}) {
    shotPhase = start;
    resetPlayersForHole();
    int transits = 0;
    for (int frame = 0; frame < 300 && cameraMode == HoleIntro; ++frame) {
      lastChannel = -1;
      frameClock.fps = 60;
      updatePlay();
      transits += lastChannel >= 0 && soundGetFrequency(lastChannel) == 5000;
    }
    EXPECT_EQ(transits, 1) << "from phase " << start;
    EXPECT_EQ(shotPhase, Aiming);
  }
  stopSound();
  buildFlatHole();
}

}  // namespace
