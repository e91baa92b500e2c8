// The arithmetic of glyph text: which sprite each character uses, where the line starts, how
// far the pen steps, the hover pulse and the hit box. No GL here, so it runs headless.
#include <cstring>

#include "core/app_state.h"
#include "ui/text_drawing.h"

WidgetInput widgetInput;

namespace {

// Sprites slots of the glyph set.
constexpr int kFirstLetterSlot = 100;  // 'a'..'z'
constexpr int kFirstDigitSlot = 126;   // '0'..'9'
constexpr unsigned char kFullVolumeByte = 0xA3;
constexpr unsigned char kEmptyVolumeByte = 0xA4;
constexpr unsigned char kAccentedEByte = 0x8E;

struct SizeRules {
  float advance;      // pen step per character before the pulse
  float halfAdvance;  // half-step used for centring
  float hitHalfHeight;
  float hoverPulse;
  bool hitTested;
};
constexpr SizeRules kNormalRules{20, 10, 16, kTextPulse, true};
constexpr SizeRules kSmallRules{10, 5, 9, kSmallTextPulse, true};
constexpr SizeRules kLargeRules{80, 40, 0, 0, false};

const SizeRules& rulesFor(TextSize size) {
  if (size == TextSize::Small) return kSmallRules;
  if (size == TextSize::Large) return kLargeRules;
  return kNormalRules;
}

// The signs and pictures, with the sizes that know them. Small text has no button background,
// volume bars or arrows; large text has only the plain signs and the line.
struct SignGlyph {
  unsigned char character;
  int slot;
  bool small;
  bool large;
};
constexpr std::array<SignGlyph, 20> kSignGlyphs{{
    {'-', 136, true, true},
    {'+', 137, true, true},
    {'<', 138, true, true},
    {'>', 139, true, true},
    {'=', 140, true, true},
    {'!', 143, true, true},
    {'$', kGlyphBlank, true, true},  // its slot holds no image: it only takes the width
    {'.', 145, true, true},
    {kAccentedEByte, 146, true, true},
    {'(', 147, false, false},  // button background, drawn from its top-left corner
    {kFullVolumeByte, 148, false, false},
    {kEmptyVolumeByte, 149, false, false},
    {'A', 150, false, false},  // arrow left
    {'B', 151, false, false},  // arrow right
    {'X', 152, true, false},   // star
    {'C', 153, true, false},   // ball
    {'D', 154, true, false},   // bar
    {'K', 155, true, false},   // keyboard key
    {'T', 156, true, false},   // total sign
    {'L', 157, true, true},    // line, drawn from its top-left corner
}};

bool knownAtSize(const SignGlyph& sign, TextSize size) {
  if (size == TextSize::Small) return sign.small;
  if (size == TextSize::Large) return sign.large;
  return true;
}

// The pulse entry of a widget; ids outside the table have none and always read as at rest.
float pulseOf(int widgetId) {
  if (widgetId < 0 || widgetId >= kWidgetSlots) return 0.0f;
  return widgetInput.pulse[widgetId];
}

void setPulse(int widgetId, float value) {
  if (widgetId < 0 || widgetId >= kWidgetSlots) return;
  widgetInput.pulse[widgetId] = value;
}

void decayPulse(int widgetId) {
  float pulse = pulseOf(widgetId);
  if (pulse > 0) pulse -= kPulseDecay / frameClock.fps;
  if (pulse < 0) pulse = 0;
  setPulse(widgetId, pulse);
  if (widgetId == 0) setPulse(0, 0);
}

bool clickable(int widgetId) { return widgetId > 0 && widgetId < kWidgetSlots; }

// Start of the line before the x offset; truncated toward zero like every screen position.
int horizontalStart(TextSize size, int hAnchor, int cells, float pulse) {
  const SizeRules& rules = rulesFor(size);
  float half = rules.halfAdvance + pulse / 2;
  switch (hAnchor) {
    case HAnchor::Left: return 0;
    case HAnchor::Middle: return screenWidth / 2;
    case HAnchor::Right: return screenWidth;
    case HAnchor::CentreOnScreen:
      if (size == TextSize::Large) half = rules.halfAdvance;  // large text centres unspread
      return static_cast<int>(screenWidth / 2 - cells * half + rules.halfAdvance);
    case HAnchor::CentreOnX:
      return static_cast<int>(rules.halfAdvance + pulse / 2 - cells * half);
    case HAnchor::CentreOnScreenDim:
      if (size != TextSize::Normal) return 0;  // only normal text knows this mode
      return static_cast<int>(screenWidth / 2 - cells * half + rules.halfAdvance);
    default: return 0;
  }
}

bool dimmedWhenResting(TextSize size, int hAnchor) {
  return hAnchor == HAnchor::CentreOnX ||
         (size == TextSize::Normal && hAnchor == HAnchor::CentreOnScreenDim);
}

int verticalStart(int vAnchor) {
  if (vAnchor == VAnchor::Middle) return screenHeight / 2;
  if (vAnchor == VAnchor::Bottom) return screenHeight;
  return 0;
}

bool mouseInside(float left, float width, float centreY, float halfHeight) {
  return input.mouseXf > left && input.mouseXf < left + width &&
         input.mouseYf > centreY - halfHeight && input.mouseYf < centreY + halfHeight;
}

}  // namespace

int glyphFor(unsigned char c, TextSize size) {
  if (c >= 'a' && c <= 'z') return kFirstLetterSlot + (c - 'a');
  if (c >= '0' && c <= '9') return kFirstDigitSlot + (c - '0');
  if (c == ' ') return kGlyphBlank;
  for (const SignGlyph& sign : kSignGlyphs) {
    if (sign.character == c) return knownAtSize(sign, size) ? sign.slot : kGlyphNothing;
  }
  return kGlyphNothing;
}

TextPlacement placeText(TextSize size, int widgetId, int hAnchor, int vAnchor, int x, int y,
                        float fade, const char* text) {
  const SizeRules& rules = rulesFor(size);
  TextPlacement placed;
  // Small text decays before anything else, so its centring already sees the decayed pulse.
  if (size == TextSize::Small) decayPulse(widgetId);
  if (widgetId == 0) setPulse(0, 0);
  if (size == TextSize::Normal) widgetInput.glyphCount = 0;

  // Map the text into the fixed glyph table; anything past kMaxTextLength is cut off.
  int length = text != nullptr ? static_cast<int>(strnlen(text, kMaxTextLength)) : 0;
  std::array<int, kMaxTextLength> glyphs{};
  int cells = 0;
  for (int i = 0; i < length; ++i) {
    glyphs[i] = glyphFor(static_cast<unsigned char>(text[i]), size);
    if (glyphs[i] != kGlyphNothing) ++cells;
  }

  float pulse = pulseOf(widgetId);
  int start = horizontalStart(size, hAnchor, cells, pulse);
  placed.colour = {fade, fade, 1.0f, fade};
  if (dimmedWhenResting(size, hAnchor)) placed.colour = {1, 1, 1, pulse != 0 ? 1.0f : 0.6f};
  if (size != TextSize::Small) decayPulse(widgetId);

  placed.penX = start + x;
  placed.penY = verticalStart(vAnchor) + y;

  // The box spans the full text length: unmapped characters widen it though they draw nothing.
  if (rules.hitTested && clickable(widgetId) &&
      mouseInside(placed.penX, (rules.advance + pulseOf(widgetId)) * length, placed.penY,
                  rules.hitHalfHeight)) {
    placed.hoverSound = size == TextSize::Small && pulseOf(widgetId) == 0;
    input.hoveredItem = widgetId;
    setPulse(widgetId, rules.hoverPulse);
  }

  placed.focused = size == TextSize::Normal && widgetId > 0 &&
                   widgetId == widgetInput.editFocusWidget;
  if (placed.focused) placed.colour = {1, 1, 0, 1};

  // Pen steps use the pulse as it stands after the hit test: a hovered line spreads at once.
  float step = rules.advance + pulseOf(widgetId);
  float pen = 0;
  for (int i = 0; i < length; ++i) {
    if (glyphs[i] == kGlyphNothing) continue;
    if (glyphs[i] != kGlyphBlank) {
      placed.slot[placed.glyphsDrawn] = glyphs[i];
      placed.offsetX[placed.glyphsDrawn] = pen;
      ++placed.glyphsDrawn;
    }
    pen += step;
  }
  placed.endX = pen;
  if (size == TextSize::Normal) widgetInput.glyphCount = placed.glyphsDrawn;
  return placed;
}
