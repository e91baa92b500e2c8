// Where the game reads its data tree and where it keeps the player's files (the settings,
// the score files and the screenshots taken with F12).
#pragma once

#include <array>

#include "core/app_state.h"

// Finds the data tree and changes into the folder that holds it, so that every "./data/..."
// path of the game reaches it: ./data first, then a data folder beside the program, then the
// installed tree ../share/games/quillmoor/data beside the program's folder. When none is
// there the working folder stays, and the missing files report themselves.
void findDataTree();

// Sets configPath and dataFolder. A writable data tree keeps the files in it; otherwise they
// go to the user's data folder, made on first use. When that folder cannot be made both
// paths stay empty, one line says so and the game plays on without saving.
void chooseSaveFolder();

// The user's data folder, "$XDG_DATA_HOME/quillmoor/" or "$HOME/.local/share/quillmoor/",
// with its trailing slash. False when neither variable gives one or the path does not fit.
bool userDataFolder(std::array<char, kPathLength>& out);

// Makes the folder and every missing parent; true when it exists afterwards.
bool makeFolders(const char* path);
