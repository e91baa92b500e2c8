#include "tests/support/model_files.h"

#include "render/model_loader.h"

void clearModelPools() {
  for (int slot = 0; slot < kModelSlots; ++slot) releaseModel(slot);
}

std::string cubeModel(const std::string& group) {
  return "v -100 -100 -100\nv 100 -100 -100\nv 100 100 -100\nv -100 100 -100\n"
         "v -100 -100 100\nv 100 -100 100\nv 100 100 100\nv -100 100 100\n"
         "vt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\n"
         "g " + group + "\n"
         "f 5/1 6/2 7/3 8/4\nf 2/1 1/2 4/3 3/4\nf 6/1 2/2 3/3 7/4\n"
         "f 1/1 5/2 8/3 4/4\nf 8/1 7/2 3/3 4/4\nf 1/1 2/2 6/3 5/4\n";
}

std::string quadModel(const std::string& group, int x0, int y0, int x1, int y1) {
  const std::string a = std::to_string(x0), b = std::to_string(x1);
  const std::string c = std::to_string(y0), d = std::to_string(y1);
  std::string text = "v " + a + " " + c + " 0\nv " + b + " " + c + " 0\nv " + b + " " + d +
                     " 0\nv " + a + " " + d + " 0\nvt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\n";
  if (!group.empty()) text += "g " + group + "\n";
  return text + "f 1/1 2/2 3/3 4/4\n";
}
