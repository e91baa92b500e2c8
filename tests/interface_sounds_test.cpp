// The two sounds of the interface: the whoosh when the mouse arrives on a small-text button,
// and the transit sound on the first frame of a hole's introduction banner.
#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/sound_layer.h"
#include "play/play_overlay.h"
#include "play/play_state.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/sound_files.h"
#include "ui/text_drawing.h"

namespace {

class InterfaceSoundsTest : public LoopbackMixerTest {
 protected:
  void SetUp() override {
    LoopbackMixerTest::SetUp();
    if (!openTestWindow(640, 480)) GTEST_SKIP() << "no GL window";
    savedSound = soundVolume;
    soundVolume = 10;
    widgetInput = WidgetInput{};
    input = InputState{};
    frameClock.fps = 100;
    lastChannel = -1;
  }
  void TearDown() override {
    stopSound();
    soundVolume = savedSound;
    LoopbackMixerTest::TearDown();
  }
  // One frame of a small-text button at (100, 50), with the mouse where it is.
  static void buttonFrame() {
    input.hoveredItem = 0;
    drawSmallText(3, HAnchor::Left, VAnchor::Top, 100, 50, 1.0f, "next course");
  }
  int savedSound = 0;
};

TEST_F(InterfaceSoundsTest, SmallTextWhooshesOncePerArrival) {
  loadSample(Whoosh, toneFile("whoosh.wav", ToneSpec{}).c_str());
  ASSERT_NE(sampleTable[Whoosh], nullptr);
  input.mouseXf = 120;
  input.mouseYf = 50;
  buttonFrame();
  ASSERT_GE(lastChannel, 0);
  EXPECT_EQ(soundGetFrequency(lastChannel), 40000);
  EXPECT_EQ(soundGetVolume(lastChannel), 250);
  EXPECT_EQ(soundGetPan(lastChannel), 128);

  lastChannel = -1;
  for (int frame = 0; frame < 30; ++frame) buttonFrame();  // resting on it
  EXPECT_EQ(lastChannel, -1);

  input.mouseXf = -100;
  for (int frame = 0; frame < 15; ++frame) buttonFrame();  // away until the pulse dies
  soundVolume = 0;
  input.mouseXf = 120;
  buttonFrame();
  EXPECT_EQ(lastChannel, -1);  // effects switched off
  EXPECT_EQ(input.hoveredItem, 3);
}

TEST_F(InterfaceSoundsTest, HoleBannerSoundsOnItsFirstFrameOnly) {
  loadSample(Transit, toneFile("transit.wav", ToneSpec{}).c_str());
  ASSERT_NE(sampleTable[Transit], nullptr);
  int savedMode = cameraMode, savedPhase = shotPhase;
  float savedTimer = viewTimer;
  cameraMode = HoleIntro;
  shotPhase = Intro;
  viewTimer = 9.0f;
  drawPlayOverlay();
  ASSERT_GE(lastChannel, 0);
  EXPECT_EQ(soundGetFrequency(lastChannel), 5000);
  EXPECT_EQ(soundGetVolume(lastChannel), 100);

  lastChannel = -1;
  viewTimer = 8.95f;
  drawPlayOverlay();
  EXPECT_EQ(lastChannel, -1);
  cameraMode = savedMode;
  shotPhase = savedPhase;
  viewTimer = savedTimer;
}

}  // namespace
