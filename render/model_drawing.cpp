// The GL side of models: group textures, display lists and the material state of each group.
#include <GL/glew.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/gl_state.h"
#include "render/model_loader.h"
#include "render/surface_bytes.h"

namespace {

// Multitexture entry points come from GLEW; without them the second unit is left alone.
bool hasMultitexture() { return glActiveTextureARB != nullptr && glMultiTexCoord2fARB != nullptr; }

void emitCorner(const ModelFace& face, int corner, bool bothUnits) {
  const ModelVector& coord = modelPools.coords[face.coord[corner]];
  if (bothUnits) {
    glMultiTexCoord2fARB(GL_TEXTURE0_ARB, coord[0], coord[1]);
    glMultiTexCoord2fARB(GL_TEXTURE1_ARB, coord[0], coord[1]);
  } else {
    glTexCoord2f(coord[0], coord[1]);
  }
  const ModelVector& normal = face.smoothed[corner];
  glNormal3f(normal[0], normal[1], normal[2]);
  const ModelVector& vertex = modelPools.vertices[face.vertex[corner]];
  glVertex3f(vertex[0], vertex[1], vertex[2]);
}

// One block of the group's faces with the given corner count; no block when there are none.
void emitBlock(const ModelGroup& group, int corners, bool bothUnits) {
  bool open = false;
  for (int f = group.firstFace; f < group.firstFace + group.faceCount; ++f) {
    const ModelFace& face = modelPools.faces[f];
    const int faceCorners = face.vertex[3] == kTriangleMarker ? 3 : 4;
    if (faceCorners != corners) continue;
    if (!open) glBegin(corners == 3 ? GL_TRIANGLES : GL_QUADS);
    open = true;
    for (int c = 0; c < corners; ++c) emitCorner(face, c, bothUnits);
  }
  if (open) glEnd();
}

using ModelEdge = std::array<ModelVector, 2>;

ModelVector cross(const ModelVector& a, const ModelVector& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Every edge has its reverse in the group and the enclosed volume is positive (faces wound
// counter-clockwise seen from outside). Corners are compared by position: faces of a box
// carry their own copies of the shared corners.
bool closedGroup(const ModelGroup& group) {
  std::vector<ModelEdge> edges;
  double volume = 0.0;
  for (int f = group.firstFace; f < group.firstFace + group.faceCount; ++f) {
    const ModelFace& face = modelPools.faces[f];
    const int corners = face.vertex[3] == kTriangleMarker ? 3 : 4;
    for (int c = 0; c < corners; ++c) {
      edges.push_back({modelPools.vertices[face.vertex[c]], modelPools.vertices[face.vertex[(c + 1) % corners]]});
    }
    const ModelVector& a = modelPools.vertices[face.vertex[0]];
    for (int c = 1; c + 1 < corners; ++c) {
      const ModelVector n = cross(modelPools.vertices[face.vertex[c]], modelPools.vertices[face.vertex[c + 1]]);
      volume += static_cast<double>(a[0]) * n[0] + static_cast<double>(a[1]) * n[1] + static_cast<double>(a[2]) * n[2];
    }
  }
  if (edges.empty() || volume <= 0.0) return false;
  std::sort(edges.begin(), edges.end());
  for (const ModelEdge& e : edges) {
    const ModelEdge reverse{e[1], e[0]};
    const auto range = std::equal_range(edges.begin(), edges.end(), e);
    const auto back = std::equal_range(edges.begin(), edges.end(), reverse);
    if (range.second - range.first != back.second - back.first) return false;
  }
  return true;
}

constexpr float kHalfCell = 0.5f;

// A closed group whose every corner is a corner of its bounding box is that box.
void findCellBox(ModelGroup& group) {
  group.cellBox = false;
  if (!group.closed) return;
  ModelVector low = modelPools.vertices[modelPools.faces[group.firstFace].vertex[0]], high = low;
  for (int pass = 0; pass < 2; ++pass) {
    for (int f = group.firstFace; f < group.firstFace + group.faceCount; ++f) {
      const ModelFace& face = modelPools.faces[f];
      const int corners = face.vertex[3] == kTriangleMarker ? 3 : 4;
      for (int c = 0; c < corners; ++c) {
        const ModelVector& v = modelPools.vertices[face.vertex[c]];
        for (int i = 0; i < 3; ++i) {
          if (pass == 0) {
            low[i] = std::min(low[i], v[i]);
            high[i] = std::max(high[i], v[i]);
          } else if (v[i] != low[i] && v[i] != high[i]) {
            return;
          }
        }
      }
    }
  }
  if (std::max(low[0], low[2]) > -kHalfCell || std::min(high[0], high[2]) < kHalfCell) return;
  group.cellBox = true;
  group.boxBottom = low[1];
  group.boxTop = high[1];
}

void compileGroup(ModelGroup& group) {
  group.closed = closedGroup(group);
  findCellBox(group);
  if (group.displayList == 0) group.displayList = glGenLists(1);
  if (group.displayList == 0) return;
  const bool bothUnits = group.materialKind == ShineMaterial && hasMultitexture();
  glNewList(group.displayList, GL_COMPILE);
  emitBlock(group, 3, bothUnits);
  emitBlock(group, 4, bothUnits);
  glEndList();
}

void loadGroupTexture(ModelGroup& group) {
  group.texturePending = false;
  std::array<char, kGroupNameLength + 32> path{};
  std::snprintf(path.data(), path.size(), "./data/textures/%s.tex", group.textureName.data());
  loadTexture(group.texture, path.data(), RepeatMipmapped);
}

void startSphereMap(int kind) {
  if (!hasMultitexture()) return;
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glBindTexture(GL_TEXTURE_2D, kind == MetalMaterial ? shineTexture.glName : glassTexture.glName);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
  glActiveTextureARB(GL_TEXTURE0_ARB);
}

void endSphereMap() {
  if (hasMultitexture()) {
    glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_2D);
    glActiveTextureARB(GL_TEXTURE0_ARB);
  }
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_2D);
}

void setDarkMaterial() {
  static constexpr GLfloat kAmbient[] = {0, 0, 0, 1};
  static constexpr GLfloat kDiffuse[] = {0.1f, 1, 1, 1};
  static constexpr GLfloat kSpecular[] = {0, 0, 0, 1};
  glEnable(GL_LIGHTING);
  glMaterialfv(GL_FRONT, GL_AMBIENT, kAmbient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, kDiffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, kSpecular);
  glMaterialf(GL_FRONT, GL_SHININESS, 0.1f);
  glColor4f(0.6f, 0.6f, 0.6f, 1);
}

bool opaqueTexture(const ModelGroup& group) {
  return group.texture.glName != 0 && group.texture.bitsPerPixel != 0 &&
         !textureHasAlpha(static_cast<int>(group.texture.bitsPerPixel));
}

// A group whose every fragment has alpha 1: a picture without alpha and an opaque colour.
// Lit, the alpha is the colour's too, as the colour stands for the diffuse material.
bool opaqueGroup(const ModelGroup& group) {
  if (!opaqueTexture(group)) return false;
  std::array<float, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  return colour[3] == 1.0f;
}

}  // namespace

bool modelBoxHeights(int slotIndex, float& bottom, float& top) {
  if (slotIndex < 0 || slotIndex >= kModelSlots) return false;
  const ModelSlot& slot = modelPools.slots[slotIndex];
  for (int g = slot.firstGroup; g < slot.firstGroup + slot.groupCount; ++g) {
    const ModelGroup& group = modelPools.groups[g];
    if (group.cellBox && opaqueTexture(group)) {
      bottom = group.boxBottom;
      top = group.boxTop;
      return true;
    }
  }
  return false;
}

void buildModelLists(int slotIndex) {
  if (slotIndex < 0 || slotIndex >= kModelSlots) return;
  // A "usemtl" before a file's first group may have named a texture for an earlier model.
  for (int g = 0; g < modelPools.groupCount; ++g) {
    if (modelPools.groups[g].texturePending) loadGroupTexture(modelPools.groups[g]);
  }
  const ModelSlot& slot = modelPools.slots[slotIndex];
  for (int g = slot.firstGroup; g < slot.firstGroup + slot.groupCount; ++g) {
    compileGroup(modelPools.groups[g]);
  }
}

bool loadModel(int slot, const char* path, float scale) {
  if (!parseModel(slot, path, scale)) return false;
  buildModelLists(slot);
  return true;
}

bool cullClosedGroups = false;

void drawModel(int slotIndex) {
  if (slotIndex < 0 || slotIndex >= kModelSlots) return;
  const ModelSlot& slot = modelPools.slots[slotIndex];
  glEnable(GL_TEXTURE_2D);
  bool sphereMapped = false;  // once set, every later group of this draw cleans unit 1 up
  const bool blendable = slot.groupCount > 0 && usualBlending();
  bool blending = true;
  for (int g = slot.firstGroup; g < slot.firstGroup + slot.groupCount; ++g) {
    const ModelGroup& group = modelPools.groups[g];
    switch (group.materialKind) {
      case LightMaterial:
        glColor4f(1, 1, 1, 1);
        glDisable(GL_LIGHTING);  // stays off until a dark group or the next scene pass
        break;
      case MetalMaterial:
      case GlassMaterial:
        startSphereMap(group.materialKind);
        sphereMapped = true;
        break;
      case DarkMaterial:
        setDarkMaterial();
        break;
      default:
        break;
    }
    glBindTexture(GL_TEXTURE_2D, group.texture.glName);
    const bool blend = !blendable || !opaqueGroup(group);
    if (blend != blending) setBlending(blend);
    blending = blend;
    // Hidden faces of a closed opaque group are left out: the front faces cover them.
    const bool cull = cullClosedGroups && !blend && group.closed && !glIsEnabled(GL_CULL_FACE);
    if (cull) glEnable(GL_CULL_FACE);
    if (group.displayList != 0) glCallList(group.displayList);
    if (cull) glDisable(GL_CULL_FACE);
    if (sphereMapped) endSphereMap();
  }
  if (!blending) setBlending(true);
}
