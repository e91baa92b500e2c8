#include "ui/options_screen.h"

#include <GL/glew.h>

#include <cstdio>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/config_file.h"
#include "core/video_modes.h"
#include "play/play_state.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/text_drawing.h"

namespace {

constexpr unsigned char kFullSegment = 0xA3;
constexpr unsigned char kEmptySegment = 0xA4;
constexpr int kWhooshFrequency = 40000;
constexpr int kWhooshVolume = 250;
constexpr int kCentrePan = 128;
constexpr int kButtonRowLift = 40;  // save, back and reset sit this far above the bottom
constexpr int kColumnShift = 150;   // the two volume bars left and right of the centre

void whoosh() {
  if (soundVolume > 0) playSample(Whoosh, kWhooshFrequency, kWhooshVolume, kCentrePan);
}

// The selected entry of the mode list, or an empty mode when the index is out of the list.
VideoMode selectedMode() {
  if (videoModeIndex < 0 || videoModeIndex > videoModeLast) return VideoMode{};
  return videoModes[videoModeIndex];
}

void label(int x, int y, const char* text) {
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Top, x, y, 1.0f, text);
}

// Draws an item and acts on it at once, as the screen's later items may depend on it.
void item(int id, int x, int y, const char* text) {
  drawText(id, HAnchor::CentreOnScreen, VAnchor::Top, x, y, 1.0f, text);
  if (itemClicked(id)) chooseOptionsItem(id);
}

void drawBackdrop2D() {
  beginMenu2D();
  drawBlueVeil(true);
  drawMenuStripBand();
  drawLargeText(0, HAnchor::Left, VAnchor::Top, 30, 30, 0.1f, localisedStrings.strOptions.data());
  beginMenu2D();
  drawSideBorders();
}

void drawButtonRow() {
  const int y = screenHeight - kButtonRowLift;
  item(OptionsSave, -185, y, localisedStrings.strSave.data());
  item(OptionsBack, 185, y, localisedStrings.strBack.data());
  item(OptionsReset, 0, y, localisedStrings.strReset.data());
}

void drawDisplayItems() {
  std::array<char, 32> size{};
  const VideoMode mode = selectedMode();
  std::snprintf(size.data(), size.size(), "%ix%i", mode.width, mode.height);
  label(0, 100, localisedStrings.strDisplayResolution.data());
  item(OptionsResolution, 0, 120, size.data());
  applyWindowedLimit();
  label(0, 150, localisedStrings.strDisplayType.data());
  item(OptionsDisplayType, 0, 170,
       fullscreen == 0 ? localisedStrings.strWindowed.data() : localisedStrings.strFullScreen.data());
  label(0, 200, localisedStrings.strDetails.data());
  const char* detail = detailLevel == 0   ? localisedStrings.strLowGraphics.data()
                       : detailLevel == 1 ? localisedStrings.strNormalGraphics.data()
                                          : localisedStrings.strReflectGraphics.data();
  item(OptionsDetail, 0, 220, detail);
}

void drawSoundItems() {
  VolumeBar bar{};
  label(kColumnShift, 285, localisedStrings.strMusicVolume.data());
  formatVolumeBar(bar, musicVolume);
  item(OptionsMusicVolume, kColumnShift, 305, bar.data());
  label(-kColumnShift, 285, localisedStrings.strSoundVolume.data());
  formatVolumeBar(bar, soundVolume);
  item(OptionsSoundVolume, -kColumnShift, 305, bar.data());
  label(0, 350, localisedStrings.strSelectLanguage.data());
  item(OptionsLanguage, 0, 370, currentLanguageName());
}

}  // namespace

void formatVolumeBar(VolumeBar& bar, int volume) {
  if (volume < 0) volume = 0;
  if (volume > kMaxVolume) volume = kMaxVolume;
  for (int i = 0; i < kMaxVolume; ++i) {
    bar[i] = static_cast<char>(i < volume ? kFullSegment : kEmptySegment);
  }
  bar[kMaxVolume] = '\0';
}

void applyWindowedLimit() {
  if (fullscreen == 0 && selectedMode().width > kWidestWindow) videoModeIndex = 0;
}

void chooseOptionsItem(int id) {
  switch (id) {
    case OptionsSave:
      slideOffset = 0.0f;
      screenState = Loading;
      writeConfig();
      videoRestart = 1;
      quitRequested = 1;
      break;
    case OptionsBack:
      slideOffset = 0.0f;
      screenState = TitleMenu;
      break;
    case OptionsReset:
      std::remove(configPath.data());
      screenState = TitleMenu;
      slideOffset = 0.0f;
      readConfig();
      setMusicVolume(musicVolume);
      applyLanguage();  // the labels follow the restored language at once
      break;
    case OptionsResolution:
      videoModeIndex = videoModeIndex + 1 > videoModeLast ? 0 : videoModeIndex + 1;
      break;
    case OptionsDisplayType: fullscreen = 1 - fullscreen; break;
    case OptionsDetail: detailLevel = detailLevel + 1 >= kDetailLevels ? 0 : detailLevel + 1; break;
    case OptionsMusicVolume:
      musicVolume = musicVolume + 1 > kMaxVolume ? 0 : musicVolume + 1;
      setMusicVolume(musicVolume);
      break;
    case OptionsSoundVolume:
      // Effects go between on at 10 and off at 0.
      soundVolume = soundVolume + kMaxVolume > kMaxVolume ? 0 : soundVolume + kMaxVolume;
      whoosh();
      break;
    case OptionsLanguage:
      language = language + 1 >= kLanguageCount ? 0 : language + 1;
      whoosh();
      applyLanguage();
      break;
    default: break;
  }
}

void runOptions() {
  drawSkyAndSea();
  drawBackdrop2D();
  drawButtonRow();
  drawDisplayItems();
  drawSoundItems();
}
