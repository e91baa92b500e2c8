// Models in the game's model format: the content generator's model writer winds faces so that
// back-face culling keeps the outside and counts indices from 1 within the file, its seamless
// noise repeats, and the shared models in the generated tree are well formed for the game's
// model reader, with every group's texture under data/textures.
#include "model_writer.h"
#include "noise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

struct Face {
    std::vector<int> v, t;
};

// A model file read line by line, with what the game's reader would stumble over counted.
struct Parsed {
    std::vector<Vec3> vertices;
    std::vector<float> texV;  // v of each texture coordinate
    std::vector<Face> faces;
    std::vector<std::string> textures;
    int groups = 0, facesOutsideGroups = 0, badIndices = 0, badFaceLines = 0;
    float maxRadius = 0;  // farthest vertex from the origin, file units
};

Parsed parse(const std::string &text)
{
    Parsed p;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream w(line);
        std::string key;
        w >> key;
        if (key == "v") {
            Vec3 v;
            w >> v.x >> v.y >> v.z;
            p.vertices.push_back(v);
            p.maxRadius = std::max(p.maxRadius, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
        } else if (key == "vt") {
            float u = 0, v = 0;
            w >> u >> v;
            p.texV.push_back(v);
        } else if (key == "g") {
            ++p.groups;
        } else if (key == "usemtl") {
            std::string name;
            w >> name;
            p.textures.push_back(name);
        } else if (key == "f") {
            Face f;
            std::string corner;
            while (w >> corner) {
                int v = 0, t = 0;
                char slash = 0;
                std::istringstream c(corner);
                // Exactly "v/t": a third number (a normal) would be misread.
                if (!(c >> v >> slash >> t) || slash != '/' || c.peek() != EOF) ++p.badFaceLines;
                if (v < 1 || v > int(p.vertices.size()) || t < 1 || t > int(p.texV.size())) ++p.badIndices;
                f.v.push_back(v);
                f.t.push_back(t);
            }
            if (f.v.size() != 3 && f.v.size() != 4) ++p.badFaceLines;
            if (p.groups == 0) ++p.facesOutsideGroups;
            p.faces.push_back(f);
        }
    }
    return p;
}

bool readModel(const std::string &relative, Parsed &p)
{
    std::ifstream in(kData + relative);
    if (!in) return false;
    p = parse(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    return true;
}

bool textureExists(const std::string &name)
{
    for (const char *ext : {".jpg", ".png", ".tga"})
        if (std::filesystem::exists(kData + "textures/" + name + ext)) return true;
    return false;
}

Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Normal as the game computes it (first corner and the next two), and the face's centre.
void normalAndCentre(const Parsed &p, const Face &f, Vec3 &n, Vec3 &c)
{
    const Vec3 a = p.vertices[f.v[0] - 1], b = p.vertices[f.v[1] - 1], d = p.vertices[f.v[2] - 1];
    n = cross(sub(b, a), sub(d, a));
    c = {0, 0, 0};
    for (int i : f.v) {
        c.x += p.vertices[i - 1].x / f.v.size();
        c.y += p.vertices[i - 1].y / f.v.size();
        c.z += p.vertices[i - 1].z / f.v.size();
    }
}

// Share of faces whose normal points away from `centre` (degenerate slivers at a sphere's poles
// are left out).
float outwardShare(const Parsed &p, Vec3 centre)
{
    int out = 0, counted = 0;
    for (const Face &f : p.faces) {
        Vec3 n, c;
        normalAndCentre(p, f, n, c);
        if (dot(n, n) < 1e-6f) continue;
        ++counted;
        if (dot(n, sub(c, centre)) > 0) ++out;
    }
    return counted ? float(out) / counted : 0.0f;
}

// Every model the theme load asks for, with the largest size it may have in file units
// (hundredths of a world unit) to look right on a one-unit cell.
struct FixedModel {
    const char *path;
    float maxRadius;
};

const FixedModel kFixedModels[] = {
    {"object/ball.obj", 10},      {"object/ombre.obj", 20},       {"object/ptitball.obj", 6},
    {"objectedit/start.obj", 50}, {"objectedit/flag.obj", 80},    {"objectedit/etoile.obj", 50},
    {"objectedit/camera.obj", 50}, {"object/trou.obj", 30},       {"object/poto.obj", 130},
    {"object/drapo.obj", 60},
};

}  // namespace

TEST(ModelWriter, ClosedShapesFaceOutwardTheSkyAndInwardTubesFaceInAndFlatPiecesUp)
{
    ModelBuilder sphere, box, tube, hole, dome, flat, under;
    for (ModelBuilder *m : {&sphere, &box, &tube, &hole, &dome, &flat, &under}) m->group("g", "white");
    sphere.sphere({1, 2, 3}, 8, 12, 6);
    box.box({-1, 0, -2}, {3, 4, 2});
    tube.cylinder({0, 0, 0}, 5, 10, 8);
    hole.cylinder({0, 0, 0}, 5, 10, 8, true);
    dome.skyDome({0, 0, 0}, 100, 50, 12, 4);
    EXPECT_EQ(outwardShare(parse(sphere.text()), {1, 2, 3}), 1.0f);
    EXPECT_EQ(outwardShare(parse(box.text()), {1, 2, 0}), 1.0f);
    EXPECT_EQ(outwardShare(parse(tube.text()), {0, 5, 0}), 1.0f);
    EXPECT_EQ(outwardShare(parse(hole.text()), {0, 5, 0}), 0.0f) << "an inward tube shows its inside";
    EXPECT_EQ(outwardShare(parse(dome.text()), {0, 0, 0}), 0.0f) << "the sky is seen from inside";

    flat.disc({0, 1, 0}, 4, 10);
    flat.ring({0, 1, 0}, 4, 6, 10);
    under.disc({0, 1, 0}, 4, 10, false);
    for (ModelBuilder *m : {&flat, &under}) {
        const Parsed p = parse(m->text());
        ASSERT_FALSE(p.faces.empty());
        for (const Face &f : p.faces) {
            Vec3 n, c;
            normalAndCentre(p, f, n, c);
            EXPECT_EQ(n.y > 0.0f, m == &flat);
        }
    }
}

TEST(ModelWriter, IndicesCountFromOneAcrossEveryPrimitiveOfTheFile)
{
    ModelBuilder m;
    m.group("a", "white");
    m.box({0, 0, 0}, {1, 1, 1});
    m.group("b", "white");
    m.sphere({0, 0, 0}, 1, 6, 3);
    m.disc({0, 0, 0}, 1, 6);
    const Parsed p = parse(m.text());
    EXPECT_EQ(m.faceCount(), static_cast<int>(p.faces.size()));
    EXPECT_EQ(p.badIndices, 0);
    EXPECT_EQ(p.badFaceLines, 0);
    int lowest = 1 << 30, highest = 0;
    for (const Face &f : p.faces)
        for (int v : f.v) {
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, static_cast<int>(p.vertices.size())) << "the last vertex written is used";
}

TEST(ModelWriter, SkyCoordinatesStayInsideTheTextureSoNoEdgeRowIsStretched)
{
    // The game negates v and repeats textures: a v of exactly 0 or 1 lands on the opposite
    // edge row, and a skirt below the horizon would stretch it.
    ModelBuilder dome;
    dome.group("d", "white");
    dome.skyDome({0, 0, 0}, 100, 50, 8, 4, 0.4f);
    const Parsed p = parse(dome.text());
    ASSERT_FALSE(p.texV.empty());
    for (float v : p.texV) {
        EXPECT_GT(v, 0.0f);
        EXPECT_LT(v, 1.0f);
    }
}

TEST(SeamlessNoise, RepeatsEveryPeriodAndIsSmoothBetween)
{
    for (float y = 0; y < 8; y += 0.37f)
        for (float x = 0; x < 8; x += 0.41f) {
            EXPECT_NEAR(tiledNoise(x, y, 8, 3), tiledNoise(x + 8, y, 8, 3), 1e-5f);
            EXPECT_NEAR(tiledNoise(x, y, 8, 3), tiledNoise(x, y - 8, 8, 3), 1e-5f);
            EXPECT_NEAR(tiledFractal(x, y, 4, 3, 9), tiledFractal(x + 4, y + 4, 4, 3, 9), 1e-5f);
            EXPECT_LT(std::fabs(tiledNoise(x, y, 8, 3) - tiledNoise(x + 0.01f, y, 8, 3)), 0.05f);
        }
    Random a(7), b(7);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.next(), b.next());
}

TEST(ContentModels, SharedModelsAndSkyDomesAreWellFormedTexturedAndInScale)
{
    for (const FixedModel &fm : kFixedModels) {
        SCOPED_TRACE(fm.path);
        Parsed m;
        ASSERT_TRUE(readModel(fm.path, m)) << "missing";
        EXPECT_GT(m.faces.size(), 0u);
        EXPECT_EQ(m.facesOutsideGroups, 0) << "faces before the first group are never drawn";
        EXPECT_EQ(m.badIndices, 0);
        EXPECT_EQ(m.badFaceLines, 0);
        EXPECT_LE(m.maxRadius, fm.maxRadius) << "too large for the course";
        EXPECT_FALSE(m.textures.empty());
        for (const std::string &t : m.textures) EXPECT_TRUE(textureExists(t)) << "texture " << t;
    }
    // The ball is drawn 0.08 above its contact point: a radius of 8 file units.
    Parsed ball;
    ASSERT_TRUE(readModel("object/ball.obj", ball));
    EXPECT_NEAR(ball.maxRadius, 8.0f, 0.1f);

    int pairs = 0;
    for (const auto &entry : std::filesystem::directory_iterator(kData + "sky")) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 6 || name.compare(name.size() - 6, 6, "-a.obj") != 0) continue;
        ++pairs;
        for (const std::string &layer : {name, name.substr(0, name.size() - 6) + "-b.obj"}) {
            SCOPED_TRACE(layer);
            Parsed m;
            ASSERT_TRUE(readModel("sky/" + layer, m));
            EXPECT_EQ(m.badIndices, 0);
            EXPECT_EQ(m.facesOutsideGroups, 0);
            // Drawn five times larger; it must still lie within the 80-unit far plane.
            EXPECT_LE(m.maxRadius * 0.05f, 80.0f);
            for (const std::string &t : m.textures) EXPECT_TRUE(textureExists(t)) << "texture " << t;
        }
    }
    EXPECT_GE(pairs, 1);
}
