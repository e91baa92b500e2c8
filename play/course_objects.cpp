#include "play/course_objects.h"

float objectClock = 0;
float fanAngle = 0;
float airTimer = 0;
float flagOffset = 0;
std::array<float, 3> passageTarget{};
