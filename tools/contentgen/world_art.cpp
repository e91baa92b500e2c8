// The art of the five worlds: floor textures (floor/), the object models of
// every kind in each world's style (object/) and their textures (textures/),
// and the list files that tie them together (levels/level<N>.vorpel).
// Model units are hundredths of a world unit; an object stands on its cell's
// centre with y = 0 at the object's base height, one cell spanning -50..50.
#include "content_groups.h"
#include "model_writer.h"
#include "noise.h"
#include "palette.h"
#include "picture_parts.h"
#include "worlds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

void generateWorldLists();

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kFloorSize = 128;
constexpr int kGlowFrames = 3;

std::string tex(const WorldSpec &w, const char *name) { return std::string(w.prefix) + "-" + name; }

// --- textures -------------------------------------------------------------

// Tiles edge to edge: the game draws one floor image per cell.
Image floorImage(const FloorSpec &f, uint32_t seed)
{
    Image img(kFloorSize, kFloorSize);
    for (int y = 0; y < kFloorSize; ++y)
        for (int x = 0; x < kFloorSize; ++x) {
            const float u = (x + 0.5f) / kFloorSize, v = (y + 0.5f) / kFloorSize;
            const float n = tiledFractal(u * 8, v * 8, 8, 4, seed);
            float t = n;
            switch (f.pattern) {
            case 0:  // grass: soft mowing bands and fine blades
                t = 0.45f * n + 0.35f * (std::sin(u * 2 * kPi) > 0 ? 1.0f : 0.0f) +
                    0.2f * tiledNoise(u * 64, v * 16, 64, seed + 1);
                break;
            case 1:  // sand: fine grain and ripples
                t = 0.5f * n + 0.3f * (0.5f + 0.5f * std::sin((v * 6 + n * 0.6f) * 2 * kPi)) +
                    0.2f * tiledNoise(u * 64, v * 64, 64, seed + 2);
                break;
            case 2: {  // stone flags: a two-by-two tiling with mortar joints
                const float fu = std::fmod(u * 2, 1.0f), fv = std::fmod(v * 2 + (u < 0.5f ? 0.5f : 0.0f), 1.0f);
                const float joint = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
                t = joint < 0.04f ? 1.0f : 0.7f * n;
                break;
            }
            case 3:  // snow: bright, with faint blue drifts and sparkles
                t = 0.7f * n + (tiledNoise(u * 64, v * 64, 64, seed + 3) > 0.82f ? -0.8f : 0.0f);
                break;
            case 6: {  // boards running along the cell
                const float fu = std::fmod(u * 4, 1.0f);
                t = (fu < 0.06f ? 1.0f : 0.3f * n + 0.2f * tiledNoise(u * 4, v * 32, 4, seed + 4));
                break;
            }
            default:  // moss and sea bed: blotchy noise
                t = n;
                break;
            }
            img.at(x, y) = mix(f.base, f.detail, std::clamp(t, -0.5f, 1.0f));
        }
    return img;
}

Image noisyImage(Colour a, Colour b, uint32_t seed, int size = 64)
{
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            img.at(x, y) = mix(a, b, tiledFractal((x + 0.5f) / 8, (y + 0.5f) / 8, size / 8, 3, seed));
    return img;
}

Image wallImage(const WorldSpec &w)
{
    Image img = noisyImage(w.wall, darken(w.wall, 0.25f), 101);
    if (w.decor == DecorStyle::Castle || w.decor == DecorStyle::Beach) {
        // Courses of blocks with darker joints.
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const int row = y / 16;
                const bool joint = y % 16 == 0 || (x + row * 16) % 32 == 0;
                if (joint) img.at(x, y) = darken(w.wall, 0.4f);
            }
    }
    return img;
}

Image woodImage(const WorldSpec &w)
{
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float grain = tiledNoise(x / 32.0f, y / 4.0f, 2, 9) * 0.5f + 0.5f * std::sin(y * 0.9f + x * 0.05f);
            img.at(x, y) = y % 16 == 0 ? darken(w.wood, 0.45f) : mix(w.wood, darken(w.wood, 0.25f), grain);
        }
    return img;
}

Image stripeImage(Colour a, Colour b)
{
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) img.at(x, y) = ((x + y) / 8) % 2 ? a : b;
    return img;
}

// An arrow pointing up the image (towards the launch), lit or dim.
Image arrowImage(const WorldSpec &w, bool lit)
{
    Image img(64, 64, darken(w.accent, 0.35f));
    const Colour c = lit ? palette::sun : lighten(w.accent, 0.2f);
    fillPolygon(img, {32, 6, 56, 30, 42, 30, 42, 58, 22, 58, 22, 30, 8, 30}, c);
    return img;
}

// The flat cut-out drawn through the alpha test: flowers, ferns, banners, frost.
Image cutoutImage(const WorldSpec &w)
{
    Image img(64, 64);
    Random r(w.listNumber * 13u);
    if (w.decor == DecorStyle::Castle) {
        fillRoundRect(img, 30, 2, 34, 64, 1, palette::woodDark);
        fillPolygon(img, {34, 6, 60, 6, 60, 40, 47, 32, 34, 40}, w.accent);
        fillPolygon(img, starPoints(47, 18, 7, 3, 5), palette::sun);
        return img;
    }
    for (int i = 0; i < 9; ++i) {
        const float x = 8 + r.range(0, 48), top = r.range(10, 34);
        drawLine(img, x, 64, x + r.range(-6, 6), top, 2.5f, w.leaf);
        const Colour bloom = w.decor == DecorStyle::Snow ? palette::white
                             : (i % 3 == 0 ? palette::sun : (i % 3 == 1 ? w.accent : palette::pink));
        if (w.decor == DecorStyle::Beach)
            fillShape(img, [&](float px, float py) { return sdEllipse(px, py, x, top, 4, 10); }, w.leaf);
        else
            fillCircle(img, x, top, 4.5f, bloom);
    }
    return img;
}

void writeWorldTextures(const WorldSpec &w)
{
    const auto put = [&](const char *name, const Image &img, bool alpha) {
        writeImage("textures/" + tex(w, name) + ".tga", img, alpha);
    };
    put("wall", wallImage(w), false);
    put("cap", noisyImage(w.cap, darken(w.cap, 0.15f), 103), false);
    put("wood", woodImage(w), false);
    put("accent", stripeImage(w.accent, lighten(w.accent, 0.35f)), false);
    put("leaf", noisyImage(w.leaf, darken(w.leaf, 0.3f), 107), false);
    put("dark", Image(8, 8, darken(w.wall, 0.7f)), false);
    put("gold", noisyImage(palette::sun, palette::gold, 109, 32), false);
    put("metal", noisyImage(rgb(0xdfe6ee), rgb(0x9aa6b2), 113, 32), false);
    put("mud", noisyImage(rgb(0x7a5532), rgb(0x4e3520), 127), false);
    put("water", noisyImage(rgb(0x8fe3ff), rgb(0x4fc3f7), 131), false);
    put("arrow-dim", arrowImage(w, false), false);
    put("arrow-lit", arrowImage(w, true), false);
    put("cut", cutoutImage(w), true);
    for (int f = 0; f < kGlowFrames; ++f)
        put(("glow" + std::to_string(f)).c_str(), Image(8, 8, lighten(w.glow, 0.25f * f)), false);
}

// --- shapes ---------------------------------------------------------------

void cone(ModelBuilder &m, Vec3 base, float radius, float height, int segments)
{
    const int tip = m.vertex({base.x, base.y + height, base.z});
    const int tt = m.texCoord(0.5f, 1);
    std::vector<int> v, t;
    for (int s = 0; s <= segments; ++s) {
        const float a = 2 * kPi * s / segments;
        v.push_back(m.vertex({base.x + radius * std::cos(a), base.y, base.z + radius * std::sin(a)}));
        t.push_back(m.texCoord(float(s) / segments, 0));
    }
    for (int s = 0; s < segments; ++s) m.triangle(tip, tt, v[s + 1], t[s + 1], v[s], t[s]);
}

// Solid closed cylinder (tube, top and bottom).
void post(ModelBuilder &m, Vec3 base, float radius, float height, int segments)
{
    m.cylinder(base, radius, height, segments);
    m.disc({base.x, base.y + height, base.z}, radius, segments);
}

// Upright prism over a triangle given by three (x, z) corners.
void prism(ModelBuilder &m, const float xz[6], float bottom, float top)
{
    int lo[3], hi[3];
    const int t0 = m.texCoord(0, 0), t1 = m.texCoord(1, 0), t2 = m.texCoord(1, 1), t3 = m.texCoord(0, 1);
    for (int i = 0; i < 3; ++i) {
        lo[i] = m.vertex({xz[2 * i], bottom, xz[2 * i + 1]});
        hi[i] = m.vertex({xz[2 * i], top, xz[2 * i + 1]});
    }
    m.triangle(hi[0], t0, hi[1], t1, hi[2], t2);
    m.triangle(lo[0], t0, lo[2], t2, lo[1], t1);
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        m.quad(lo[i], t0, lo[j], t1, hi[j], t2, hi[i], t3);
    }
}

// Flat blades in the x-y plane around the origin (fans, vent rotors, sails).
void blades(ModelBuilder &m, int count, float inner, float outer, float width, float twist)
{
    const int t0 = m.texCoord(0, 0), t1 = m.texCoord(1, 0), t2 = m.texCoord(1, 1), t3 = m.texCoord(0, 1);
    for (int b = 0; b < count; ++b) {
        const float a = 2 * kPi * b / count;
        const float ca = std::cos(a), sa = std::sin(a), cw = -sa * width, sw = ca * width;
        const int v0 = m.vertex({ca * inner - cw, sa * inner - sw, -twist});
        const int v1 = m.vertex({ca * outer - cw, sa * outer - sw, -twist});
        const int v2 = m.vertex({ca * outer + cw, sa * outer + sw, twist});
        const int v3 = m.vertex({ca * inner + cw, sa * inner + sw, twist});
        m.quad(v0, t0, v1, t1, v2, t2, v3, t3);
    }
}

// Two upright quads crossing at the centre, for the alpha-tested cut-outs.
void crossedQuads(ModelBuilder &m, float halfWidth, float height)
{
    const int t0 = m.texCoord(0, 0), t1 = m.texCoord(1, 0), t2 = m.texCoord(1, 1), t3 = m.texCoord(0, 1);
    for (int k = 0; k < 2; ++k) {
        const float dx = k ? 0 : halfWidth, dz = k ? halfWidth : 0;
        const int a = m.vertex({-dx, 0, -dz}), b = m.vertex({dx, 0, dz}), c = m.vertex({dx, height, dz}),
                  d = m.vertex({-dx, height, -dz});
        m.quad(a, t0, b, t1, c, t2, d, t3);
    }
}

void star(ModelBuilder &m, float centreY, float radius, float depth)
{
    const std::vector<float> pts = starPoints(0, 0, radius, radius * 0.45f, 5);
    const int n = static_cast<int>(pts.size() / 2);
    const int tc = m.texCoord(0.5f, 0.5f);
    const int front = m.vertex({0, centreY, depth}), back = m.vertex({0, centreY, -depth});
    std::vector<int> rim;
    for (int i = 0; i < n; ++i) rim.push_back(m.vertex({pts[2 * i], centreY - pts[2 * i + 1], 0}));
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        m.triangle(front, tc, rim[j], tc, rim[i], tc);
        m.triangle(back, tc, rim[i], tc, rim[j], tc);
    }
}

// --- decorations by style -------------------------------------------------

void treeDecor(ModelBuilder &m, const WorldSpec &w)
{
    m.group("trunk", tex(w, "wood"));
    switch (w.decor) {
    case DecorStyle::Beach:
        for (int i = 0; i < 5; ++i) post(m, {i * 4.0f, i * 30.0f, 0}, 7 - i * 0.6f, 32, 8);
        m.group("fronds", tex(w, "leaf"));
        for (int i = 0; i < 6; ++i) {
            const float a = 2 * kPi * i / 6;
            const Vec3 top{16, 150, 0};
            const int c = m.vertex(top), tc = m.texCoord(0.5f, 0);
            const int l = m.vertex({top.x + 60 * std::cos(a) - 12 * std::sin(a), 120, 60 * std::sin(a) + 12 * std::cos(a)});
            const int r = m.vertex({top.x + 60 * std::cos(a) + 12 * std::sin(a), 120, 60 * std::sin(a) - 12 * std::cos(a)});
            const int tip = m.vertex({top.x + 75 * std::cos(a), 100, 75 * std::sin(a)});
            m.quad(c, tc, l, m.texCoord(0, 0.5f), tip, m.texCoord(0.5f, 1), r, m.texCoord(1, 0.5f));
        }
        break;
    case DecorStyle::Castle:
        post(m, {0, 0, 0}, 30, 110, 12);
        m.group("roof", tex(w, "accent"));
        cone(m, {0, 110, 0}, 38, 70, 12);
        break;
    case DecorStyle::Snow:
        post(m, {0, 0, 0}, 8, 30, 8);
        m.group("needles", tex(w, "leaf"));
        for (int i = 0; i < 3; ++i) cone(m, {0, 25.0f + i * 40, 0}, 45.0f - i * 11, 60, 12);
        m.group("snowcaps", tex(w, "cap"));
        cone(m, {0, 125, 0}, 14, 25, 10);
        break;
    case DecorStyle::Garden:
        post(m, {0, 0, 0}, 7, 60, 8);
        m.group("topiary", tex(w, "leaf"));
        m.sphere({0, 80, 0}, 34, 14, 8);
        m.sphere({0, 128, 0}, 20, 12, 6);
        break;
    default:
        post(m, {0, 0, 0}, 9, 70, 8);
        m.group("crown", tex(w, "leaf"));
        m.sphere({0, 95, 0}, 40, 14, 8);
        m.sphere({18, 125, 8}, 26, 12, 6);
        break;
    }
}

void floatDecor(ModelBuilder &m, const WorldSpec &w)
{
    if (w.decor == DecorStyle::Beach || w.decor == DecorStyle::Castle) {
        // A little rowing boat with a mast.
        m.group("hull", tex(w, "wood"));
        const float hull[6] = {-45, -18, 45, -18, 0, 0};
        m.box({-30, 0, -16}, {30, 16, 16});
        prism(m, hull, 0, 16);
        m.group("mast", tex(w, "cap"));
        post(m, {0, 16, 0}, 2.5f, 70, 6);
        m.group("sail", "white");
        const float sail[6] = {3, -1, 3, 1, 30, 0};
        prism(m, sail, 26, 80);
    } else if (w.decor == DecorStyle::Snow) {
        m.group("floe", tex(w, "cap"));
        m.box({-35, -5, -28}, {30, 10, 32});
    } else {
        m.group("pad", tex(w, "leaf"));
        m.disc({0, 2, 0}, 32, 14);
        m.group("light_bloom", tex(w, "glow1"));
        cone(m, {6, 2, 4}, 10, 14, 8);
    }
}

// --- models by kind ------------------------------------------------------

void wallModel(ModelBuilder &m, const WorldSpec &w, float height)
{
    m.group("wall", tex(w, "wall"));
    m.box({-50, -60, -50}, {50, height, 50});
    m.group("cap", tex(w, "cap"));
    m.box({-52, height, -52}, {52, height + 5, 52});
}

void fanModel(ModelBuilder &m, const WorldSpec &w, int part)
{
    if (part == 1) {
        m.group("metal_blades", tex(w, "metal"));
        blades(m, 4, 4, 30, 8, 5);
        m.group("hub", tex(w, "accent"));
        m.sphere({0, 0, 4}, 6, 8, 4);
        return;
    }
    // The housing fills the cell; the blades turn in front of its +z face.
    wallModel(m, w, 45);
    m.group("tower", tex(w, "accent"));
    m.box({-14, 50, -20}, {14, 70, 60});
}

void ventModel(ModelBuilder &m, const WorldSpec &w, int part)
{
    if (part == 1) {
        m.group("metal_rotor", tex(w, "metal"));
        blades(m, 3, 3, 30, 7, 4);
        return;
    }
    m.group("frame", tex(w, "cap"));
    m.box({-40, -20, -40}, {40, 2, -30});
    m.box({-40, -20, 30}, {40, 2, 40});
    m.box({-40, -20, -30}, {-30, 2, 30});
    m.box({30, -20, -30}, {40, 2, 30});
    m.group("dark_grate", tex(w, "dark"));
    m.disc({0, -10, 0}, 32, 16);
}

void lanternModel(ModelBuilder &m, const WorldSpec &w, int frame)
{
    m.group("post", tex(w, "wood"));
    post(m, {0, 0, 0}, 4, 120, 8);
    m.box({-3, 118, -3}, {22, 122, 3});
    m.group("cage", tex(w, "dark"));
    m.box({12, 84, -9}, {30, 88, 9});
    m.box({12, 112, -9}, {30, 116, 9});
    // The flame flickers between three brightnesses and sizes.
    m.group("light_flame", tex(w, ("glow" + std::to_string(frame)).c_str()));
    const float s = 7.0f + frame * 1.2f;
    m.box({21 - s, 100 - s * 1.3f, -s}, {21 + s, 100 + s * 1.3f, s});
}

void smokeModel(ModelBuilder &m, const WorldSpec &w)
{
    m.group("chimney", tex(w, "wall"));
    m.box({-20, -20, -20}, {20, 40, 20});
    m.group("rim", tex(w, "cap"));
    m.box({-24, 40, -24}, {24, 46, 24});
    m.group("light_embers", tex(w, "glow2"));
    m.box({-14, 44, -14}, {14, 47, 14});
}

// Drops fall from half a unit below the base: the fountain hangs its spout
// there, with the basin down on the ground (the legend lifts it by 1).
void fountainModel(ModelBuilder &m, const WorldSpec &w)
{
    m.group("basin", tex(w, "cap"));
    m.cylinder({0, -100, 0}, 42, 18, 16);
    m.group("water", tex(w, "water"));
    m.disc({0, -85, 0}, 40, 16);
    m.group("column", tex(w, "wall"));
    post(m, {0, -100, 0}, 8, 48, 10);
    m.group("bowl", tex(w, "cap"));
    m.cylinder({0, -56, 0}, 20, 6, 12);
    m.disc({0, -53, 0}, 20, 12);
}

void wheelModel(ModelBuilder &m, const WorldSpec &w)
{
    // Sails in the y-z plane: the wheel turns about its x axis.
    m.group("sails", tex(w, "cap"));
    for (int b = 0; b < 4; ++b) {
        const float a = kPi / 2 * b;
        const float c = std::cos(a), s = std::sin(a);
        const int t0 = m.texCoord(0, 0), t1 = m.texCoord(1, 0), t2 = m.texCoord(1, 1), t3 = m.texCoord(0, 1);
        const auto p = [&](float along, float across) { return Vec3{4, c * along - s * across, s * along + c * across}; };
        m.quad(m.vertex(p(12, -3)), t0, m.vertex(p(95, -3)), t1, m.vertex(p(95, 20)), t2, m.vertex(p(12, 20)), t3);
    }
    m.group("hub", tex(w, "wood"));
    m.box({-6, -8, -8}, {8, 8, 8});
}

void jumpModel(ModelBuilder &m, const WorldSpec &w, int frame)
{
    m.group("base", tex(w, "wall"));
    m.box({-48, -30, -48}, {48, 2, 48});
    m.group("light_arrow", tex(w, frame ? "arrow-lit" : "arrow-dim"));
    // The arrow's tip points to -z, the way a pad of heading 0 throws the ball.
    const int a = m.vertex({-40, 3, 40}), b = m.vertex({40, 3, 40}), c = m.vertex({40, 3, -40}), d = m.vertex({-40, 3, -40});
    m.quad(a, m.texCoord(0, 0), b, m.texCoord(1, 0), c, m.texCoord(1, 1), d, m.texCoord(0, 1));
}

void bumperModel(ModelBuilder &m, const WorldSpec &w, bool flash)
{
    const float grow = flash ? 6 : 0;
    m.group(flash ? "light_bumper" : "bumper", tex(w, flash ? "glow2" : "accent"));
    m.cylinder({0, 0, 0}, 24 + grow, 28 + grow, 16);
    m.group(flash ? "light_top" : "metal_top", tex(w, flash ? "glow1" : "metal"));
    m.disc({0, 28 + grow, 0}, 24 + grow, 16);
    m.ring({0, 14, 0}, 24 + grow, 30 + grow, 16);
}

void passageModel(ModelBuilder &m, const WorldSpec &w)
{
    // A mill house over the cell with the way through along z.
    m.group("house", tex(w, "wall"));
    m.box({-50, 0, -45}, {-28, 140, 45});
    m.box({28, 0, -45}, {50, 140, 45});
    m.box({-50, 60, -45}, {50, 140, 45});
    m.group("roof", tex(w, "accent"));
    cone(m, {0, 140, 0}, 72, 70, 4);
    m.group("door", tex(w, "dark"));
    m.box({-28, 0, -46}, {28, 58, -44});
}

void exitModel(ModelBuilder &m, const WorldSpec &w)
{
    m.group("arch", tex(w, "cap"));
    m.box({-40, 0, -6}, {-28, 70, 6});
    m.box({28, 0, -6}, {40, 70, 6});
    m.box({-40, 70, -6}, {40, 82, 6});
    m.group("light_sign", tex(w, "glow1"));
    star(m, 95, 12, 2);
}

void mudModel(ModelBuilder &m, const WorldSpec &w, int frame)
{
    m.group("mud", tex(w, "mud"));
    m.box({-48, -6, -48}, {48, 1, 48});
    // Bubbles swell and burst in turn.
    Random r(71);
    for (int i = 0; i < 5; ++i) {
        const float x = r.range(-35, 35), z = r.range(-35, 35);
        const float size = 3.0f + 3.0f * ((i + frame) % kGlowFrames);
        m.sphere({x, 1, z}, size, 8, 4);
    }
}

void roughModel(ModelBuilder &m, const WorldSpec &w)
{
    m.group("tufts", tex(w, "leaf"));
    Random r(w.listNumber * 7u + 3);
    for (int i = 0; i < 14; ++i) cone(m, {r.range(-42, 42), 0, r.range(-42, 42)}, r.range(5, 9), r.range(8, 16), 5);
}

void writeKindModel(const WorldSpec &w, const ObjectKind &k, int part, const std::string &file)
{
    ModelBuilder m;
    const std::string key = k.key;
    if (key == "wall-low") wallModel(m, w, 30);
    else if (key == "wall-mid") wallModel(m, w, 60);
    else if (key == "wall-tall") wallModel(m, w, 160);
    else if (key == "diagonal") {
        // Heading 0 fills the half of the cell beyond its diagonal.
        const float half[6] = {50, -50, -50, 50, 50, 50};
        m.group("wall", tex(w, "wall"));
        prism(m, half, -60, 35);
    } else if (key == "rough") roughModel(m, w);
    else if (key == "decor") treeDecor(m, w);
    else if (key == "block") {
        m.group("block", tex(w, "cap"));
        m.box({-50, -150, -50}, {50, 0, 50});
    } else if (key == "vent") ventModel(m, w, part);
    else if (key == "platform") {
        m.group("deck", tex(w, "wood"));
        m.box({-50, -12, -50}, {50, 0, 50});
        m.group("legs", tex(w, "cap"));
        for (int c = 0; c < 4; ++c) post(m, {c % 2 ? 38.0f : -38.0f, -250, c / 2 ? 38.0f : -38.0f}, 6, 240, 6);
    } else if (key == "lantern") lanternModel(m, w, part);
    else if (key == "star") {
        m.group("star", tex(w, "gold"));
        star(m, 26, 16, 5);
    } else if (key == "smoke") smokeModel(m, w);
    else if (key == "fountain") fountainModel(m, w);
    else if (key == "wheel") wheelModel(m, w);
    else if (key == "jump") jumpModel(m, w, part);
    else if (key == "bumper") bumperModel(m, w, part == 1);
    else if (key == "cutout") {
        m.group("cut", tex(w, "cut"));
        crossedQuads(m, 45, 90);
    } else if (key == "passage") passageModel(m, w);
    else if (key == "exit") exitModel(m, w);
    else if (key == "bob") {
        m.group("raft", tex(w, "wood"));
        m.box({-46, -20, -46}, {46, 0, 46});
    } else if (key == "mud") mudModel(m, w, part);
    else if (key == "plank") {
        m.group("plank", tex(w, "wood"));
        m.box({-24, -10, -50}, {24, 0, 50});
    } else if (key == "float") floatDecor(m, w);
    else if (key == "fan") fanModel(m, w, part);
    writeModel("object/" + file, m);
}

// --- skies ----------------------------------------------------------------

// The world's sky, painted from the zenith (row 0) down to the horizon (the
// last row, which the dome's skirt below the horizon keeps). The night garden
// gets stars and a moon.
Image skyImage(const WorldSpec &w)
{
    constexpr int size = 256;
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) img.at(x, y) = mix(w.skyZenith, w.skyHorizon, std::pow((y + 0.5f) / size, 1.8f));
    if (w.decor == DecorStyle::Garden) {
        Random r(5);
        for (int i = 0; i < 160; ++i) {
            const float x = r.range(0, size), y = r.range(0, size * 0.8f);
            fillCircle(img, x, y, r.range(0.4f, 1.2f), withAlpha(palette::white, r.range(0.5f, 1.0f)));
        }
        drawGlow(img, 200, 40, 26, withAlpha(rgb(0xfff2c0), 0.5f));
        fillCircle(img, 200, 40, 9, rgb(0xfff6d8));
    }
    return img;
}

void writeSky(const WorldSpec &w)
{
    writeImage("textures/" + tex(w, "sky") + ".tga", skyImage(w), false);
    ModelBuilder dome;
    dome.group("light_sky", tex(w, "sky"));
    dome.skyDome({0, -40, 0}, 1200, 700, 24, 10, 0.5f);  // the skirt hides the gap below the horizon
    writeModel(std::string("sky/") + w.prefix + "-dome.obj", dome);
}

void writeWorldModels(const WorldSpec &w)
{
    int id = 0;
    for (int k = 0; k < objectKindCount(); ++k) {
        const ObjectKind &kind = objectKind(k);
        for (int part = 0; part <= kind.extraModels; ++part, ++id)
            writeKindModel(w, kind, part, objectModelName(w, id));
    }
}

}  // namespace

void generateWorlds()
{
    for (const WorldSpec &w : kWorlds) {
        for (int f = 0; f < kWorldFloors; ++f) {
            const FloorSpec &look = w.floors[static_cast<size_t>(f)];
            writeImage(std::string("floor/") + w.prefix + "-" + look.key + ".tga",
                       floorImage(look, static_cast<uint32_t>(w.listNumber * 31 + f)), false);
        }
        writeWorldTextures(w);
        writeWorldModels(w);
        writeSky(w);
    }
    generateWorldLists();
}
