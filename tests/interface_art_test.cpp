// The overlay drawn with the game's own generated art (the build's data tree): every slot the
// interface draws is filled, and a screenshot of an aiming frame is left for looking at.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstring>
#include <filesystem>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/play_overlay.h"
#include "play/play_state.h"
#include "render/resource_sets.h"
#include "render/texture_loader.h"
#include "render/texture_tables.h"
#include "tests/support/gl_test_window.h"
#include "tests/support/temp_data_tree.h"
#include "ui/localised_strings.h"

namespace {

const std::filesystem::path kBuildDir = QUILLMOOR_BINARY_DIR;

class InterfaceArtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kBuildDir / "data" / "lettre" / "a.tga"))
      GTEST_SKIP() << "the data tree has not been generated";
    if (!openTestWindow(800, 600)) GTEST_SKIP() << "no GL window";
    savedPlayers = players;
    savedLanguage = language;
  }
  void TearDown() override {
    players = savedPlayers;
    language = savedLanguage;
    applyLanguage();
    releaseAllTextures();
  }
  PlayerTable savedPlayers;
  int savedLanguage = 0;
};

TEST_F(InterfaceArtTest, GeneratedArtFillsEverySlotTheOverlayDraws) {
  {
    ScopedWorkingDirectory inBuild(kBuildDir);
    releaseAllTextures();
    testing::internal::CaptureStdout();
    loadGlyphSet();
    loadGameSet();
    std::string missing = testing::internal::GetCapturedStdout();
    EXPECT_EQ(missing.find("texture not found"), std::string::npos) << missing;
  }
  for (int slot = 100; slot <= 157; ++slot) {
    bool unused = slot == 141 || slot == 142 || slot == 144;
    EXPECT_EQ(Sprites[slot].loadedFrames, unused ? 0 : 1) << "glyph slot " << slot;
  }
  for (int slot = 8; slot <= 24; ++slot) EXPECT_EQ(Sprites[slot].loadedFrames, 1) << slot;
  for (int slot = 40; slot <= 54; ++slot) EXPECT_EQ(Sprites[slot].loadedFrames, 1) << slot;
  for (int slot = 0; slot <= 5; ++slot) EXPECT_NE(GameTextures[slot].glName, 0u) << slot;

  language = 1;  // the French line shows the accented e
  applyLanguage();
  std::snprintf(worldTheme.levelName.data(), worldTheme.levelName.size(), "%s", "green valley");
  std::strncpy(players.name[0].data(), "ann", kPlayerNameLength - 1);
  players.currentPlayer = 0;
  players.strokes[0] = 1;
  shotPhase = Aiming;
  cameraMode = 1;
  strikePower = 7.9f;
  turnBannerFade = 1;
  holeSetup.par = 3;
  applyFixedGlState();
  glClearColor(0.2f, 0.5f, 0.3f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawPlayOverlay();
  FrameGrab frame = grabFrame();
  frame.save("overlay_generated_art.png");
  // The gauge image covers its centre with something other than the cleared background.
  EXPECT_NE(frame.at(800 - 70, 600 - 70), frame.at(400, 300));
}

}  // namespace
