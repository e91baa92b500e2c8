#include "course/world_theme.h"

WorldTheme worldTheme;

int loadedObjectId(int object) {
  return (object >= 0 && object <= worldTheme.objectCount) ? object : -1;
}

int loadedFloorIndex(int texture) {
  return (texture >= 0 && texture <= worldTheme.floorCount) ? texture : 0;
}

int objectBehaviour(int object) {
  const int id = loadedObjectId(object);
  return id < 0 ? -1 : worldTheme.objectTypes[id].behaviour;
}
