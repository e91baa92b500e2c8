// hole_preview: draws a compiled hole with the game's own loaders and scene, from behind the
// start looking towards the cup, and writes the frame as a PNG. With --gallery it also lays
// the world's object models out in rows over the hole and writes a second picture.
//
//   hole_preview <game-dir> <world 0-4> <hole 1-18> <out.png> [--gallery <gallery.png>]
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/app_state.h"
#include "core/automation.h"
#include "course/course_catalogue.h"
#include "course/hole_map.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/model_loader.h"
#include "render/resource_sets.h"
#include "render/scene.h"
#include "tests/support/scene_test_hole.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSettleFrames = 20;
constexpr int kGalleryColumns = 8;

void drawFrame() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawScene();
  glFinish();
}

// Eye four units behind the start (away from the cup) and five up, looking at the point
// between start and cup.
void lookOverHole() {
  const float sx = static_cast<float>(ball.position.x), sz = static_cast<float>(ball.position.z);
  const float dx = holeSetup.cupX - sx, dz = holeSetup.cupZ - sz;
  const float length = std::max(0.001f, std::hypot(dx, dz));
  const float ground = terrainGrid.cells[static_cast<int>(sx)][static_cast<int>(sz)].height;
  lookFrom(sx - dx / length * 4.0f, ground + 5.0f, sz - dz / length * 4.0f, sx + dx * 0.5f, ground,
           sz + dz * 0.5f);
}

// Every object type of the world, eight to a row, a cell and a half apart.
void drawGallery() {
  lookFrom(12.5f, 7.0f, 22.0f, 12.5f, 1.0f, 11.0f);
  drawFrame();
  glEnable(GL_LIGHTING);
  for (int id = 0; id <= worldTheme.objectCount; ++id) {
    glPushMatrix();
    glTranslatef(7.0f + 1.6f * static_cast<float>(id % kGalleryColumns), 2.5f,
                 8.0f + 1.8f * static_cast<float>(id / kGalleryColumns));
    drawModel(id);
    glPopMatrix();
  }
  glFinish();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && !(argc == 7 && std::strcmp(argv[5], "--gallery") == 0)) {
    std::fprintf(stderr, "usage: hole_preview <game-dir> <world 0-4> <hole 1-18> <out.png> [--gallery <png>]\n");
    return 2;
  }
  if (chdir(argv[1]) != 0 || !openSceneWindow(kWidth, kHeight)) {
    std::fprintf(stderr, "hole_preview: no game directory or no display\n");
    return 1;
  }
  buildCourseCatalogue();
  catalogue.currentWorld = std::atoi(argv[2]);
  holeNumber = std::atoi(argv[3]);
  if (!isCatalogueWorld(catalogue.currentWorld)) return 1;
  loadGameSet();
  loadHoleMap();
  screenState = Playing;
  detailLevel = 2;
  for (int i = 0; i < kSettleFrames; ++i) {
    lookOverHole();
    drawFrame();
  }
  bool ok = writeScreenshot(argv[4]);
  if (argc == 7) {
    drawGallery();
    ok = writeScreenshot(argv[6]) && ok;
  }
  SDL_Quit();
  return ok ? 0 : 1;
}
