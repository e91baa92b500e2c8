// Course selection: the world to play, shown by its picture zooming in and rocking, and the
// start of a full game at hole 1. The training selection shares its picture and world row.
#pragma once

// Course and training selection items.
enum CourseSelectItem : int {
  CourseStart = 9,
  PreviousWorld = 11,
  NextWorld = 12,
  TrainingHoleDown = 13,
  TrainingHoleUp = 14,
};

constexpr float kPictureRadiusAtStart = 500.0f;   // half-diagonal of the picture, pixels
constexpr float kPictureRadiusOnChange = 400.0f;  // where each change restarts the zoom
constexpr float kPictureRadiusAtRest = 200.0f;
constexpr float kPictureShrinkRate = 700.0f;      // pixels per second

// Live for the whole run. coursePictureLoaded is 0 when the picture must be loaded again
// (the title menu's play and training items and every world change clear it).
extern int coursePictureLoaded;
extern float pictureRadius;

// Moves currentWorld by one step (-1 or +1), wrapping around the catalogue, and restarts the
// picture: it is loaded again and zooms in from 400.
void stepWorld(int step);

// Restarts the picture zoom after a change or at the start of a game.
void restartPictureZoom();

// One frame of the zoom: shrinks by 700 / fps while above 200, clamped at 200.
float shrinkPictureRadius(float radius, float fps);

// Loads the current world's picture into the background slot when it is not loaded; a missing
// picture leaves the previous image in the slot.
void loadCoursePicture();

// The part both selection screens share: picture, backdrop, band, the rocking picture, the
// title, the start item (drawn, not acted on) and the world row at height y from the middle,
// whose arrows act at once.
void drawCourseChoice(int worldRowY);

// What the start item of course selection does.
void startCourse();

// One frame of the course selection.
void runCourseSelect();
