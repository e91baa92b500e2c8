#include "course/course_catalogue.h"

#include <cstdio>

#include "course/hole_map.h"
#include "course/text_lines.h"

CourseCatalogue catalogue;

namespace {

struct ListFile {
  const char* path;
  const char* root;  // data directory of the worlds the list names
};

// Searched in this order: world indices follow it, base courses first.
constexpr std::array<ListFile, 12> kListFiles{{
    {"./data/levels/level1.vorpel", "./data"},
    {"./data/levels/level2.vorpel", "./data"},
    {"./data/levels/level3.vorpel", "./data"},
    {"./data/levels/level4.vorpel", "./data"},
    {"./data/levels/level5.vorpel", "./data"},
    {"../../../addon1/data/levels/extention.vorpel", "../../../addon1/data"},
    {"../../../addon2/data/levels/extention.vorpel", "../../../addon2/data"},
    {"../../../addon3/data/levels/extention.vorpel", "../../../addon3/data"},
    {"../../../addon4/data/levels/extention.vorpel", "../../../addon4/data"},
    {"../../../addon5/data/levels/extention.vorpel", "../../../addon5/data"},
    {"../../../addon6/data/levels/extention.vorpel", "../../../addon6/data"},
    {"../../../addon7/data/levels/extention.vorpel", "../../../addon7/data"},
}};

// Adds one world; `word` is the level name as written, with '-' for blanks.
void addWorld(const ListFile& list, const char* word) {
  const int w = catalogue.worldCount;
  if (w >= kMaxWorlds) {
    std::printf("too many worlds, %s ignored\n", word);
    return;
  }
  copyText(catalogue.worldNames[w].data(), kCatalogueTextLength, word);
  replaceChars(catalogue.worldNames[w].data(), '-', ' ');
  copyText(catalogue.worldFiles[w].data(), kCatalogueTextLength, list.path);
  copyText(catalogue.worldRoots[w].data(), kCatalogueTextLength, list.root);
  std::array<char, kPathLength> mapPath{};
  catalogue.holeCounts[w] = 0;
  for (int hole = 1; hole <= kHolesPerCourse; ++hole) {
    holeMapPath(mapPath, list.root, hole, word);
    const bool found = readHolePar(mapPath.data(), catalogue.holePars[w][hole]);
    if (found && catalogue.holeCounts[w] == hole - 1) catalogue.holeCounts[w] = hole;
  }
  catalogue.worldCount = w + 1;
}

}  // namespace

void buildCourseCatalogue() {
  catalogue.worldCount = 0;
  for (const ListFile& list : kListFiles) {
    std::FILE* file = std::fopen(list.path, "r");
    if (!file) continue;
    TextLine line{};
    std::array<char, kCatalogueTextLength> word{};
    while (readTextLine(file, line)) {
      if (matchWordKey(line.data(), "Level_Name", word.data(), word.size())) {
        addWorld(list, word.data());
      }
    }
    std::fclose(file);
  }
}

int courseHoleCount() {
  if (!isCatalogueWorld(catalogue.currentWorld)) return kHolesPerCourse;
  const int count = catalogue.holeCounts[catalogue.currentWorld];
  return count >= 1 ? count : kHolesPerCourse;
}

bool isCatalogueWorld(int world) {
  return world >= 0 && world < catalogue.worldCount && world < kMaxWorlds;
}

bool coursePicturePath(std::array<char, kPathLength>& out, int world) {
  out[0] = '\0';
  if (!isCatalogueWorld(world)) return false;
  std::snprintf(out.data(), out.size(), "%s.tga", catalogue.worldFiles[world].data());
  replaceChars(out.data(), ' ', '-');
  return true;
}
