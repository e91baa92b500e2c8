#include "ui/course_select.h"

#include <GL/glew.h>

#include <array>
#include <cmath>

#include "core/app_state.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "render/texture_tables.h"
#include "render/vector_math.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/text_drawing.h"

int coursePictureLoaded = 0;
float pictureRadius = kPictureRadiusAtStart;

namespace {

constexpr float kWobble = 5.0f;  // degrees either way
constexpr int kBandTop = 60;     // below the middle of the screen
constexpr int kBandBottom = 120;
constexpr int kButtonRowLift = 40;
constexpr int kArrowShift = 220;
constexpr int kTitleY = 45;

void drawCentreBand() {
  const float middle = static_cast<float>(screenHeight / 2);
  fillCentreGlow(0, middle + kBandTop, static_cast<float>(screenWidth), middle + kBandBottom,
                 kBandCyan, kFadedCyan);
}

// Corners at the picture radius, turned by the wobble, in the order top-left, bottom-left,
// bottom-right, top-right (y down).
void drawRockingPicture() {
  pictureRadius = shrinkPictureRadius(pictureRadius, frameClock.fps);
  const float wobble = kWobble * std::cos(2.0f * decorAngle * kDegToRad);
  const float cx = static_cast<float>(screenWidth / 2);
  const float cy = static_cast<float>(screenHeight / 2);
  constexpr std::array<float, 4> kDirections{225.0f, 135.0f, 45.0f, -45.0f};
  constexpr std::array<std::array<float, 2>, 4> kTexCoords{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, GameTextures[BackgroundTexture].glName);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    const float angle = (wobble + kDirections[i]) * kDegToRad;
    glTexCoord2f(kTexCoords[i][0], kTexCoords[i][1]);
    glVertex2f(cx + pictureRadius * std::cos(angle), cy + pictureRadius * std::sin(angle));
  }
  glEnd();
}

void drawWorldRow(int y) {
  const char* name = isCatalogueWorld(catalogue.currentWorld)
                         ? catalogue.worldNames[catalogue.currentWorld].data()
                         : "";
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 10, y, 1.0f, name);
  drawText(PreviousWorld, HAnchor::CentreOnScreen, VAnchor::Middle, -kArrowShift, y, 1.0f, " A");
  if (itemClicked(PreviousWorld)) stepWorld(-1);
  drawText(NextWorld, HAnchor::CentreOnScreen, VAnchor::Middle, kArrowShift, y, 1.0f, " B");
  if (itemClicked(NextWorld)) stepWorld(1);
}

}  // namespace

void restartPictureZoom() {
  coursePictureLoaded = 0;
  pictureRadius = kPictureRadiusOnChange;
}

void stepWorld(int step) {
  const int count = catalogue.worldCount;
  int world = catalogue.currentWorld + step;
  if (world < 0) world = count - 1;
  if (world > count - 1) world = 0;
  catalogue.currentWorld = world < 0 ? 0 : world;
  restartPictureZoom();
}

float shrinkPictureRadius(float radius, float fps) {
  if (radius <= kPictureRadiusAtRest) return radius;
  radius -= kPictureShrinkRate / fps;
  return radius < kPictureRadiusAtRest ? kPictureRadiusAtRest : radius;
}

void loadCoursePicture() {
  if (coursePictureLoaded != 0) return;
  std::array<char, kPathLength> path{};
  if (coursePicturePath(path, catalogue.currentWorld)) {
    loadTexture(GameTextures[BackgroundTexture], path.data(), ClampMipmapped);
  }
  coursePictureLoaded = 1;
}

void drawCourseChoice(int worldRowY) {
  loadCoursePicture();
  drawSkyAndSea();
  beginMenu2D();
  drawMenuStripBand();
  drawBlueVeil(false);
  drawSideBorders();
  drawCentreBand();
  drawRockingPicture();
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Top, 0, kTitleY, 1.0f,
           localisedStrings.strSelectCourse.data());
  drawText(CourseStart, HAnchor::CentreOnScreen, VAnchor::Top, 0, screenHeight - kButtonRowLift,
           1.0f, localisedStrings.strStartGame.data());
  drawWorldRow(worldRowY);
}

void startCourse() {
  restartPictureZoom();
  screenState = StartCourse;
  holeNumber = 1;
  trainingMode = 0;
}

void runCourseSelect() {
  drawCourseChoice(90);
  if (itemClicked(CourseStart)) startCourse();
}
