// Drawing of glyph text and sprites in the screen projection. The layout and the widget
// bookkeeping come from placeText (text_layout.cpp); this file only issues the GL calls.
#include "ui/text_drawing.h"

#include <GL/glew.h>

#include "core/app_state.h"
#include "core/audio.h"
#include "render/texture_tables.h"
#include "ui/name_entry.h"

namespace {

constexpr int kCursorSlot = 148;       // shown while the blink flag is off
constexpr int kCursorBlinkSlot = 149;  // shown while it is on
constexpr int kHoverFrequency = 40000;
constexpr int kHoverVolume = 250;
constexpr int kCentrePan = 128;

// The attribute groups a sprite may disturb; face culling and texturing are deliberately not
// among them, so a sprite leaves culling off and 2D texturing on.
constexpr GLbitfield kSpriteAttributes = GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_STIPPLE_BIT |
                                         GL_PIXEL_MODE_BIT | GL_LIGHTING_BIT | GL_FOG_BIT |
                                         GL_DEPTH_BUFFER_BIT | GL_ACCUM_BUFFER_BIT |
                                         GL_STENCIL_BUFFER_BIT | GL_VIEWPORT_BIT;

void drawSpriteQuad(const Sprite& sprite, int frame, const SpriteQuad& quad) {
  if (frame < 0 || frame >= kSpriteFrames) frame = 0;
  glPushAttrib(kSpriteAttributes);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_COLOR_MATERIAL);
  glBindTexture(GL_TEXTURE_2D, sprite.frames[frame].glName);
  glLoadName(static_cast<GLuint>(sprite.sequence));
  static constexpr std::array<std::array<float, 2>, 4> kCornerTexCoords{
      {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
  glBegin(GL_QUADS);
  for (int corner = 0; corner < 4; ++corner) {
    glTexCoord2f(kCornerTexCoords[corner][0], kCornerTexCoords[corner][1]);
    glVertex2f(quad[corner][0], quad[corner][1]);
  }
  glEnd();
  glPopAttrib();
}

using SpriteDrawer = void (*)(const Sprite&, int);

// Draws the placed glyphs and leaves the modelview translated to the pen start (pushed).
void drawPlacedGlyphs(const TextPlacement& placed, SpriteDrawer draw) {
  glColor4f(placed.colour[0], placed.colour[1], placed.colour[2], placed.colour[3]);
  glPushMatrix();
  glTranslatef(static_cast<float>(placed.penX), static_cast<float>(placed.penY), 0);
  for (int i = 0; i < placed.glyphsDrawn; ++i) {
    glPushMatrix();
    glTranslatef(placed.offsetX[i], 0, 0);
    draw(Sprites[placed.slot[i]], 0);
    glPopMatrix();
  }
}

}  // namespace

void drawSprite(const Sprite& sprite, int frame) { drawSpriteQuad(sprite, frame, sprite.quad); }

void drawSpriteSmall(const Sprite& sprite, int frame) {
  drawSpriteQuad(sprite, frame, sprite.smallQuad);
}

void drawSpriteLarge(const Sprite& sprite, int frame) {
  drawSpriteQuad(sprite, frame, sprite.largeQuad);
}

void loadScreenProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, screenWidth, screenHeight, 0, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
}

void drawText(int widgetId, int hAnchor, int vAnchor, int x, int y, float fade, const char* text) {
  TextPlacement placed =
      placeText(TextSize::Normal, widgetId, hAnchor, vAnchor, x, y, fade, text);
  drawPlacedGlyphs(placed, drawSprite);
  if (placed.focused) {
    glTranslatef(placed.endX, 0, 0);
    drawSprite(Sprites[frameClock.blink ? kCursorBlinkSlot : kCursorSlot], 0);
    runNameEntry();
  }
  glPopMatrix();
}

void drawSmallText(int widgetId, int hAnchor, int vAnchor, int x, int y, float fade,
                   const char* text) {
  TextPlacement placed =
      placeText(TextSize::Small, widgetId, hAnchor, vAnchor, x, y, fade, text);
  if (placed.hoverSound && soundVolume > 0) {
    playSample(Whoosh, kHoverFrequency, kHoverVolume, kCentrePan);
  }
  drawPlacedGlyphs(placed, drawSpriteSmall);
  glPopMatrix();
}

void drawLargeText(int widgetId, int hAnchor, int vAnchor, int x, int y, float fade,
                   const char* text) {
  loadScreenProjection();
  TextPlacement placed =
      placeText(TextSize::Large, widgetId, hAnchor, vAnchor, x, y, fade, text);
  drawPlacedGlyphs(placed, drawSpriteLarge);
  glPopMatrix();
}
