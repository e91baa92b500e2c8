// Typing a player's name into the focused text line.
#pragma once

constexpr int kMaxNameGlyphs = 9;  // a typed name stops growing at this many glyphs

// One frame of typing into the name of widgetInput.editPlayer: a typed letter (lower-cased) or
// digit is appended while the line shows fewer than kMaxNameGlyphs glyphs; Backspace or Delete
// empties the whole name; Return or a click anywhere ends the typing, and an empty name then
// becomes "myname". Called by drawText right after it drew the focused name.
void runNameEntry();
