// The shadow and surf textures are photographs of the hole from high above, taken once per
// hole load and softened by redrawing them a few pixels off in every direction.
#include "render/baked_textures.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/app_state.h"
#include "play/course_objects.h"
#include "render/camera.h"
#include "render/scene.h"
#include "render/texture_tables.h"

bool bakeOffScreen = true;
bool bakeBlurOnProcessor = true;

namespace {

struct BlurRecipe {
  int rounds;          // each round adds three faint copies, i pixels further out
  float roundAlpha;    // alpha of those copies
  float finalAlpha;    // alpha of the last, slightly widened redraw
};

constexpr BlurRecipe kShadowBlur{5, 0.1f, 0.5f};
constexpr BlurRecipe kSurfBlur{20, 0.05f, 1.0f};

// Where the bake draws: an off-screen framebuffer when the driver has one, else the lower-left
// corner of the back buffer, which limits the size to the window. The photographs draw with
// the depth test off, so the framebuffer needs no depth storage.
struct BakeTarget {
  GLuint framebuffer = 0;
  GLuint colour = 0;
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
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.colour);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, wanted, wanted);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, target.colour);
    if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT) return target;
  }
  // No usable framebuffer object: fall back to the back buffer.
  if (target.framebuffer != 0) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDeleteFramebuffersEXT(1, &target.framebuffer);
    glDeleteRenderbuffersEXT(1, &target.colour);
  }
  return BakeTarget{0, 0, backBufferSize(wanted), wanted};
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

// Binds the record's texture for a new picture of the given size; the record gets a name of
// its own if its image never loaded.
void bindBakedTexture(TextureRecord& record, int size) {
  if (record.glName == 0) {
    glGenTextures(1, &record.glName);
    glBindTexture(GL_TEXTURE_2D, record.glName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
  glBindTexture(GL_TEXTURE_2D, record.glName);
  record.width = size;
  record.height = size;
  record.bitsPerPixel = 24;
}

void uploadPicture(TextureRecord& record, const std::vector<unsigned char>& rgb, int size) {
  bindBakedTexture(record, size);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}

// The reference the processor blur is checked against: the GL passes it replaced.
void copyIntoTexture(TextureRecord& record, int size) {
  bindBakedTexture(record, size);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, size, size, 0);
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

// A picture of the bake target: RGB bytes, rows from the bottom as GL reads them.
using Picture = std::vector<unsigned char>;

// Where one pixel of a redraw samples the captured picture along one axis, in 1/256 texel
// steps: the texel below, the one after it (wrapping round) and the weight of that next one, as
// the software renderer's bilinear filter takes them (the coordinate stepped from the first
// pixel, scaled by 256 and rounded, half a texel back).
struct TexelStep {
  int texel;
  int next;
  int weight;  // 0..255
};

TexelStep texelStep(float centre, float low, float high, int size) {
  const float perPixel = 1.0f / (high - low);
  const float t = (0.5f - low) * perPixel + (centre - 0.5f) * perPixel;
  const int fixed = static_cast<int>(std::nearbyint(t * static_cast<float>(size) * 256.0f)) - 128;
  const int texel = ((fixed >> 8) % size + size) % size;
  return {texel, (texel + 1) % size, fixed & 255};
}

// The renderer's filter between two texels with a weight of 0..255 for the second, rounded to
// nearest; every step fits 16 bits.
inline std::uint16_t filter8(std::uint16_t weight, std::uint16_t a, std::uint16_t b) {
  const std::uint16_t sum = static_cast<std::uint16_t>(a * (256 - weight) + b * weight + 128);  // <= 65408
  return static_cast<std::uint16_t>(sum >> 8);
}

// The renderer's 8-bit product of two bytes over 255, as its blend computes it.
inline std::uint16_t multiply8(std::uint16_t a, std::uint16_t b) {
  const std::uint16_t product = static_cast<std::uint16_t>(a * b);
  const std::uint16_t rounded = static_cast<std::uint16_t>(product + (product >> 8) + 128);  // <= 65407
  return static_cast<std::uint16_t>(rounded >> 8);
}

// source x alpha + target x (1 - alpha), in bytes.
inline unsigned char blend8(std::uint16_t source, std::uint16_t target, std::uint16_t alpha, std::uint16_t keep) {
  const std::uint16_t sum = multiply8(source, alpha) + multiply8(target, keep);
  return static_cast<unsigned char>(sum > 255 ? 255 : sum);
}

// The row loops below work in blocks of this many bytes through a local block, so that the
// compiler turns each block into vector instructions; the rest of a row goes byte by byte.
constexpr int kBlock = 16;

void filterRow(unsigned char* out, const unsigned char* low, const unsigned char* high, int count, int weight) {
  const auto w = static_cast<std::uint16_t>(weight);
  int i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    std::array<unsigned char, kBlock> block;
    for (int k = 0; k < kBlock; ++k) block[k] = static_cast<unsigned char>(filter8(w, low[i + k], high[i + k]));
    std::memcpy(out + i, block.data(), kBlock);
  }
  for (; i < count; ++i) out[i] = static_cast<unsigned char>(filter8(w, low[i], high[i]));
}

// The blend of a source row over a target row.
void blendRow(unsigned char* out, const unsigned char* source, int count, int alphaByte) {
  const std::uint16_t alpha = static_cast<std::uint16_t>(alphaByte);
  const std::uint16_t keep = static_cast<std::uint16_t>(255 - alphaByte);
  int i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    std::array<unsigned char, kBlock> block;
    std::memcpy(block.data(), out + i, kBlock);
    for (int k = 0; k < kBlock; ++k) block[k] = blend8(source[i + k], block[k], alpha, keep);
    std::memcpy(out + i, block.data(), kBlock);
  }
  for (; i < count; ++i) out[i] = blend8(source[i], out[i], alpha, keep);
}

// The picture's row sampled at every pixel of [first, end) along a row, through the columns'
// own filter steps.
void sampleRow(unsigned char* out, const unsigned char* row, const std::vector<TexelStep>& columns, int first,
               int end) {
  for (int c = first; c < end; ++c) {
    const TexelStep col = columns[c];
    for (int k = 0; k < 3; ++k) out[c * 3 + k] = static_cast<unsigned char>(filter8(col.weight, row[col.texel * 3 + k], row[col.next * 3 + k]));
  }
}

// One redraw of the picture over the pixels (left, top) to (right, bottom) of the y-down view,
// upside down, blended over the target with the given alpha; what depends only on the columns
// is worked out once.
struct Redraw {
  std::array<float, 4> quad;
  int alphaByte = 0;               // the alpha reaches the blend as a byte, rounded to nearest
  int first = 0;                   // the columns drawn: [first, end)
  int end = 0;
  std::vector<TexelStep> columns;  // per column of the target
  bool shifted = true;             // every column reads one texel whole, `shift` columns along
  int shift = 0;
};

Redraw planRedraw(const std::array<float, 4>& quad, float alpha, int size) {
  Redraw plan;
  plan.quad = quad;
  plan.alphaByte = static_cast<int>(std::lround(alpha * 255.0f));
  plan.first = std::max(0, static_cast<int>(std::ceil(quad[0] - 0.5f)));
  plan.end = std::min(size, static_cast<int>(std::ceil(quad[2] - 0.5f)));
  if (plan.first >= plan.end) return plan;
  plan.columns.resize(static_cast<std::size_t>(size));
  for (int c = plan.first; c < plan.end; ++c) plan.columns[c] = texelStep(c + 0.5f, quad[0], quad[2], size);
  plan.shift = plan.columns[plan.first].texel - plan.first;
  for (int c = plan.first; c < plan.end; ++c) {
    plan.shifted = plan.shifted && plan.columns[c].weight == 0 && plan.columns[c].texel == c + plan.shift;
  }
  if (plan.shifted) plan.columns = {};  // the shift says it all: the many smearing redraws keep no table
  return plan;
}

// Pixel columns [low, high) of a row; empty when low >= high.
struct Span {
  int low;
  int high;
};

Span unite(Span a, Span b) {
  if (a.low >= a.high) return b;
  if (b.low >= b.high) return a;
  return {std::min(a.low, b.low), std::max(a.high, b.high)};
}

// The bakes' working pictures and rows. Lives for the whole run, grown to the largest bake: each
// hole load then works in memory already in place, where fresh pages would each fault in.
struct BakeScratch {
  Picture picture;  // the photograph, then the finished texture
  Picture smeared;
  std::vector<unsigned char> filtered, low, high;  // one row each
  std::vector<Span> spans;                         // per row of the photograph, its columns not clear
};
BakeScratch scratch;

// Per row of the picture, the span of the pixels that are not the clear colour.
void findSpans(const Picture& picture, int size, unsigned char clear, std::vector<Span>& spans) {
  spans.resize(static_cast<std::size_t>(size));
  const std::size_t stride = static_cast<std::size_t>(size) * 3;
  for (int r = 0; r < size; ++r) {
    const unsigned char* row = &picture[r * stride];
    auto isClear = [&](int c) { return row[c * 3] == clear && row[c * 3 + 1] == clear && row[c * 3 + 2] == clear; };
    int low = 0, high = size;
    while (low < high && isClear(low)) ++low;
    while (high > low && isClear(high - 1)) --high;
    spans[r] = {low, high};
  }
}

// Row r of one redraw onto the target row. The renderer filters along the columns first, then
// between the two rows: a redraw that only shifts the picture sideways reads whole rows as they
// are, and one stretched only up and down filters two rows at once. With the spans of the
// picture's rows, `dirty` holds the columns of the target row that may not be clear: a clear
// pixel blended over a clear one stays clear (every step of the arithmetic keeps 0 and 255), so
// only columns in either the source's span or the target's are drawn.
void redrawRow(unsigned char* targetRow, int r, const Picture& picture, int size, const Redraw& plan,
               const std::vector<Span>* spans, Span& dirty) {
  if (plan.first >= plan.end) return;
  const float down = static_cast<float>(size - r) - 0.5f;  // pixel centre in the y-down view
  if (down < plan.quad[1] || down >= plan.quad[3]) return;
  const std::size_t stride = static_cast<std::size_t>(size) * 3;
  const TexelStep row = texelStep(down, plan.quad[1], plan.quad[3], size);
  const unsigned char* lowRow = &picture[row.texel * stride];
  const unsigned char* highRow = &picture[row.next * stride];
  int first = plan.first, end = plan.end;
  if (spans != nullptr && plan.shifted) {
    Span source = (*spans)[row.texel];
    if (row.weight != 0) source = unite(source, (*spans)[row.next]);
    if (source.low < source.high) source = {source.low - plan.shift, source.high - plan.shift};
    const Span needed = unite(dirty, source);
    first = std::max(first, needed.low);
    end = std::min(end, needed.high);
    if (first >= end) return;
  }
  dirty = unite(dirty, {first, end});
  const unsigned char* source = nullptr;  // the sampled pixel for column first
  if (plan.shifted && row.weight == 0) {
    source = lowRow + (first + plan.shift) * 3;
  } else if (plan.shifted) {
    const int offset = (first + plan.shift) * 3;
    filterRow(scratch.filtered.data() + offset, lowRow + offset, highRow + offset, (end - first) * 3, row.weight);
    source = scratch.filtered.data() + offset;
  } else if (row.weight == 0) {
    sampleRow(scratch.low.data(), lowRow, plan.columns, first, end);
    source = scratch.low.data() + first * 3;
  } else {
    sampleRow(scratch.low.data(), lowRow, plan.columns, first, end);
    sampleRow(scratch.high.data(), highRow, plan.columns, first, end);
    filterRow(scratch.filtered.data() + first * 3, scratch.low.data() + first * 3, scratch.high.data() + first * 3,
              (end - first) * 3, row.weight);
    source = scratch.filtered.data() + first * 3;
  }
  blendRow(targetRow + first * 3, source, (end - first) * 3, plan.alphaByte);
}

// Smears the captured picture outwards and redraws it twice, so it ends the right way up: the
// same passes the bake once drew through GL, done byte for byte as the software renderer
// does them. The offsets are pixels of the finished texture, so a smaller picture blurs alike.
// A target row depends only on the source, so each row takes all the smearing redraws in turn
// while it is in the cache. The finished picture replaces the captured one.
void blurPicture(Picture& picture, int size, int wanted, const BlurRecipe& recipe, unsigned char clear) {
  const float s = static_cast<float>(size);
  const float pixel = s / static_cast<float>(wanted);
  std::vector<Redraw> smears;
  smears.push_back(planRedraw({0, 0, s, s}, 1.0f, size));
  for (int i = 0; i < recipe.rounds; ++i) {
    const float d = pixel * static_cast<float>(i);
    smears.push_back(planRedraw({-d, 0, s - d, s}, recipe.roundAlpha, size));
    smears.push_back(planRedraw({0, -d, s, s + d}, recipe.roundAlpha, size));
    smears.push_back(planRedraw({d, 0, s + d, s}, recipe.roundAlpha, size));
  }
  const std::size_t stride = static_cast<std::size_t>(size) * 3;
  const std::size_t bytes = stride * static_cast<std::size_t>(size);
  for (auto* row : {&scratch.filtered, &scratch.low, &scratch.high}) row->resize(std::max(row->size(), stride));
  findSpans(picture, size, clear, scratch.spans);
  Picture& smeared = scratch.smeared;
  smeared.resize(std::max(smeared.size(), bytes));
  std::fill_n(smeared.begin(), bytes, clear);
  for (int r = 0; r < size; ++r) {
    Span dirty{0, 0};
    for (const Redraw& plan : smears) redrawRow(&smeared[r * stride], r, picture, size, plan, &scratch.spans, dirty);
  }
  std::fill_n(picture.begin(), bytes, clear);
  const Redraw last = planRedraw({-pixel, 0, s + pixel, s}, recipe.finalAlpha, size);
  Span whole{0, size};
  for (int r = 0; r < size; ++r) redrawRow(&picture[r * stride], r, smeared, size, last, nullptr, whole);
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
  if (!bakeBlurOnProcessor) {
    TextureRecord& record = GameTextures[recipe.slot];
    copyIntoTexture(record, target.size);
    blurTexture(record, target, recipe.blur);
    widenToFullSize(record, target);
    closeBakeTarget(target);
    finishBake(keptClear);
    return;
  }
  Picture& picture = scratch.picture;
  picture.resize(std::max(picture.size(), static_cast<std::size_t>(target.size) * target.size * 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, target.size, target.size, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
  const unsigned char clear = recipe.clearColour[0] > 0.5f ? 255 : 0;
  blurPicture(picture, target.size, target.wanted, recipe.blur, clear);
  TextureRecord& record = GameTextures[recipe.slot];
  uploadPicture(record, picture, target.size);
  widenToFullSize(record, target);
  closeBakeTarget(target);
  finishBake(keptClear);
}

}  // namespace

void bakeShadowTexture() { bakeTexture(kShadowBake); }

void bakeSurfTexture() { bakeTexture(kSurfBake); }
