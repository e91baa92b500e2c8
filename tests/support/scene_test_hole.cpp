#include "tests/support/scene_test_hole.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <cstdlib>
#include <vector>

#include "core/app_state.h"
#include "core/gl_state.h"
#include "course/terrain_grid.h"
#include "course/world_theme.h"
#include "play/ball_physics.h"
#include "play/play_state.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/texture_tables.h"
#include "tests/support/scratch_dir.h"

namespace {

constexpr int kIslandLow = 4;
constexpr int kIslandHigh = 20;

// A unit cube standing on its base, as a model file; vertices in hundredths.
constexpr const char* kCubeModel =
    "g wall\n"
    "v -50 0 -50\nv 50 0 -50\nv 50 0 50\nv -50 0 50\n"
    "v -50 100 -50\nv 50 100 -50\nv 50 100 50\nv -50 100 50\n"
    "vt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\n"
    "f 5/1 8/2 7/3 6/4\nf 1/1 2/2 3/3 4/4\nf 1/1 5/2 6/3 2/4\nf 2/1 6/2 7/3 3/4\n"
    "f 3/1 7/2 8/3 4/4\nf 4/1 8/2 5/3 1/4\n";

void loadCubeModel(int slot) {
  static const ScratchDir files;
  files.write("wall.obj", kCubeModel);
  loadModel(slot, files.path("wall.obj").c_str(), 1.0f);
}

}  // namespace

bool openSceneWindow(int width, int height) {
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  if (SDL_SetVideoMode(width, height, 0, SDL_OPENGL) == nullptr) return false;
  glewInit();
  screenWidth = width;
  screenHeight = height;
  lightColours = {{{0.8f, 0.8f, 0.9f, 1.0f}, {1.0f, 0.9f, 0.8f, 1.0f}, {0.4f, 0.4f, 0.4f, 1.0f}}};
  applyFixedGlState();
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);  // red, a colour no part of the test hole has
  frameClock.fps = 60.0f;
  return true;
}

std::uint32_t makeSolidTexture(int r, int g, int b, int a) {
  std::vector<unsigned char> pixels(4 * 4 * 4);
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = static_cast<unsigned char>(r);
    pixels[i + 1] = static_cast<unsigned char>(g);
    pixels[i + 2] = static_cast<unsigned char>(b);
    pixels[i + 3] = static_cast<unsigned char>(a);
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return name;
}

void setVertexHeights(int x0, int z0, int x1, int z1, float height) {
  for (int x = x0; x <= x1; ++x) {
    for (int z = z0; z <= z1; ++z) terrainGrid.cells[x][z].height = height;
  }
  computeTerrainNormals();
}

void buildTestHole(int wallX, int wallZ, int seaAlpha) {
  resetTerrainCells();
  for (int x = 0; x < kGridVertices; ++x) {
    for (int z = 0; z < kGridVertices; ++z) {
      TerrainCell& cell = terrainGrid.cells[x][z];
      const bool island = x >= kIslandLow && x <= kIslandHigh && z >= kIslandLow && z <= kIslandHigh;
      cell.height = island ? 0.5f : -2.5f;
      cell.texture = 0;
      cell.textureRotation = 0;
      cell.object = -1;
    }
  }
  forceTerrainRim();
  computeTerrainNormals();

  worldTheme.floorCount = 0;
  worldTheme.floorTextures[0].glName = makeSolidTexture(60, 200, 60, 255);
  worldTheme.fogEnabled = false;
  worldTheme.objectCount = -1;
  if (wallX >= 0) {
    worldTheme.objectCount = 0;
    worldTheme.objectTypes[0] = ObjectType{1, 1, 0.0f};
    loadCubeModel(0);
    terrainGrid.cells[wallX][wallZ].object = 0;
    terrainGrid.cells[wallX][wallZ].objectHeight = terrainGrid.cells[wallX][wallZ].height;
    terrainGrid.cells[wallX][wallZ].objectRotation = 0;
  }
  GameTextures[SeaEffectTexture].glName = makeSolidTexture(20, 40, 220, seaAlpha);

  // The ball rests in a corner of the island, the cup far away.
  ball.position = {kIslandLow + 1.5, 0.5, kIslandLow + 1.5};
  ball.previousPosition = ball.position;
  ball.velocity = {};
  holeSetup.cupX = 100.0f;
  holeSetup.cupZ = 100.0f;
  holeSetup.cupHeight = -100.0f;
}

void lookFrom(float ex, float ey, float ez, float tx, float ty, float tz) {
  shotPhase = Aiming;
  camera.eye = {ex, ey, ez};
  camera.target = {tx, ty, tz};
  camera.previousTarget = camera.target;
}

Pixel readPixel(int x, int y) {
  Pixel p;
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &p);
  return p;
}

std::array<int, 2> projectToWindow(float x, float y, float z) {
  std::array<double, 16> model{};
  std::array<double, 16> projection{};
  std::array<int, 4> viewport{};
  glGetDoublev(GL_MODELVIEW_MATRIX, model.data());
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  double wx = 0, wy = 0, wz = 0;
  gluProject(x, y, z, model.data(), projection.data(), viewport.data(), &wx, &wy, &wz);
  return {static_cast<int>(wx), static_cast<int>(wy)};
}
