#include "ui/name_entry.h"

#include <cstring>

#include "core/app_state.h"
#include "play/play_state.h"
#include "ui/text_drawing.h"

static constexpr char kBackspace = 8;
static constexpr char kDelete = 127;
static constexpr const char* kDefaultName = "myname";

// The character a typed key adds to a name, or 0 when it adds nothing (no blanks or signs:
// the glyph set draws names as lower-case letters and digits only).
static char nameCharacter(char typed) {
  if (typed >= 'a' && typed <= 'z') return typed;
  if (typed >= 'A' && typed <= 'Z') return static_cast<char>(typed - 'A' + 'a');
  if (typed >= '0' && typed <= '9') return typed;
  return 0;
}

void runNameEntry() {
  int player = widgetInput.editPlayer;
  if (player < 0 || player >= kMaxPlayers) {  // a stray index edits nothing, and ends typing
    widgetInput.editFocusWidget = 0;
    return;
  }
  std::array<char, kPlayerNameLength>& name = players.name[player];
  name[kPlayerNameLength - 1] = '\0';
  std::size_t length = std::strlen(name.data());

  char added = nameCharacter(input.typedChar);
  if (widgetInput.glyphCount < kMaxNameGlyphs && added != 0 && length + 1 < name.size()) {
    name[length] = added;
    name[length + 1] = '\0';
  }
  if (input.typedChar == kBackspace || input.typedChar == kDelete) name[0] = '\0';

  if (input.keyReturn != 0 || input.clickState == 1) {
    // Judged on the name as it now stands, so that a Backspace in the same frame as Return
    // cannot leave an empty name behind.
    if (name[0] == '\0') {
      std::memcpy(name.data(), kDefaultName, std::strlen(kDefaultName) + 1);
    }
    widgetInput.editFocusWidget = 0;
  }
}
