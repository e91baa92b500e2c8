#include "core/app_state.h"

std::array<char, kPathLength> configPath{};
std::array<char, kPathLength> dataFolder{};

int screenState = -113;
int screenChoice = 0;
int quitRequested = 0;
int videoRestart = 0;

FrameClock frameClock;
InputState input;

int screenWidth = 640;
int screenHeight = 480;
int fullscreen = 1;
int screenDepth = 32;
int screenRefresh = 90;

int musicVolume = 10;
int soundVolume = 10;
int detailLevel = 1;
int language = 0;
