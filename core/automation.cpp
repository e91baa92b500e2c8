#include "core/automation.h"

#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "core/frame_clock.h"
#include "core/resource_counts.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

AutomationOptions automation;

namespace {

struct KeyName {
  const char* name;
  int key;
  int character;
};

// Named keys of the script; letters, digits and other printable characters stand for
// themselves.
constexpr std::array<KeyName, 14> kKeyNames{{{"space", SDLK_SPACE, ' '},
                                             {"return", SDLK_RETURN, '\r'},
                                             {"escape", SDLK_ESCAPE, 27},
                                             {"backspace", SDLK_BACKSPACE, 8},
                                             {"up", SDLK_UP, 0},
                                             {"down", SDLK_DOWN, 0},
                                             {"left", SDLK_LEFT, 0},
                                             {"right", SDLK_RIGHT, 0},
                                             {"f1", SDLK_F1, 0},
                                             {"f2", SDLK_F2, 0},
                                             {"f3", SDLK_F3, 0},
                                             {"f4", SDLK_F4, 0},
                                             {"f12", SDLK_F12, 0},
                                             {"delete", SDLK_DELETE, 127}}};

// The loaded script; lives for the whole run.
std::array<ScriptAction, kMaxScriptActions> actions{};
int actionCount = 0;
std::array<std::array<char, kPathLength>, kMaxScreenshots> shotPaths{};
int shotCount = 0;

// Progress of the run; lives for the whole run (across window restarts).
long frameNumber = 0;
int nextAction = 0;
std::array<int, kMaxScreenshots> shotsThisFrame{};
int shotsThisFrameCount = 0;
int pointerX = 0, pointerY = 0;
Uint8 buttonMask = 0;
std::array<bool, SDLK_LAST> heldKeys{};
std::array<bool, SDLK_LAST> pressedThisFrame{};

// Real time of the end of the first frame, for the frame rate printed at the frame limit.
Uint32 firstFrameTicks = 0;

// A limited run ends by saying how fast it ran in real time (the first frame, which
// loads the interface, is left out).
void printFrameRate() {
  const double seconds = (SDL_GetTicks() - firstFrameTicks) / 1000.0;
  const long frames = frameNumber - 1;
  if (frames > 0 && seconds > 0.0) {
    std::printf("%ld frames in %.2f s: %.1f frames per second, %.2f ms a frame\n", frames,
                seconds, frames / seconds, seconds * 1000.0 / frames);
  }
}

bool fail(char* error, int errorSize, const char* reason) {
  std::snprintf(error, static_cast<size_t>(errorSize), "%s", reason);
  return false;
}

bool append(const ScriptAction& action, char* error, int errorSize) {
  if (actionCount >= kMaxScriptActions) return fail(error, errorSize, "too many actions");
  actions[actionCount++] = action;
  return true;
}

// True when only blanks follow position pos of text.
bool restIsBlank(const char* text) {
  while (*text != '\0') {
    if (!std::isspace(static_cast<unsigned char>(*text))) return false;
    ++text;
  }
  return true;
}

// Copies the line without its comment and trailing blanks.
void stripComment(const char* line, char* out, int outSize) {
  std::snprintf(out, static_cast<size_t>(outSize), "%s", line);
  char* hash = std::strchr(out, '#');
  if (hash != nullptr) *hash = '\0';
  int n = static_cast<int>(std::strlen(out));
  while (n > 0 && std::isspace(static_cast<unsigned char>(out[n - 1]))) out[--n] = '\0';
}

bool parseKeyAction(ScriptAction action, const char* args, char* error, int errorSize) {
  std::array<char, 32> name{};
  int used = 0;
  if (std::sscanf(args, "%31s%n", name.data(), &used) != 1 || !restIsBlank(args + used)) {
    return fail(error, errorSize, "expected one key name");
  }
  if (!lookUpKeyName(name.data(), &action.key, &action.character)) {
    return fail(error, errorSize, "unknown key name");
  }
  return append(action, error, errorSize);
}

bool parseTypeAction(ScriptAction action, const char* text, char* error, int errorSize) {
  if (*text == '\0') return fail(error, errorSize, "nothing to type");
  // Each character takes the next frame: the last frame must still be a number.
  if (action.frame > std::numeric_limits<long>::max() - static_cast<long>(std::strlen(text))) {
    return fail(error, errorSize, "frame too large");
  }
  for (const char* c = text; *c != '\0'; ++c) {
    const std::array<char, 2> one{*c, '\0'};
    const char* name = *c == ' ' ? "space" : one.data();
    if (!lookUpKeyName(name, &action.key, &action.character)) {
      return fail(error, errorSize, "cannot type that character");
    }
    if (!append(action, error, errorSize)) return false;
    ++action.frame;  // one key press per frame, so that each is seen as typed
  }
  return true;
}

bool parseActionArgs(ScriptAction action, const char* verb, const char* args, char* error,
                     int errorSize) {
  int used = 0;
  const std::string_view v(verb);
  if (v == "move") {
    action.kind = ScriptActionKind::Move;
    if (std::sscanf(args, "%d %d%n", &action.x, &action.y, &used) != 2 ||
        !restIsBlank(args + used) || action.x < 0 || action.y < 0 || action.x > 65535 ||
        action.y > 65535) {
      return fail(error, errorSize, "move needs two pixel coordinates");
    }
    return append(action, error, errorSize);
  }
  if (v == "press" || v == "release") {
    action.kind = v == "press" ? ScriptActionKind::Press : ScriptActionKind::Release;
    if (std::sscanf(args, "%d%n", &action.button, &used) != 1 || !restIsBlank(args + used) ||
        (action.button != 1 && action.button != 3 && action.button != 4 && action.button != 5)) {
      return fail(error, errorSize, "mouse button must be 1, 3, 4 or 5");
    }
    return append(action, error, errorSize);
  }
  if (v == "key" || v == "hold" || v == "unhold") {
    action.kind = v == "key"    ? ScriptActionKind::Key
                  : v == "hold" ? ScriptActionKind::Hold
                                : ScriptActionKind::Unhold;
    return parseKeyAction(action, args, error, errorSize);
  }
  if (v == "type") {
    action.kind = ScriptActionKind::Key;
    return parseTypeAction(action, args, error, errorSize);
  }
  if (v == "screenshot") {
    action.kind = ScriptActionKind::Screenshot;
    if (*args == '\0') return fail(error, errorSize, "screenshot needs a file name");
    if (shotCount >= kMaxScreenshots) return fail(error, errorSize, "too many screenshots");
    if (std::strlen(args) >= shotPaths[0].size()) return fail(error, errorSize, "path too long");
    std::snprintf(shotPaths[shotCount].data(), shotPaths[shotCount].size(), "%s", args);
    action.screenshot = shotCount;
    if (!append(action, error, errorSize)) return false;
    ++shotCount;
    return true;
  }
  if (v == "quit" || v == "resources") {
    action.kind = v == "quit" ? ScriptActionKind::Quit : ScriptActionKind::Resources;
    if (!restIsBlank(args)) return fail(error, errorSize, "takes no arguments");
    return append(action, error, errorSize);
  }
  return fail(error, errorSize, "unknown action");
}

void pushEvent(SDL_Event& event) {
  if (SDL_PushEvent(&event) != 0) std::printf("script: event queue full\n");
}

void pushKey(Uint8 type, int key, int character) {
  SDL_Event event{};
  event.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = static_cast<SDLKey>(key);
  event.key.keysym.mod = KMOD_NONE;
  event.key.keysym.unicode = type == SDL_KEYDOWN ? static_cast<Uint16>(character) : 0;
  pushEvent(event);
}

void pushButton(Uint8 type, int button) {
  SDL_Event event{};
  event.type = type;
  event.button.button = static_cast<Uint8>(button);
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(pointerX);
  event.button.y = static_cast<Uint16>(pointerY);
  pushEvent(event);
  const Uint8 mask = static_cast<Uint8>(SDL_BUTTON(button));
  if (type == SDL_MOUSEBUTTONDOWN) buttonMask |= mask;
  else buttonMask &= static_cast<Uint8>(~mask);
}

void pushMove(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.state = buttonMask;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  event.motion.xrel = static_cast<Sint16>(x - pointerX);
  event.motion.yrel = static_cast<Sint16>(y - pointerY);
  pointerX = x;
  pointerY = y;
  pushEvent(event);
}

void runAction(const ScriptAction& a) {
  switch (a.kind) {
    case ScriptActionKind::Move: pushMove(a.x, a.y); break;
    case ScriptActionKind::Press: pushButton(SDL_MOUSEBUTTONDOWN, a.button); break;
    case ScriptActionKind::Release: pushButton(SDL_MOUSEBUTTONUP, a.button); break;
    case ScriptActionKind::Key:
      pressedThisFrame[a.key] = true;
      pushKey(SDL_KEYDOWN, a.key, a.character);
      pushKey(SDL_KEYUP, a.key, 0);
      break;
    case ScriptActionKind::Hold:
      heldKeys[a.key] = true;
      pushKey(SDL_KEYDOWN, a.key, a.character);
      break;
    case ScriptActionKind::Unhold:
      heldKeys[a.key] = false;
      pushKey(SDL_KEYUP, a.key, 0);
      break;
    case ScriptActionKind::Screenshot:
      if (shotsThisFrameCount < kMaxScreenshots) shotsThisFrame[shotsThisFrameCount++] = a.screenshot;
      break;
    case ScriptActionKind::Resources: printResourceCounts(frameNumber); break;
    case ScriptActionKind::Quit: {
      SDL_Event event{};
      event.type = SDL_QUIT;
      pushEvent(event);
      break;
    }
  }
}

// Reads a whole-number option value; false when it is missing, malformed or out of range.
bool parseNumber(const char* text, long low, long high, long* out) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < low || value > high) return false;
  *out = value;
  return true;
}

}  // namespace

bool lookUpKeyName(const char* name, int* key, int* character) {
  for (const KeyName& k : kKeyNames) {
    if (std::strcmp(name, k.name) == 0) {
      *key = k.key;
      *character = k.character;
      return true;
    }
  }
  const unsigned char c = static_cast<unsigned char>(name[0]);
  if (name[0] == '\0' || name[1] != '\0' || c <= ' ' || c >= 127) return false;
  // SDL key symbols are the ASCII codes of the unshifted keys.
  *key = std::isupper(c) ? std::tolower(c) : c;
  *character = c;
  return true;
}

bool parseScriptLine(const char* line, char* error, int errorSize) {
  std::array<char, kScriptLineLength> text{};
  stripComment(line, text.data(), static_cast<int>(text.size()));
  const char* p = text.data();
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  if (*p == '\0') return true;

  ScriptAction action;
  std::array<char, 16> verb{};
  int used = 0;
  if (std::sscanf(p, "%ld %15s%n", &action.frame, verb.data(), &used) != 2) {
    return fail(error, errorSize, "expected FRAME ACTION");
  }
  if (action.frame < 0) return fail(error, errorSize, "frame must not be negative");
  const char* args = p + used;
  if (*args == ' ' || *args == '\t') ++args;  // one separator; "type" keeps further blanks
  if (std::string_view(verb.data()) != "type") {
    while (std::isspace(static_cast<unsigned char>(*args))) ++args;
  }
  return parseActionArgs(action, verb.data(), args, error, errorSize);
}

void clearScript() {
  actionCount = 0;
  shotCount = 0;
  nextAction = 0;
  frameNumber = 0;
  shotsThisFrameCount = 0;
  pointerX = pointerY = 0;
  buttonMask = 0;
  heldKeys.fill(false);
  pressedThisFrame.fill(false);
}

bool loadScript(const char* path) {
  std::FILE* f = std::fopen(path, "r");
  if (f == nullptr) {
    std::fprintf(stderr, "script %s: cannot open\n", path);
    return false;
  }
  std::array<char, kScriptLineLength> line{};
  std::array<char, 128> error{};
  int lineNumber = 0;
  bool ok = true;
  while (ok && std::fgets(line.data(), static_cast<int>(line.size()), f) != nullptr) {
    ++lineNumber;
    const size_t n = std::strlen(line.data());
    if (n + 1 == line.size() && line[n - 1] != '\n') {
      std::snprintf(error.data(), error.size(), "line too long");
      ok = false;
    } else {
      ok = parseScriptLine(line.data(), error.data(), static_cast<int>(error.size()));
    }
    if (!ok) std::fprintf(stderr, "script %s line %d: %s\n", path, lineNumber, error.data());
  }
  std::fclose(f);
  // Actions run by frame; lines of one frame run in file order.
  std::stable_sort(actions.begin(), actions.begin() + actionCount,
                   [](const ScriptAction& a, const ScriptAction& b) { return a.frame < b.frame; });
  return ok;
}

int scriptActionCount() { return actionCount; }
const ScriptAction& scriptAction(int index) { return actions[index]; }
const char* screenshotPath(int index) { return shotPaths[index].data(); }

bool parseCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view option(argv[i]);
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    long number = 0;
    if (option == "--end-at-scores") {
      automation.endAtScores = true;
      continue;  // takes no value
    }
    if (option == "--frames" && parseNumber(value, 1, 1000000000L, &number)) {
      automation.frameLimit = number;
    } else if (option == "--fixed-step" && parseNumber(value, 1, 1000, &number)) {
      automation.fixedStepMs = static_cast<int>(number);
    } else if (option == "--seed" && parseNumber(value, 0, 4294967295L, &number)) {
      automation.seedGiven = true;
      automation.seed = static_cast<unsigned>(number);
    } else if (option == "--script" && value != nullptr && std::strlen(value) < kPathLength) {
      std::snprintf(automation.scriptPath.data(), automation.scriptPath.size(), "%s", value);
    } else {
      std::fprintf(stderr,
                   "usage: quillmoor [--frames N] [--end-at-scores] [--fixed-step MS] [--seed N] [--script FILE]\n");
      return false;
    }
    ++i;
  }
  return true;
}

void runScriptFrame() {
  pressedThisFrame.fill(false);
  shotsThisFrameCount = 0;
  while (nextAction < actionCount && actions[nextAction].frame <= frameNumber) {
    runAction(actions[nextAction++]);
  }
}

void takeScriptScreenshots() {
  for (int i = 0; i < shotsThisFrameCount; ++i) writeScreenshot(shotPaths[shotsThisFrame[i]].data());
  shotsThisFrameCount = 0;
}

bool finishAutomatedFrame(bool roundEntered) {
  if (frameNumber == 0) firstFrameTicks = SDL_GetTicks();
  ++frameNumber;
  advanceFixedStep();
  const bool done = (automation.frameLimit > 0 && frameNumber >= automation.frameLimit) ||
                    (automation.endAtScores && roundEntered);
  if (done) printFrameRate();
  return done;
}

long automatedFrameNumber() { return frameNumber; }

bool keyIsDown(const Uint8* keyState, int key) {
  if (key < 0 || key >= SDLK_LAST) return false;
  return (keyState != nullptr && keyState[key] != 0) || heldKeys[key] || pressedThisFrame[key];
}

void warpPointer(int x, int y) {
  if (automation.scriptPath[0] != '\0') {
    pushMove(x, y);
    return;
  }
  SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
}

bool writeScreenshot(const char* path) {
  const SDL_Surface* surface = SDL_GetVideoSurface();
  if (surface == nullptr) {
    std::printf("screenshot %s: no window\n", path);
    return false;
  }
  const int width = surface->w;
  const int height = surface->h;
  const int stride = width * 3;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  stbi_flip_vertically_on_write(1);  // GL rows run bottom-up
  if (stbi_write_png(path, width, height, 3, pixels.data(), stride) == 0) {
    std::printf("screenshot %s: cannot write\n", path);
    return false;
  }
  return true;
}
