// contentgen: makes the game's data tree from the sources in content/ and the
// generators in this folder. Deterministic: the same sources give the same
// bytes on every run.
//
//   contentgen <data-dir> <content-dir> <group>...   write the named groups
//   contentgen --sheet <out.png> <image>...          contact sheet for review
//   contentgen --hole <content-dir> <world 1-5> <source.hole> <out.map>
//                                                    compile one hole source
//
// Groups: glyphs menu icons portraits effects models sounds worlds holes music:<track>, and
// desktop (the program's icon, written into its own output folder rather than the data tree)
#include "contact_sheet.h"
#include "content_groups.h"
#include "file_output.h"
#include "hole_compiler.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct GroupEntry {
    const char *name;
    void (*generate)();
};

constexpr GroupEntry kGroups[] = {
    {"glyphs", generateGlyphs},       {"menu", generateMenuImages},   {"icons", generatePlayIcons},
    {"portraits", generatePortraits}, {"effects", generateEffectImages}, {"models", generateSharedModels},
    {"sounds", generateSounds},       {"worlds", generateWorlds},     {"holes", generateHoles},
    {"desktop", generateDesktopIcons},
};

bool runGroup(const std::string &name)
{
    if (name.compare(0, 6, "music:") == 0) {
        generateMusic(name.c_str() + 6);
        return true;
    }
    for (const GroupEntry &g : kGroups)
        if (name == g.name) {
            g.generate();
            return true;
        }
    std::printf("contentgen: unknown group %s\n", name.c_str());
    return false;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--sheet") == 0) {
        std::vector<std::string> images(argv + 3, argv + argc);
        return writeContactSheet(argv[2], images) ? 0 : 1;
    }
    if (argc == 6 && std::strcmp(argv[1], "--hole") == 0) {
        setSourceRoot(argv[2]);
        return compileOneHole(std::atoi(argv[3]), argv[4], argv[5]) ? 0 : 1;
    }
    if (argc < 4) {
        std::printf("usage: contentgen <data-dir> <content-dir> <group>...\n"
                    "       contentgen --sheet <out.png> <image>...\n");
        return 2;
    }
    setOutputRoot(argv[1]);
    setSourceRoot(argv[2]);
    bool ok = true;
    for (int i = 3; i < argc; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const OutputTally before = outputTally;
        ok = runGroup(argv[i]) && ok;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("contentgen: %-14s %3d files (%d unchanged), %8zu bytes, %.2f s\n", argv[i],
                    outputTally.files + outputTally.unchanged - before.files - before.unchanged,
                    outputTally.unchanged - before.unchanged, outputTally.bytes - before.bytes, seconds);
    }
    return ok ? 0 : 1;
}
