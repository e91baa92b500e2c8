#include "render/model_loader.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

ModelPools modelPools;
TextureRecord shineTexture;
TextureRecord glassTexture;

namespace {

constexpr int kLineLength = 255;
constexpr float kUnitsPerFileUnit = 0.01f;

struct MaterialPrefix {
  const char* prefix;
  int kind;
};
constexpr std::array<MaterialPrefix, 6> kMaterialPrefixes{{
    {"light", LightMaterial},
    {"metal", MetalMaterial},
    {"glass", GlassMaterial},
    {"dark", DarkMaterial},
    {"shine", ShineMaterial},
    {"bump", ShineMaterial},
}};

// What one file's reading needs besides the pools. Each pool that runs out is reported once.
struct ParseState {
  const char* path = nullptr;
  int slot = 0;
  float scale = 1;
  int currentGroup = -1;  // pool index of the group faces go to; -1 before the file's first "g"
  bool vertexFull = false, coordFull = false, faceFull = false, groupFull = false;
  bool badIndex = false;
};

bool isTriangle(const ModelFace& face) { return face.vertex[3] == kTriangleMarker; }
int cornerCount(const ModelFace& face) { return isTriangle(face) ? 3 : 4; }

ModelVector subtract(const ModelVector& a, const ModelVector& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

ModelVector cross(const ModelVector& a, const ModelVector& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// A zero-length vector stays zero rather than dividing by nothing.
ModelVector normalised(const ModelVector& v) {
  float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length == 0) length = 1;
  return {v[0] / length, v[1] / length, v[2] / length};
}

void reportOnce(bool& reported, const char* what, const char* path) {
  if (reported) return;
  reported = true;
  std::printf("model %s, rest skipped: %s\n", what, path);
}

void openGroup(ParseState& state, const char* name) {
  ModelPools& pools = modelPools;
  if (pools.groupCount >= kMaxModelGroups) {
    reportOnce(state.groupFull, "group pool full", state.path);
    state.currentGroup = -1;
    return;
  }
  state.currentGroup = pools.groupCount++;
  ModelGroup& group = pools.groups[state.currentGroup];
  group = ModelGroup{};
  group.firstFace = pools.faceCount;
  std::snprintf(group.name.data(), group.name.size(), "%s", name);
  group.materialKind = materialKindOf(name);
}

// The texture goes to the current group, or before the file's first group to the group that
// was opened last by an earlier file.
void useMaterial(const ParseState& state, const char* name) {
  int target = state.currentGroup;
  if (target < 0) target = modelPools.groupCount - 1;
  if (target < 0) return;
  ModelGroup& group = modelPools.groups[target];
  std::snprintf(group.textureName.data(), group.textureName.size(), "%s", name);
  group.texturePending = true;
}

void addVertex(ParseState& state, float x, float y, float z) {
  if (modelPools.vertexCount >= kMaxModelVertices) {
    reportOnce(state.vertexFull, "vertex pool full", state.path);
    return;
  }
  const float factor = state.scale * kUnitsPerFileUnit;
  modelPools.vertices[modelPools.vertexCount++] = {x * factor, y * factor, z * factor};
}

void addCoord(ParseState& state, float u, float v, float w) {
  if (modelPools.coordCount >= kMaxModelCoords) {
    reportOnce(state.coordFull, "texture coordinate pool full", state.path);
    return;
  }
  modelPools.coords[modelPools.coordCount++] = {u, -v, -w};
}

// File indices are 1-based and count from this file's first vertex or coordinate; a face
// must name ones this file has already given, so a face never reaches into another model.
bool toPoolIndex(int fileIndex, int first, int count, int& poolIndex) {
  poolIndex = fileIndex + first - 1;
  return fileIndex >= 1 && poolIndex < count;
}

void addFace(ParseState& state, const std::array<int, 8>& numbers, int corners) {
  ModelPools& pools = modelPools;
  const ModelSlot& slot = pools.slots[state.slot];
  ModelFace face;
  for (int c = 0; c < corners; ++c) {
    if (!toPoolIndex(numbers[2 * c], slot.firstVertex, pools.vertexCount, face.vertex[c]) ||
        !toPoolIndex(numbers[2 * c + 1], slot.firstCoord, pools.coordCount, face.coord[c])) {
      reportOnce(state.badIndex, "face index out of range", state.path);
      return;
    }
  }
  if (corners == 3) {
    face.vertex[3] = kTriangleMarker;
    face.coord[3] = face.coord[2];
  }
  if (pools.faceCount >= kMaxModelFaces) {
    reportOnce(state.faceFull, "face pool full", state.path);
    return;
  }
  pools.faces[pools.faceCount++] = face;
  if (state.currentGroup >= 0) pools.groups[state.currentGroup].faceCount += 1;
}

void parseFaceLine(ParseState& state, char* line) {
  for (char* p = line; *p != '\0'; ++p) {
    if (*p == '/') *p = ' ';
  }
  std::array<int, 8> n{};
  if (std::sscanf(line, "f %d %d %d %d %d %d %d %d", &n[0], &n[1], &n[2], &n[3], &n[4], &n[5],
                  &n[6], &n[7]) == 8) {
    addFace(state, n, 4);
  } else if (std::sscanf(line, "f %d %d %d %d %d %d", &n[0], &n[1], &n[2], &n[3], &n[4],
                         &n[5]) == 6) {
    addFace(state, n, 3);
  }
}

void parseLine(ParseState& state, char* line) {
  std::array<char, kLineLength> word{};
  float x, y, z = 0;
  if (std::sscanf(line, "g %254s", word.data()) == 1) {
    openGroup(state, word.data());
  } else if (std::sscanf(line, "usemtl %254s", word.data()) == 1) {
    useMaterial(state, word.data());
  } else if (std::sscanf(line, "v %f %f %f", &x, &y, &z) == 3) {
    addVertex(state, x, y, z);
  } else if (std::sscanf(line, "vt %f %f %f", &x, &y, &z) >= 2) {
    addCoord(state, x, y, z);
  } else if (line[0] == 'f') {
    parseFaceLine(state, line);
  }
}

// Each corner's face normal comes from that corner and the next two.
void computeFaceNormals(const ModelSlot& slot) {
  for (int f = slot.firstFace; f < slot.firstFace + slot.faceCount; ++f) {
    ModelFace& face = modelPools.faces[f];
    const int n = cornerCount(face);
    for (int c = 0; c < n; ++c) {
      const ModelVector& a = modelPools.vertices[face.vertex[c]];
      const ModelVector& b = modelPools.vertices[face.vertex[(c + 1) % n]];
      const ModelVector& d = modelPools.vertices[face.vertex[(c + 2) % n]];
      face.normal[c] = normalised(cross(subtract(b, a), subtract(d, a)));
    }
  }
}

// The faces of each of the model's vertices, in reading order, at most kMaxFacesPerVertex each
// (packed: faces of local vertex v are at start[v] .. start[v] + count[v]).
struct VertexFaceTable {
  std::vector<int> start, count, faces;
};

void buildVertexFaceTable(const ModelSlot& slot, const char* path, VertexFaceTable& table) {
  table.count.assign(slot.vertexCount, 0);
  table.start.assign(slot.vertexCount + 1, 0);
  bool full = false;
  auto forEachCorner = [&](auto&& visit) {
    for (int f = slot.firstFace; f < slot.firstFace + slot.faceCount; ++f) {
      const ModelFace& face = modelPools.faces[f];
      for (int c = 0; c < cornerCount(face); ++c) visit(face.vertex[c] - slot.firstVertex, f);
    }
  };
  std::vector<int> wanted(slot.vertexCount, 0);
  forEachCorner([&](int v, int) { wanted[v] = std::min(wanted[v] + 1, kMaxFacesPerVertex + 1); });
  for (int v = 0; v < slot.vertexCount; ++v) {
    if (wanted[v] > kMaxFacesPerVertex) reportOnce(full, "vertex in too many faces", path);
    table.start[v + 1] = table.start[v] + std::min(wanted[v], kMaxFacesPerVertex);
  }
  table.faces.assign(table.start[slot.vertexCount], 0);
  forEachCorner([&](int v, int f) {
    if (table.count[v] < kMaxFacesPerVertex) table.faces[table.start[v] + table.count[v]++] = f;
  });
}

// The normal a listed face has at its corner on `vertex`.
const ModelVector& normalAtVertex(const ModelFace& face, int vertex) {
  for (int c = 0; c < cornerCount(face); ++c) {
    if (face.vertex[c] == vertex) return face.normal[c];
  }
  return face.normal[0];
}

// A corner whose vertex belongs to two faces or more gets the normalised sum of their normals.
// That sum depends on the vertex alone, so it is made once per vertex: a vertex shared by a
// great many faces costs its listed faces once, not once for each of its corners.
void smoothNormals(const ModelSlot& slot, const char* path) {
  VertexFaceTable table;
  buildVertexFaceTable(slot, path, table);
  std::vector<ModelVector> smoothed(slot.vertexCount, ModelVector{0, 0, 0});
  for (int v = 0; v < slot.vertexCount; ++v) {
    if (table.count[v] < 2) continue;
    ModelVector sum{0, 0, 0};
    for (int i = table.start[v]; i < table.start[v] + table.count[v]; ++i) {
      const ModelVector& n = normalAtVertex(modelPools.faces[table.faces[i]], v + slot.firstVertex);
      for (int k = 0; k < 3; ++k) sum[k] += n[k];
    }
    smoothed[v] = normalised(sum);
  }
  for (int f = slot.firstFace; f < slot.firstFace + slot.faceCount; ++f) {
    ModelFace& face = modelPools.faces[f];
    for (int c = 0; c < cornerCount(face); ++c) {
      const int v = face.vertex[c] - slot.firstVertex;
      face.smoothed[c] = table.count[v] < 2 ? face.normal[c] : smoothed[v];
    }
  }
}

// Moves the pool entries after [first, first + count) down over them.
template <typename Pool>
void closeGap(Pool& pool, int first, int count, int& used) {
  std::copy(pool.begin() + first + count, pool.begin() + used, pool.begin() + first);
  std::fill(pool.begin() + used - count, pool.begin() + used, typename Pool::value_type{});
  used -= count;
}

// Another slot whose ranges lay after the released ones moves down with the data.
void shiftSlotRanges(ModelSlot& other, const ModelSlot& gone) {
  if (other.firstVertex >= gone.firstVertex + gone.vertexCount) other.firstVertex -= gone.vertexCount;
  if (other.firstCoord >= gone.firstCoord + gone.coordCount) other.firstCoord -= gone.coordCount;
  if (other.firstFace >= gone.firstFace + gone.faceCount) other.firstFace -= gone.faceCount;
  if (other.firstGroup >= gone.firstGroup + gone.groupCount) other.firstGroup -= gone.groupCount;
}

}  // namespace

int materialKindOf(const char* groupName) {
  int kind = PlainMaterial;
  for (const MaterialPrefix& entry : kMaterialPrefixes) {
    if (std::strncmp(groupName, entry.prefix, std::strlen(entry.prefix)) == 0) kind = entry.kind;
  }
  return kind;
}

void releaseModel(int slotIndex) {
  if (slotIndex < 0 || slotIndex >= kModelSlots) return;
  ModelPools& pools = modelPools;
  const ModelSlot gone = pools.slots[slotIndex];
  for (int g = gone.firstGroup; g < gone.firstGroup + gone.groupCount; ++g) {
    if (pools.groups[g].displayList != 0) glDeleteLists(pools.groups[g].displayList, 1);
  }
  closeGap(pools.vertices, gone.firstVertex, gone.vertexCount, pools.vertexCount);
  closeGap(pools.coords, gone.firstCoord, gone.coordCount, pools.coordCount);
  closeGap(pools.faces, gone.firstFace, gone.faceCount, pools.faceCount);
  closeGap(pools.groups, gone.firstGroup, gone.groupCount, pools.groupCount);
  for (int f = gone.firstFace; f < pools.faceCount; ++f) {
    ModelFace& face = pools.faces[f];
    for (int c = 0; c < cornerCount(face); ++c) face.vertex[c] -= gone.vertexCount;
    for (int c = 0; c < 4; ++c) face.coord[c] -= gone.coordCount;
  }
  for (int g = gone.firstGroup; g < pools.groupCount; ++g) pools.groups[g].firstFace -= gone.faceCount;
  pools.slots[slotIndex] = ModelSlot{};
  for (ModelSlot& other : pools.slots) shiftSlotRanges(other, gone);
}

bool parseModel(int slotIndex, const char* path, float scale) {
  if (slotIndex < 0 || slotIndex >= kModelSlots) {
    std::printf("model slot %d out of range: %s\n", slotIndex, path);
    return false;
  }
  releaseModel(slotIndex);
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) {
    std::printf("OBJ file not found : %s\n", path);
    return false;
  }
  ModelPools& pools = modelPools;
  ModelSlot& slot = pools.slots[slotIndex];
  slot = ModelSlot{pools.vertexCount, 0, pools.coordCount, 0, pools.faceCount, 0, pools.groupCount, 0};
  ParseState state;
  state.path = path;
  state.slot = slotIndex;
  state.scale = scale;
  std::array<char, kLineLength> line{};
  while (std::fgets(line.data(), kLineLength, file) != nullptr) parseLine(state, line.data());
  std::fclose(file);
  slot.vertexCount = pools.vertexCount - slot.firstVertex;
  slot.coordCount = pools.coordCount - slot.firstCoord;
  slot.faceCount = pools.faceCount - slot.firstFace;
  slot.groupCount = pools.groupCount - slot.firstGroup;
  computeFaceNormals(slot);
  smoothNormals(slot, path);
  return true;
}

void setModelMaterial(int slotIndex, int kind) {
  if (slotIndex < 0 || slotIndex >= kModelSlots) return;
  const ModelSlot& slot = modelPools.slots[slotIndex];
  for (int g = slot.firstGroup; g < slot.firstGroup + slot.groupCount; ++g) {
    modelPools.groups[g].materialKind = kind;
  }
}
