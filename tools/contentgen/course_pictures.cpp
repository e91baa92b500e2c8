#include "course_pictures.h"

#include "noise.h"
#include "palette.h"

#include "course/terrain_grid.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kPictureSize = 256;
constexpr float kSeaLevel = -0.1f;
constexpr float kMargin = 1.5f;  // cells of sea shown around the land

// The square of the grid the picture shows: the land with a little sea round it.
struct PictureView {
    float x0 = 0.5f, z0 = 0.5f, span = 25.0f;
};
PictureView view;  // set by writeCoursePicture for the picture being drawn

float cellsPerPixel() { return view.span / kPictureSize; }

void frameLand()
{
    int lo[2] = {kGridCells, kGridCells}, hi[2] = {0, 0};
    for (int x = 1; x < kGridCells; ++x)
        for (int z = 1; z < kGridCells; ++z)
            if (terrainGrid.cells[x][z].height > kSeaLevel) {
                lo[0] = std::min(lo[0], x), lo[1] = std::min(lo[1], z);
                hi[0] = std::max(hi[0], x), hi[1] = std::max(hi[1], z);
            }
    if (hi[0] < lo[0]) return;
    view.span = std::max(hi[0] - lo[0], hi[1] - lo[1]) + 2 * kMargin;
    view.x0 = (lo[0] + hi[0]) * 0.5f - view.span * 0.5f;
    view.z0 = (lo[1] + hi[1]) * 0.5f - view.span * 0.5f;
}

// Height of the terrain at (x, z) in cells, bilinear between the four vertices.
float heightAt(float x, float z)
{
    x = std::clamp(x, 0.0f, float(kGridCells)), z = std::clamp(z, 0.0f, float(kGridCells));
    const int ix = std::min(static_cast<int>(x), kGridCells - 1), iz = std::min(static_cast<int>(z), kGridCells - 1);
    const float fx = x - ix, fz = z - iz;
    const auto h = [](int a, int b) { return terrainGrid.cells[a][b].height; };
    return (1 - fz) * ((1 - fx) * h(ix, iz) + fx * h(ix + 1, iz)) + fz * ((1 - fx) * h(ix, iz + 1) + fx * h(ix + 1, iz + 1));
}

Colour floorColour(const WorldSpec &w, float x, float z)
{
    const int ix = std::clamp(static_cast<int>(x), 0, kGridCells - 1), iz = std::clamp(static_cast<int>(z), 0, kGridCells - 1);
    const int floor = std::clamp(terrainGrid.cells[ix][iz].texture, 0, kWorldFloors - 1);
    const FloorSpec &f = w.floors[static_cast<size_t>(floor)];
    return mix(f.base, f.detail, tiledFractal(x * 2, z * 2, 64, 3, 7));
}

// Light from the upper left: brighter where the ground faces it.
float shade(float x, float z)
{
    const float d = 0.3f;
    const float gx = heightAt(x + d, z) - heightAt(x - d, z), gz = heightAt(x, z + d) - heightAt(x, z - d);
    return std::clamp(1.0f - (gx + gz) * 0.9f, 0.55f, 1.35f);
}

void paintGround(Image &img, const WorldSpec &w)
{
    for (int py = 0; py < kPictureSize; ++py)
        for (int px = 0; px < kPictureSize; ++px) {
            const float x = view.x0 + (px + 0.5f) * cellsPerPixel(), z = view.z0 + (py + 0.5f) * cellsPerPixel();
            const float h = heightAt(x, z);
            Colour c = floorColour(w, x, z);
            const float s = shade(x, z);
            c = s > 1 ? lighten(c, (s - 1) * 0.6f) : darken(c, 1 - s);
            if (h < kSeaLevel) {
                const float depth = std::clamp((kSeaLevel - h) / 1.5f, 0.0f, 1.0f);
                c = mix(mix(c, rgb(0x35d4e0), 0.55f), palette::ocean, depth);
            } else if (h < kSeaLevel + 0.12f) {
                c = mix(c, palette::white, 0.6f);  // surf along the shore
            }
            img.at(px, py) = c;
        }
}

Colour objectColour(const WorldSpec &w, const std::string &key)
{
    if (key == "star") return palette::sun;
    if (key == "bumper" || key == "jump") return w.accent;
    if (key == "decor" || key == "cutout" || key == "rough") return w.leaf;
    if (key == "mud") return rgb(0x6b4a2b);
    if (key == "plank" || key == "platform" || key == "float" || key == "bob") return w.wood;
    if (key == "lantern" || key == "smoke" || key == "fountain") return w.glow;
    return w.wall;
}

std::string kindAt(int id)
{
    int first = 0;
    for (int k = 0; k < objectKindCount(); ++k) {
        if (id == first) return objectKind(k).key;
        first += 1 + objectKind(k).extraModels;
    }
    return "";
}

float toPixelX(float cells) { return (cells - view.x0) / cellsPerPixel(); }
float toPixelZ(float cells) { return (cells - view.z0) / cellsPerPixel(); }

void paintObjects(Image &img, const WorldSpec &w)
{
    const float cell = 1.0f / cellsPerPixel();
    for (int x = 1; x < kGridCells; ++x)
        for (int z = 1; z < kGridCells; ++z) {
            const TerrainCell &c = terrainGrid.cells[x][z];
            if (c.object < 0) continue;
            const std::string key = kindAt(c.object);
            const float px = toPixelX(x + 0.5f), py = toPixelZ(z + 0.5f);
            const Colour col = objectColour(w, key);
            if (key.rfind("wall", 0) == 0 || key == "fan" || key == "diagonal" || key == "platform") {
                fillRoundRect(img, px - cell * 0.5f + 2, py - cell * 0.5f + 2, px + cell * 0.5f + 2, py + cell * 0.5f + 2, 1,
                              withAlpha(palette::ink, 0.35f));
                fillRoundRect(img, px - cell * 0.5f, py - cell * 0.5f, px + cell * 0.5f, py + cell * 0.5f, 1.5f, col);
            } else if (key == "rough" || key == "mud") {
                fillCircle(img, px, py, cell * 0.45f, withAlpha(col, 0.6f));
            } else if (key == "star") {
                fillPolygon(img, starPoints(px, py, cell * 0.45f, cell * 0.2f, 5), col);
            } else {
                fillCircle(img, px + 1.5f, py + 1.5f, cell * 0.38f, withAlpha(palette::ink, 0.35f));
                fillCircle(img, px, py, cell * 0.38f, col);
            }
        }
}

void paintMarkers(Image &img)
{
    const float cell = 1.0f / cellsPerPixel();
    for (int x = 1; x < kGridCells; ++x)
        for (int z = 1; z < kGridCells; ++z) {
            const int marker = terrainGrid.cells[x][z].interaction;
            const float px = toPixelX(x + 0.5f), py = toPixelZ(z + 0.5f);
            if (marker == HoleMarker) {
                fillCircle(img, px, py, cell * 0.3f, palette::ink);
                drawLine(img, px, py, px, py - cell * 1.6f, 1.5f, palette::white);
                fillPolygon(img, {px, py - cell * 1.6f, px + cell, py - cell * 1.3f, px, py - cell * 1.0f}, palette::red);
            } else if (marker == StartMarker) {
                fillCircle(img, px, py, cell * 0.32f, palette::white);
            }
        }
}

}  // namespace

bool writeCoursePicture(const WorldSpec &world)
{
    view = PictureView{};
    frameLand();
    Image img(kPictureSize, kPictureSize);
    paintGround(img, world);
    paintObjects(img, world);
    paintMarkers(img);
    return writeImage("levels/level" + std::to_string(world.listNumber) + ".vorpel.tga", img, false);
}
