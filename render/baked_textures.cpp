// The shadow and surf textures are photographs of the hole from high above, taken once per
// hole load and softened by redrawing them a few pixels off in every direction.
#include "render/baked_textures.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/app_state.h"
#include "play/course_objects.h"
#include "render/camera.h"
#include "render/scene.h"
#include "render/texture_tables.h"

bool bakeOffScreen = true;

namespace {

struct BlurRecipe {
  int rounds;          // each round adds three faint copies, i pixels further out
  float roundAlpha;    // alpha of those copies
  float finalAlpha;    // alpha of the last, slightly widened redraw
};

constexpr BlurRecipe kShadowBlur{5, 0.1f, 0.5f};
constexpr BlurRecipe kSurfBlur{20, 0.05f, 1.0f};

// Where the bake draws: an off-screen framebuffer when the driver has one, else the lower-left
// corner of the back buffer, which limits the size to the window.
struct BakeTarget {
  GLuint framebuffer = 0;
  GLuint colour = 0;
  GLuint depth = 0;
  int size = 0;    // pixels drawn along each side
  int wanted = 0;  // pixels of the finished texture
};

bool framebufferObjectsAvailable() {
  return glGenFramebuffersEXT != nullptr && glBindFramebufferEXT != nullptr &&
         glGenRenderbuffersEXT != nullptr && glFramebufferRenderbufferEXT != nullptr;
}

// The largest power of two not above the texture size that fits into the window.
int backBufferSize(int wanted) {
  int size = wanted;
  while (size > 1 && (size > screenWidth || size > screenHeight)) size /= 2;
  return size;
}

BakeTarget openBakeTarget(int wanted) {
  BakeTarget target;
  target.size = wanted;
  target.wanted = wanted;
  if (bakeOffScreen && framebufferObjectsAvailable()) {
    glGenFramebuffersEXT(1, &target.framebuffer);
    glGenRenderbuffersEXT(1, &target.colour);
    glGenRenderbuffersEXT(1, &target.depth);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.colour);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, wanted, wanted);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, target.colour);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.depth);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, wanted, wanted);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, target.depth);
    if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT) return target;
  }
  // No usable framebuffer object: fall back to the back buffer.
  if (target.framebuffer != 0) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDeleteFramebuffersEXT(1, &target.framebuffer);
    glDeleteRenderbuffersEXT(1, &target.colour);
    glDeleteRenderbuffersEXT(1, &target.depth);
  }
  return BakeTarget{0, 0, 0, backBufferSize(wanted), wanted};
}

// A back buffer smaller than the texture gave a smaller picture: widen it to the full size, so
// that the texture is whole whatever the window.
void widenToFullSize(TextureRecord& record, const BakeTarget& target) {
  if (target.size >= target.wanted) return;
  std::vector<unsigned char> small(static_cast<std::size_t>(target.size) * target.size * 3);
  std::vector<unsigned char> full(static_cast<std::size_t>(target.wanted) * target.wanted * 3);
  glBindTexture(GL_TEXTURE_2D, record.glName);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, small.data());
  gluScaleImage(GL_RGB, target.size, target.size, GL_UNSIGNED_BYTE, small.data(), target.wanted, target.wanted,
                GL_UNSIGNED_BYTE, full.data());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, target.wanted, target.wanted, 0, GL_RGB, GL_UNSIGNED_BYTE, full.data());
  record.width = target.wanted;
  record.height = target.wanted;
}

void closeBakeTarget(BakeTarget& target) {
  if (target.framebuffer == 0) return;
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
  glDeleteFramebuffersEXT(1, &target.framebuffer);
  glDeleteRenderbuffersEXT(1, &target.colour);
  glDeleteRenderbuffersEXT(1, &target.depth);
}

// From 240 units up a 6 degree view covers the 25-unit grid almost orthographically; the
// mirror makes the picture's x and y run along the grid's x and z, as the terrain maps it.
void setTopView() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(6.0, 1.0, 0.1, 600.0);
  glScalef(-1.0f, 1.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(12.45, 240.439, 12.499, 12.5, 0.0, 12.5, 0.0, 0.0, 1.0);
  glDisable(GL_LIGHT2);
  glDisable(GL_LIGHT3);
  glDisable(GL_LIGHT4);
  glDisable(GL_DEPTH_TEST);
  // The mirror turns every face around: culling would take the land away.
  glDisable(GL_CULL_FACE);
}

void startBake(const BakeTarget& target, const std::array<float, 4>& clearColour) {
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, target.size, target.size);
  setTopView();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  mirrorPass = true;
}

// The record gets a name of its own if its image never loaded.
void copyIntoTexture(TextureRecord& record, int size) {
  if (record.glName == 0) {
    glGenTextures(1, &record.glName);
    glBindTexture(GL_TEXTURE_2D, record.glName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
  glBindTexture(GL_TEXTURE_2D, record.glName);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, size, size, 0);
  record.width = size;
  record.height = size;
  record.bitsPerPixel = 24;
}

// The captured picture over the whole view, from (left, top) to (right, bottom) in pixels of
// the y-down projection; each redraw turns the picture upside down.
void drawPicture(float left, float top, float right, float bottom) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(left, top);
  glTexCoord2f(0, 1);
  glVertex2f(left, bottom);
  glTexCoord2f(1, 1);
  glVertex2f(right, bottom);
  glTexCoord2f(1, 0);
  glVertex2f(right, top);
  glEnd();
}

// Smears the captured picture outwards and copies it back twice, so it ends the right way up.
// The offsets are pixels of the finished texture, so a smaller back-buffer picture blurs alike.
void blurTexture(TextureRecord& record, const BakeTarget& target, const BlurRecipe& recipe) {
  const int size = target.size;
  const float s = static_cast<float>(size);
  const float pixel = s / static_cast<float>(target.wanted);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, s, s, 0.0, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, record.glName);
  glColor4f(1, 1, 1, 1);
  drawPicture(0, 0, s, s);
  glColor4f(1, 1, 1, recipe.roundAlpha);
  for (int i = 0; i < recipe.rounds; ++i) {
    const float d = pixel * static_cast<float>(i);
    drawPicture(-d, 0, s - d, s);
    drawPicture(0, -d, s, s + d);
    drawPicture(d, 0, s + d, s);
  }
  copyIntoTexture(record, size);

  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(1, 1, 1, recipe.finalAlpha);
  drawPicture(-pixel, 0, s + pixel, s);
  copyIntoTexture(record, size);
}

void finishBake(const std::array<float, 4>& clearColour) {
  mirrorPass = false;
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, 1);
  glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  setupCamera();
}

std::array<float, 4> currentClearColour() {
  std::array<float, 4> colour{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, colour.data());
  return colour;
}

// Only the course objects, dark on white, lit by a black overhead light.
void drawObjectSilhouettes() {
  constexpr std::array<float, 4> kBlack{0, 0, 0, 0};
  constexpr std::array<float, 4> kOverhead{0, -90, 0, 0};
  constexpr std::array<float, 4> kAmbient{0.8f, 0.8f, 0.4f, 1.0f};
  constexpr std::array<float, 4> kSpecular{1, 1, 1, 1};
  glLightfv(GL_LIGHT1, GL_DIFFUSE, kBlack.data());
  glLightfv(GL_LIGHT1, GL_POSITION, kOverhead.data());
  glEnable(GL_LIGHT1);
  glMaterialfv(GL_FRONT, GL_AMBIENT, kAmbient.data());
  glMaterialfv(GL_FRONT, GL_SPECULAR, kSpecular.data());
  glEnable(GL_LIGHTING);
  extractFrustum(sceneFrustum);
  glPushMatrix();
  drawCourseObjects();
  glPopMatrix();
}

// The land above the water line only, added onto black, lit as in play.
void drawLandAboveWater() {
  setSceneLights();
  glDisable(GL_LIGHT2);
  glDisable(GL_LIGHT3);
  extractFrustum(sceneFrustum);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const std::array<double, 4> aboveWater{0.0, 1.0, 0.0, 0.0};
  glClipPlane(GL_CLIP_PLANE0, aboveWater.data());
  glEnable(GL_CLIP_PLANE0);
  drawTerrain();
  glDisable(GL_CLIP_PLANE0);
}

// A hole loaded without a window (the headless tools and checks) has nothing to bake with.
bool hasGlContext() { return glGetString(GL_VERSION) != nullptr; }

// One bake: what to photograph and how, and where the picture goes.
struct BakeRecipe {
  int slot;                         // GameTextures slot that receives the picture
  int size;                         // pixels along each side
  std::array<float, 4> clearColour;
  void (*drawSubject)();
  BlurRecipe blur;
};

constexpr BakeRecipe kShadowBake{TerrainShadowTexture, kShadowTextureSize, {1, 1, 1, 1}, drawObjectSilhouettes,
                                 kShadowBlur};
constexpr BakeRecipe kSurfBake{WaveTexture, kSurfTextureSize, {0, 0, 0, 0}, drawLandAboveWater, kSurfBlur};

void bakeTexture(const BakeRecipe& recipe) {
  if (!hasGlContext()) return;
  const std::array<float, 4> keptClear = currentClearColour();
  BakeTarget target = openBakeTarget(recipe.size);
  startBake(target, recipe.clearColour);
  recipe.drawSubject();
  TextureRecord& record = GameTextures[recipe.slot];
  copyIntoTexture(record, target.size);
  blurTexture(record, target, recipe.blur);
  widenToFullSize(record, target);
  closeBakeTarget(target);
  finishBake(keptClear);
}

}  // namespace

void bakeShadowTexture() { bakeTexture(kShadowBake); }

void bakeSurfTexture() { bakeTexture(kSurfBake); }
