// Glyph text: every interface text is a row of small sprites, one per character, drawn in the
// screen projection (origin top-left, y down, one unit per pixel). A text line with a non-zero
// widget id is also a button: it is hit-tested against the mouse, pulses while hovered and
// reports itself in input.hoveredItem. One line at a time can hold the keyboard focus and edit
// a player's name.
#pragma once

#include <array>

struct Sprite;

constexpr int kWidgetSlots = 50;    // widget ids 1..49 are clickable; 0 is a plain label
constexpr int kMaxTextLength = 60;  // longer texts are cut to this many characters

constexpr float kTextPulse = 5.0f;       // pulse of a hovered normal text
constexpr float kSmallTextPulse = 2.0f;  // pulse of a hovered small text
constexpr float kPulseDecay = 20.0f;     // pulse units lost per second

// Persists across frames and screens; editFocusWidget is cleared by the interface-reload
// transition and when typing ends.
struct WidgetInput {
  std::array<float, kWidgetSlots> pulse{};  // hover pulse per widget id; 0 = at rest
  int editFocusWidget = 0;                  // id of the text being typed into, 0 = none
  int editPlayer = 0;                       // player whose name that text edits
  int glyphCount = 0;                       // glyph images drawn by the last drawText
};
extern WidgetInput widgetInput;

// Horizontal placement of a text line (the hAnchor argument).
namespace HAnchor {
constexpr int Left = 0;               // x from 0
constexpr int Middle = 1;             // x from half the screen width
constexpr int Right = 2;              // x from the screen width
constexpr int CentreOnScreen = 3;     // the line centred on the screen, then shifted by x
constexpr int CentreOnX = 4;          // the line centred on x; dim white unless pulsing
constexpr int CentreOnScreenDim = 5;  // as CentreOnScreen with the colour of CentreOnX
}  // namespace HAnchor

// Vertical placement: y is the line's centre, measured from this base.
namespace VAnchor {
constexpr int Top = 0;
constexpr int Middle = 1;
constexpr int Bottom = 2;
}  // namespace VAnchor

// ---- Glyph map and layout (no drawing; the text operations below are built on these) ----

enum class TextSize { Normal, Small, Large };

constexpr int kGlyphBlank = -1;    // nothing drawn, but takes a character's width
constexpr int kGlyphNothing = -2;  // nothing drawn and no width

// The Sprites slot that draws `c` in text of this size, or kGlyphBlank / kGlyphNothing.
int glyphFor(unsigned char c, TextSize size);

// One laid-out line: where its pen starts, where each glyph goes and in which colour.
struct TextPlacement {
  int glyphsDrawn = 0;                               // entries used in slot/offsetX
  std::array<int, kMaxTextLength> slot{};            // Sprites slot of each drawn glyph
  std::array<float, kMaxTextLength> offsetX{};       // its centre (or corner) right of the pen
  float endX = 0;                                    // pen offset after the last character
  int penX = 0, penY = 0;                            // pen start in screen pixels
  std::array<float, 4> colour{};                     // red, green, blue, alpha
  bool focused = false;                              // draws the cursor and edits a name
  bool hoverSound = false;                           // the mouse has just arrived (small text)
};

// Lays out one line and applies its widget bookkeeping for this frame: the pulse decay, the
// hit test (input.hoveredItem, the pulse, the arrival sound flag) and widgetInput.glyphCount
// for normal text. Reads screenWidth/screenHeight, the mouse and frameClock.fps.
TextPlacement placeText(TextSize size, int widgetId, int hAnchor, int vAnchor, int x, int y,
                        float fade, const char* text);

// ---- Drawing (needs a GL context) ----

// The sprite's quad at its own size, half size and four times its size, at the current
// modelview origin, tinted by the current colour. Always frame 0.
void drawSprite(const Sprite& sprite, int frame);
void drawSpriteSmall(const Sprite& sprite, int frame);
void drawSpriteLarge(const Sprite& sprite, int frame);

// Loads the screen projection: 0..screenWidth by screenHeight..0, near -100, far 100,
// identity modelview, lighting off.
void loadScreenProjection();

// The three text operations. Texts are single-byte; at most kMaxTextLength characters are
// laid out. drawText and drawSmallText draw in the caller's projection; drawLargeText loads
// the screen projection itself and is never hit-tested.
void drawText(int widgetId, int hAnchor, int vAnchor, int x, int y, float fade, const char* text);
void drawSmallText(int widgetId, int hAnchor, int vAnchor, int x, int y, float fade,
                   const char* text);
void drawLargeText(int widgetId, int hAnchor, int vAnchor, int x, int y, float fade,
                   const char* text);
