#include "course/course_catalogue.h"

CourseCatalogue catalogue;
