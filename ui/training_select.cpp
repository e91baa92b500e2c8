#include "ui/training_select.h"

#include <array>
#include <cstdio>

#include "core/app_state.h"
#include "play/play_state.h"
#include "ui/course_select.h"
#include "ui/localised_strings.h"
#include "ui/menu_backdrop.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kWorldRowY = 40;  // below the middle of the screen
constexpr int kHoleRowY = 80;
constexpr int kArrowShift = 220;

void drawHoleRow() {
  std::array<char, kTextSize + 16> line{};
  std::snprintf(line.data(), line.size(), "%s %d", localisedStrings.strHole.data(), holeNumber);
  drawText(0, HAnchor::CentreOnScreen, VAnchor::Middle, 10, kHoleRowY, 1.0f, line.data());
  drawText(TrainingHoleDown, HAnchor::CentreOnScreen, VAnchor::Middle, -kArrowShift, kHoleRowY, 1.0f,
           " A");
  if (itemClicked(TrainingHoleDown)) stepTrainingHole(-1);
  drawText(TrainingHoleUp, HAnchor::CentreOnScreen, VAnchor::Middle, kArrowShift, kHoleRowY, 1.0f, " B");
  if (itemClicked(TrainingHoleUp)) stepTrainingHole(1);
}

}  // namespace

void stepTrainingHole(int step) {
  holeNumber += step;
  if (holeNumber < 1) holeNumber = kHolesPerCourse;
  if (holeNumber > kHolesPerCourse) holeNumber = 1;
}

void startTraining() {
  restartPictureZoom();
  screenState = StartCourse;
  trainingMode = 1;
  players.playerCount = 1;
}

void runTrainingSelect() {
  drawCourseChoice(kWorldRowY);
  drawHoleRow();
  if (itemClicked(CourseStart)) startTraining();
}
