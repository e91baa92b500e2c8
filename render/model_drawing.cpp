// The GL side of models: group textures, display lists and the material state of each group.
#include <GL/glew.h>

#include <cstdio>

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

void compileGroup(ModelGroup& group) {
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

// A group whose every fragment has alpha 1: a picture without alpha and an opaque colour.
// Lit, the alpha is the colour's too, as the colour stands for the diffuse material.
bool opaqueGroup(const ModelGroup& group) {
  if (group.texture.glName == 0 || group.texture.bitsPerPixel == 0 || textureHasAlpha(static_cast<int>(group.texture.bitsPerPixel))) {
    return false;
  }
  std::array<float, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  return colour[3] == 1.0f;
}

}  // namespace

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
    if (group.displayList != 0) glCallList(group.displayList);
    if (sphereMapped) endSphereMap();
  }
  if (!blending) setBlending(true);
}
