// Program entry: start-up, then the window loop, which opens the window and runs the main
// loop, again after the options screen changed the display settings.
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/automation.h"
#include "core/config_file.h"
#include "core/frame_clock.h"
#include "core/gl_state.h"
#include "core/kinds_file.h"
#include "core/main_loop.h"
#include "core/save_paths.h"
#include "core/video_modes.h"
#include "course/course_catalogue.h"
#include "play/play_state.h"
#include "ui/localised_strings.h"

namespace {

constexpr int kScriptFailure = 3;
constexpr const char* kCaption = "Quillmoor Mini Golf";

// Opens the window with the configured mode; failure ends the program with status 2.
void openWindow() {
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  Uint32 flags = SDL_OPENGL | SDL_DOUBLEBUF;
  if (fullscreen == 1) flags |= SDL_FULLSCREEN;
  if (SDL_SetVideoMode(screenWidth, screenHeight, 0, flags) == nullptr) {
    std::fprintf(stderr, "Couldn't set %dx%d OpenGL video mode: %s\n", screenWidth,
                 screenHeight, SDL_GetError());
    SDL_Quit();
    std::exit(2);
  }
  SDL_WM_SetCaption(kCaption, kCaption);
}

}  // namespace

int main(int argc, char** argv) {
  // The SDL 1.2 layer would otherwise draw GL into an off-screen buffer, which breaks
  // reading the back buffer and costs a third of the frame rate.
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
  if (!parseCommandLine(argc, argv)) return kScriptFailure;
  if (automation.scriptPath[0] != '\0' && !loadScript(automation.scriptPath.data())) {
    return kScriptFailure;
  }
  setFixedStep(automation.fixedStepMs);

  findDataTree();
  chooseSaveFolder();
  std::srand(automation.seedGiven ? automation.seed : static_cast<unsigned>(std::time(nullptr)));
  holeNumber = 1;
  catalogue.currentWorld = 4;
  buildCourseCatalogue();
  // A world whose file is missing leaves the catalogue shorter: the opening world must stay in it.
  if (!isCatalogueWorld(catalogue.currentWorld)) {
    catalogue.currentWorld = catalogue.worldCount > 0 ? catalogue.worldCount - 1 : 0;
  }

  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    return 1;
  }
  SDL_EnableUNICODE(1);

  do {
    listVideoModes();
    readConfig();
    readPlayerKinds();
    applyLanguage();
    videoRestart = 0;
    quitRequested = 0;
    openWindow();
    applyFixedGlState();
    glewInit();
    screenState = reloadTransitionTo(Reload);
    listVideoModes();
    readConfig();
    runMainLoop();
  } while (videoRestart == 1);

  stopSound();
  SDL_Quit();
  return 0;
}
