// The model-writing helper of the content generator: faces wind so that the
// game's back-face culling keeps the outside, indices count from 1 within the
// file, and the noise behind seamless textures really repeats.
#include "model_writer.h"
#include "noise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Face {
    std::vector<int> v, t;
};

struct Parsed {
    std::vector<Vec3> vertices;
    int texCoords = 0;
    std::vector<Face> faces;
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
        } else if (key == "vt") {
            ++p.texCoords;
        } else if (key == "f") {
            Face f;
            std::string corner;
            while (w >> corner) {
                const size_t slash = corner.find('/');
                f.v.push_back(std::stoi(corner.substr(0, slash)));
                f.t.push_back(std::stoi(corner.substr(slash + 1)));
            }
            p.faces.push_back(f);
        }
    }
    return p;
}

Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Normal as the game computes it (first corner and the next two), and the
// face's centre.
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

// Share of faces whose normal points away from `centre` (degenerate slivers
// at a sphere's poles are left out).
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

}  // namespace

TEST(ModelWriter, ClosedShapesFaceOutwardAndTheSkyFacesIn)
{
    ModelBuilder sphere;
    sphere.group("s", "white");
    sphere.sphere({1, 2, 3}, 8, 12, 6);
    EXPECT_EQ(outwardShare(parse(sphere.text()), {1, 2, 3}), 1.0f);

    ModelBuilder box;
    box.group("b", "white");
    box.box({-1, 0, -2}, {3, 4, 2});
    EXPECT_EQ(outwardShare(parse(box.text()), {1, 2, 0}), 1.0f);

    ModelBuilder tube;
    tube.group("t", "white");
    tube.cylinder({0, 0, 0}, 5, 10, 8);
    EXPECT_EQ(outwardShare(parse(tube.text()), {0, 5, 0}), 1.0f);

    ModelBuilder hole;
    hole.group("h", "white");
    hole.cylinder({0, 0, 0}, 5, 10, 8, true);
    EXPECT_EQ(outwardShare(parse(hole.text()), {0, 5, 0}), 0.0f) << "an inward tube shows its inside";

    ModelBuilder dome;
    dome.group("d", "white");
    dome.skyDome({0, 0, 0}, 100, 50, 12, 4);
    EXPECT_EQ(outwardShare(parse(dome.text()), {0, 0, 0}), 0.0f) << "the sky is seen from inside";
}

TEST(ModelWriter, FlatPiecesFaceUp)
{
    ModelBuilder flat;
    flat.group("f", "white");
    flat.disc({0, 1, 0}, 4, 10);
    flat.ring({0, 1, 0}, 4, 6, 10);
    const Parsed p = parse(flat.text());
    ASSERT_FALSE(p.faces.empty());
    for (const Face &f : p.faces) {
        Vec3 n, c;
        normalAndCentre(p, f, n, c);
        EXPECT_GT(n.y, 0.0f);
    }
    ModelBuilder under;
    under.group("u", "white");
    under.disc({0, 1, 0}, 4, 10, false);
    const Parsed q = parse(under.text());
    for (const Face &f : q.faces) {
        Vec3 n, c;
        normalAndCentre(q, f, n, c);
        EXPECT_LT(n.y, 0.0f);
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
    int lowest = 1 << 30, highest = 0;
    for (const Face &f : p.faces) {
        EXPECT_TRUE(f.v.size() == 3 || f.v.size() == 4);
        for (size_t i = 0; i < f.v.size(); ++i) {
            lowest = std::min(lowest, f.v[i]);
            highest = std::max(highest, f.v[i]);
            EXPECT_GE(f.t[i], 1);
            EXPECT_LE(f.t[i], p.texCoords);
        }
    }
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, static_cast<int>(p.vertices.size())) << "the last vertex written is used";
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

TEST(ModelWriter, SkyCoordinatesStayInsideTheTextureSoNoEdgeRowIsStretched)
{
    // The game negates v and repeats textures: a v of exactly 0 or 1 lands on
    // the opposite edge row, and a skirt below the horizon would stretch it.
    ModelBuilder dome;
    dome.group("d", "white");
    dome.skyDome({0, 0, 0}, 100, 50, 8, 4, 0.4f);
    std::istringstream lines(dome.text());
    std::string line;
    int coords = 0;
    while (std::getline(lines, line)) {
        if (line.compare(0, 3, "vt ") != 0) continue;
        float u = 0, v = 0;
        std::istringstream(line.substr(3)) >> u >> v;
        EXPECT_GT(v, 0.0f) << line;
        EXPECT_LT(v, 1.0f) << line;
        ++coords;
    }
    EXPECT_GT(coords, 0);
}
