#include "render/resource_sets.h"

#include <GL/glew.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "core/app_state.h"
#include "core/audio.h"
#include "core/frame_clock.h"
#include "core/gl_state.h"
#include "course/hole_map.h"
#include "course/world_theme.h"
#include "play/play_state.h"
#include "render/camera.h"
#include "render/model_loader.h"
#include "render/texture_tables.h"

namespace {

constexpr int kPathBuffer = 128;

struct SpriteLoad {
  int slot;
  const char* path;
  int anchor;
};

void loadSpriteInto(int slot, const char* path, int anchor) {
  loadSprite(Sprites[slot], path);
  setSpriteAnchor(Sprites[slot], anchor);
}

template <std::size_t N>
void loadSprites(const std::array<SpriteLoad, N>& loads) {
  for (const SpriteLoad& load : loads) loadSpriteInto(load.slot, load.path, load.anchor);
}

// A numbered run of files, "<prefix><first + i><suffix>", into consecutive slots.
void loadNumberedSprites(int firstSlot, int count, const char* prefix, int firstNumber,
                         const char* suffix, int anchor) {
  std::array<char, kPathBuffer> path{};
  for (int i = 0; i < count; ++i) {
    std::snprintf(path.data(), path.size(), "%s%d%s", prefix, firstNumber + i, suffix);
    loadSpriteInto(firstSlot + i, path.data(), anchor);
  }
}

// Slots 100..125 and 126..135: the letters and digits, named by their own character.
void loadCharacterSprites(int firstSlot, char first, char last) {
  std::array<char, kPathBuffer> path{};
  for (char c = first; c <= last; ++c) {
    std::snprintf(path.data(), path.size(), "./data/lettre/%c.tga", c);
    loadSpriteInto(firstSlot + (c - first), path.data(), Centre);
  }
}

// Slots 141, 142 and 144 stay empty: '$' takes a width without a picture.
constexpr std::array<SpriteLoad, 19> kSignSprites{{
    {136, "./data/lettre/moin.tga", Centre},
    {137, "./data/lettre/plus.tga", Centre},
    {138, "./data/lettre/infer.tga", Centre},
    {139, "./data/lettre/super.tga", Centre},
    {140, "./data/lettre/egal.tga", Centre},
    {143, "./data/lettre/excla.tga", Centre},
    {145, "./data/lettre/poin.tga", Centre},
    {146, "./data/lettre/eacc.tga", Centre},
    {147, "./data/lettre/button.tga", Corner},
    {148, "./data/lettre/volumeA.tga", Centre},
    {149, "./data/lettre/volumeB.tga", Centre},
    {150, "./data/lettre/gau.tga", Centre},
    {151, "./data/lettre/droi.tga", Centre},
    {152, "./data/lettre/etoile.tga", Centre},
    {153, "./data/lettre/ball.tga", Centre},
    {154, "./data/lettre/bar.tga", Corner},
    {155, "./data/lettre/key.tga", Centre},
    {156, "./data/lettre/tot.tga", Centre},
    {157, "./data/lettre/lin.tga", Corner},
}};

constexpr int kPortraitSlot = 40;
constexpr int kPortraitCount = 15;
constexpr int kMenuPictures = 3;
constexpr int kTitleHoles = 17;  // the hole behind the title is never the last one

void loadPortraits() {
  loadNumberedSprites(kPortraitSlot, kPortraitCount, "./data/perso/", 1, ".tga", Centre);
}

struct TextureLoad {
  int slot;
  const char* path;
};
constexpr std::array<TextureLoad, 6> kGameSetTextures{{
    {SmokeTexture, "./data/particles/fumee.tga"},
    {SparkleTexture, "./data/particles/10.tga"},
    {OverlayTexture, "./data/menu/poli.tga"},
    {WaterDropTexture, "./data/particles/eau.tga"},
    {RedBackgroundTexture, "./data/sky/fonrouge.tga"},
    {DisplayBarTexture, "./data/menu/bargame.png"},
}};

void placeCameraAtStart() {
  camera.eye = {5.0f, 4.0f, 18.0f};
  camera.target = {5.0f, 1.0f, 18.0f};
}

void fillLightColours() {
  lightColours[0] = {0.8f, 0.8f, 0.9f, 1.0f};
  lightColours[1] = {1.0f, 0.9f, 0.8f, 1.0f};
  lightColours[2] = {0.4f, 0.4f, 0.4f, 1.0f};
}

}  // namespace

void loadGlyphSet() {
  loadCharacterSprites(100, 'a', 'z');
  loadCharacterSprites(126, '0', '9');
  loadSprites(kSignSprites);
}

void loadMenuSet() {
  loadTexture(GameTextures[MenuArcTexture], "data/menu/arc.tga", RepeatMipmapped);
  loadTexture(GameTextures[MenuBarTexture], "data/menu/bar.tga", RepeatMipmapped);
  loadSpriteInto(61, "./data/menu/logo.tga", Centre);
  loadSpriteInto(62, "./data/menu/vorpel.tga", Centre);
  loadTexture(GameTextures[BackgroundTexture], "./data/sky/fonrouge.tga", ClampMipmapped);
  int picture = std::rand() % kMenuPictures + 1;
  loadNumberedSprites(63, 1, "./data/menu/groupe", picture, ".tga", Centre);
  loadPortraits();
  loadSpriteInto(56, "./data/menu/groupescore1.tga", Centre);
  loadSpriteInto(57, "./data/menu/coupe.tga", Centre);
  loadSpriteInto(65, "./data/menu/logosdl.png", Centre);
  loadSample(Whoosh, "./data/sounds/fuit.wav");
  holeNumber = std::rand() % kTitleHoles + 1;
  loadHoleMap();
}

void loadGameSet() {
  loadTexture(shineTexture, "./data/sky/shine.tex", RepeatLinear);
  placeCameraAtStart();
  fillLightColours();
  applyFixedGlState();
  glClearColor(0.4f, 1.0f, 1.0f, 1.0f);
  frameClock.lastSecond = currentSecond();
  loadWorldTheme();
  loadNumberedSprites(8, 4, "./data/interfacejeu/view", 1, ".tga", Corner);
  loadNumberedSprites(12, 13, "./data/interfacejeu/", 1, ".tga", Centre);
  loadSpriteInto(29, "./data/menu/pop.tga", Centre);
  loadPortraits();
  for (const TextureLoad& load : kGameSetTextures)
    loadTexture(GameTextures[load.slot], load.path, ClampMipmapped);
  for (int slot = 0; slot < kSampleCount; ++slot)
    loadSample(static_cast<SampleId>(slot), kSamplePaths[slot]);
}
