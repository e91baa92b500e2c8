#include "worlds.h"

#include "file_output.h"

#include <cstdio>
#include <filesystem>

namespace {

enum FloorPattern { Grass = 0, Sand = 1, Stone = 2, Snow = 3, Moss = 4, Bed = 5, Boards = 6 };

// Every world carries every kind, in this order; the order fixes the ids the
// hole maps use, and a kind's extra models follow it directly.
constexpr std::array<ObjectKind, 24> kKinds = {{
    {"wall-low", 1, 0, 0, 0},
    {"wall-mid", 1, 0, 0, 0},
    {"wall-tall", 1, 0, 2100, 0},  // above 2023 the wall also blocks the camera's view
    {"diagonal", 6, 0, 0, 0},
    {"rough", 3, 0, 0, 0},
    {"decor", 4, 0, 0, 0},
    {"block", 5, 0, 0, 0},
    {"vent", 7, 0, 0, 1},
    {"platform", 8, 0, 0, 0},
    {"lantern", 9, 3, 5, 2},
    {"star", 10, 0, 0, 0},
    {"smoke", 11, 0, 3, 0},
    {"fountain", 12, 0, 0, 0},
    {"wheel", 13, 0, 0, 0},
    {"jump", 14, 2, 4, 1},
    {"bumper", 100, 0, 0, 1},
    {"cutout", 101, 0, 0, 0},
    {"passage", 102, 0, 0, 0},
    {"exit", 103, 0, 0, 0},
    {"bob", 104, 0, 0, 0},
    {"mud", 105, 3, 4, 2},
    {"plank", 106, 0, 0, 0},
    {"float", 2, 0, 0, 0},
    {"fan", 1, -1, 0, 1},
}};

void appendLine(std::string &out, const std::string &line)
{
    out += line;
    out += '\n';
}

std::string listFile(const WorldSpec &w)
{
    std::string out;
    appendLine(out, "MAINpath ./data");
    appendLine(out, std::string("Level_Name ") + w.levelName);
    appendLine(out, std::string("Music ./data/music/") + w.music + ".ogg");
    appendLine(out, std::string("SKY-A ./data/sky/") + w.prefix + "-dome.obj");
    appendLine(out, std::string("SKY-B ./data/sky/") + w.clouds + "-b.obj");
    if (w.fog) appendLine(out, "EnableGLfog 1");
    for (const FloorSpec &f : w.floors) appendLine(out, std::string("texture ") + w.prefix + "-" + f.key + ".tga");
    int id = 0;
    for (const ObjectKind &k : kKinds) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "object %s %d %d %d", objectModelName(w, id).c_str(), k.behaviour,
                      k.frameCount, k.speed);
        appendLine(out, buf);
        ++id;
        for (int e = 0; e < k.extraModels; ++e, ++id) appendLine(out, "object " + objectModelName(w, id) + " 0 0 0");
    }
    return out;
}

}  // namespace

// Colours in the game's palette family; each world has one floor for the
// fairway, the fringe, the green around the cup, the banks and the sea bed.
const std::array<WorldSpec, kWorldCount> kWorlds = {{
    {1, "bramble-meadow", "meadow", "w1", "world1", "day", false, DecorStyle::Meadow,
     {{{"fairway", rgb(0x5cc85a), rgb(0x4bb54c), Grass}, {"fringe", rgb(0x8fd66a), rgb(0x6fbf55), Moss},
       {"green", rgb(0x6ee06a), rgb(0x5acf5a), Grass}, {"bank", rgb(0xc9a46b), rgb(0xa88250), Sand},
       {"seabed", rgb(0xd8c48e), rgb(0xb9a370), Bed}}},
     rgb(0x3f9a45), rgb(0xc98a4b), rgb(0xff6b6b), rgb(0x3fae4a), rgb(0xc98a4b), rgb(0xffe28a),
     rgb(0x2f8fe0), rgb(0xdff6ff)},
    {2, "saltwind-cove", "cove", "w2", "world2", "day", false, DecorStyle::Beach,
     {{{"fairway", rgb(0x46c7a0), rgb(0x39b08c), Grass}, {"fringe", rgb(0xf2d79b), rgb(0xe3c07d), Sand},
       {"green", rgb(0x5ad6a8), rgb(0x48c496), Grass}, {"bank", rgb(0xf7e3b0), rgb(0xe8cc8c), Sand},
       {"seabed", rgb(0xf0dca0), rgb(0xd9c080), Bed}}},
     rgb(0xf4e2b8), rgb(0x2fa3c9), rgb(0xff9f43), rgb(0x44b85a), rgb(0xb07a45), rgb(0xfff0a0),
     rgb(0x1fa0e8), rgb(0xfff1d0)},
    {3, "quillmoor-keep", "keep", "w3", "world3", "dusk", false, DecorStyle::Castle,
     {{{"fairway", rgb(0x4fae5a), rgb(0x3f9a4c), Grass}, {"fringe", rgb(0xb8b4aa), rgb(0x948f86), Stone},
       {"green", rgb(0x62c46a), rgb(0x50b05a), Grass}, {"bank", rgb(0x9c9488), rgb(0x7c7468), Stone},
       {"seabed", rgb(0x7d8a78), rgb(0x66735f), Bed}}},
     rgb(0xa9a39a), rgb(0x8b847a), rgb(0xe84545), rgb(0x3b8a45), rgb(0x8a5a2b), rgb(0xffb347),
     rgb(0x4a3f9a), rgb(0xffb27a)},
    {4, "frostmere", "frost", "w4", "world4", "day", true, DecorStyle::Snow,
     {{{"fairway", rgb(0xe8f2fa), rgb(0xcfe0ee), Snow}, {"fringe", rgb(0xc6e4f5), rgb(0xa8d2ec), Snow},
       {"green", rgb(0x9fd8c0), rgb(0x86c6ac), Grass}, {"bank", rgb(0xf4f8fc), rgb(0xdde8f2), Snow},
       {"seabed", rgb(0x9cb8cc), rgb(0x7f9db3), Bed}}},
     rgb(0xbfe6f7), rgb(0xffffff), rgb(0x4fc3f7), rgb(0x2f7a55), rgb(0x8a6a4b), rgb(0xbff0ff),
     rgb(0x8fb4d8), rgb(0xeef4fa)},
    {5, "lantern-garden", "garden", "w5", "world5", "night", false, DecorStyle::Garden,
     {{{"fairway", rgb(0x3fa86a), rgb(0x338f5a), Grass}, {"fringe", rgb(0xcdb89a), rgb(0xa8957a), Boards},
       {"green", rgb(0x52c27a), rgb(0x44ad6a), Grass}, {"bank", rgb(0x6f8f5a), rgb(0x5a7a48), Moss},
       {"seabed", rgb(0x5f7f8f), rgb(0x4a6878), Bed}}},
     rgb(0x2e7d4f), rgb(0x4caf6e), rgb(0xff8fb8), rgb(0x2e8f55), rgb(0x8a5a2b), rgb(0xffc857),
     rgb(0x141a4a), rgb(0x6a5aa8)},
}};

int objectKindCount() { return static_cast<int>(kKinds.size()); }
const ObjectKind &objectKind(int index) { return kKinds[static_cast<size_t>(index)]; }

int objectIdOf(const std::string &key)
{
    int id = 0;
    for (const ObjectKind &k : kKinds) {
        if (key == k.key) return id;
        id += 1 + k.extraModels;
    }
    return -1;
}

int floorIndexOf(const WorldSpec &world, const std::string &key)
{
    for (int i = 0; i < kWorldFloors; ++i)
        if (key == world.floors[static_cast<size_t>(i)].key) return i;
    return -1;
}

std::string objectModelName(const WorldSpec &world, int id)
{
    int first = 0;
    for (const ObjectKind &k : kKinds) {
        if (id <= first + k.extraModels) {
            const int part = id - first;
            return std::string(world.prefix) + "-" + k.key + (part ? "-" + std::to_string(part) : "") + ".obj";
        }
        first += 1 + k.extraModels;
    }
    return std::string(world.prefix) + "-unused.obj";
}

bool worldHasHoles(const WorldSpec &world)
{
    return std::filesystem::is_directory(sourcePath(std::string("holes/") + world.folder));
}

void generateWorldLists()
{
    // A world is offered only once its holes are designed.
    for (const WorldSpec &w : kWorlds)
        if (worldHasHoles(w)) writeOutputText("levels/level" + std::to_string(w.listNumber) + ".vorpel", listFile(w));
}
