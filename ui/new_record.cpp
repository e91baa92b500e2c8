#include "ui/new_record.h"

#include <GL/glew.h>

#include "core/app_state.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/text_drawing.h"

namespace {

constexpr Rgba kGreenTint{0.5f, 1.0f, 0.0f, 1.0f};
constexpr float kLowerCornersBelow = 13.0f;
constexpr int kCupSprite = 57;

void drawCongratulation() {
  const VirtualScreen saved = beginVirtualScreen();
  fillVerticalGradient(140, 150, 500, 390, Rgba{0, 0, 0, 0.5f}, Rgba{0, 0, 0, 0.5f});
  glColor4f(1, 1, 1, 1);
  glClearColor(1, 1, 1, 1);
  drawSpriteAt(kCupSprite, 140, 270);
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 230, 1.0f,
                localisedStrings.strCongratulations.data());
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 260, 1.0f,
                localisedStrings.strHallOfFame.data());
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, 280, 1.0f,
                localisedStrings.strOnThisCourse.data());
  endVirtualScreen(saved);
}

}  // namespace

void runNewRecord() {
  turnDecor();
  beginMenu2D();
  drawCirclingBackground(kGreenTint, kLowerCornersBelow);
  drawSideBorders();
  drawSmallText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, screenHeight - 20, 1.0f,
                localisedStrings.strClickToContinue.data());
  drawCongratulation();
  if (input.clickState == 1) screenState = HighScores;
}
