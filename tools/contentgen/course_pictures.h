// The picture course selection shows for a world, rendered from the hole in
// the terrain grid (the world's first hole): a view from above with the
// slopes shaded, the sea around, and the objects, start and cup marked.
#pragma once

#include "worlds.h"

// Writes data/levels/level<N>.vorpel.tga from the global terrain grid.
bool writeCoursePicture(const WorldSpec &world);
