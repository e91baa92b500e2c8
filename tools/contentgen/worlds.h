// The five base worlds: their names, list files, music, skies, fog, floors and
// the object types every world carries (each drawn in the world's own style).
// The list file of a world is written from these tables; its hole sources are
// content/holes/<folder>/ and refer to the floors and object types by key.
#pragma once

#include "raster.h"

#include <array>
#include <string>

constexpr int kWorldCount = 5;
constexpr int kWorldHoles = 18;
constexpr int kWorldFloors = 5;

// Look of the decorations that differ most between worlds.
enum class DecorStyle { Meadow, Beach, Castle, Snow, Garden };

struct FloorSpec {
    const char *key;      // name used by the hole legends
    Colour base, detail;  // main colour and the colour of its pattern
    int pattern;          // FloorPattern value (world_floors.cpp)
};

struct WorldSpec {
    int listNumber;         // data/levels/level<N>.vorpel
    const char *levelName;  // single word, '-' for blanks
    const char *folder;     // content/holes/<folder>/
    const char *prefix;     // file name prefix of the world's models and textures
    const char *music;      // data/music/<music>.ogg
    const char *clouds;     // data/sky/<clouds>-b.obj, the cloud layer; the dome is <prefix>-dome
    bool fog;
    DecorStyle decor;
    std::array<FloorSpec, kWorldFloors> floors;
    Colour wall, cap, accent, leaf, wood, glow;
    Colour skyZenith, skyHorizon;
};

// One kind of placed object, present in every world. Kinds with extra models
// (animation frames, a turning part, a hit flash) are followed in the list
// file by that many entries of behaviour 0, which are never placed.
struct ObjectKind {
    const char *key;
    int behaviour;
    int frameCount;
    int speed;        // the list file's number; the game multiplies it by 0.6
    int extraModels;
};

extern const std::array<WorldSpec, kWorldCount> kWorlds;

int objectKindCount();
const ObjectKind &objectKind(int index);
// Object id (model slot) of the kind with this key, or -1 for an unknown key.
int objectIdOf(const std::string &key);
// Floor index of the key in a world, or -1.
int floorIndexOf(const WorldSpec &world, const std::string &key);
// True once content/holes/<folder>/ exists.
bool worldHasHoles(const WorldSpec &world);
// File name of the model of object id `id` (extra models included), relative
// to the data tree's object/ folder.
std::string objectModelName(const WorldSpec &world, int id);
