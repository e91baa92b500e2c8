// The shared models in the generated tree are well formed for the game's
// model reader: faces are written vertex/texture pairs that point at lines
// the file really has, every face belongs to a named group, and every group's
// texture resolves under data/textures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

struct ModelCheck {
    int vertices = 0, texCoords = 0, faces = 0, groups = 0;
    int facesOutsideGroups = 0, badIndices = 0, badFaceLines = 0;
    float maxRadius = 0;  // farthest vertex from the origin, file units
    std::vector<std::string> textures;
};

bool textureExists(const std::string &name)
{
    for (const char *ext : {".jpg", ".png", ".tga"})
        if (std::filesystem::exists(kData + "textures/" + name + ext)) return true;
    return false;
}

bool readModel(const std::string &relative, ModelCheck &m)
{
    std::ifstream in(kData + relative);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "v") {
            float x = 0, y = 0, z = 0;
            words >> x >> y >> z;
            m.maxRadius = std::max(m.maxRadius, std::sqrt(x * x + y * y + z * z));
            ++m.vertices;
        } else if (key == "vt") {
            ++m.texCoords;
        } else if (key == "g") {
            ++m.groups;
        } else if (key == "usemtl") {
            std::string name;
            words >> name;
            m.textures.push_back(name);
        } else if (key == "f") {
            int corners = 0;
            std::string corner;
            while (words >> corner) {
                int v = 0, t = 0;
                char slash = 0;
                std::istringstream c(corner);
                // Exactly "v/t": a third number (a normal) would be misread.
                if (!(c >> v >> slash >> t) || slash != '/' || c.peek() != EOF) ++m.badFaceLines;
                if (v < 1 || v > m.vertices || t < 1 || t > m.texCoords) ++m.badIndices;
                ++corners;
            }
            if (corners != 3 && corners != 4) ++m.badFaceLines;
            if (m.groups == 0) ++m.facesOutsideGroups;
            ++m.faces;
        }
    }
    return true;
}

// Every model the theme load asks for, with the largest size it may have in
// file units (hundredths of a world unit) to look right on a one-unit cell.
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

TEST(ContentModels, SharedModelsAreWellFormedAndTextured)
{
    for (const FixedModel &fm : kFixedModels) {
        SCOPED_TRACE(fm.path);
        ModelCheck m;
        ASSERT_TRUE(readModel(fm.path, m)) << "missing";
        EXPECT_GT(m.faces, 0);
        EXPECT_EQ(m.facesOutsideGroups, 0) << "faces before the first group are never drawn";
        EXPECT_EQ(m.badIndices, 0);
        EXPECT_EQ(m.badFaceLines, 0);
        EXPECT_LE(m.maxRadius, fm.maxRadius) << "too large for the course";
        EXPECT_FALSE(m.textures.empty());
        for (const std::string &t : m.textures) EXPECT_TRUE(textureExists(t)) << "texture " << t;
    }
}

TEST(ContentModels, BallIsTheSizeThePhysicsAssumes)
{
    // The ball is drawn 0.08 above its contact point: a radius of 8 file units.
    ModelCheck m;
    ASSERT_TRUE(readModel("object/ball.obj", m));
    EXPECT_NEAR(m.maxRadius, 8.0f, 0.1f);
}

TEST(ContentModels, SkyDomesOfferedToWorldFilesAreComplete)
{
    int pairs = 0;
    for (const auto &entry : std::filesystem::directory_iterator(kData + "sky")) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 6 || name.compare(name.size() - 6, 6, "-a.obj") != 0) continue;
        ++pairs;
        for (const std::string &layer : {name, name.substr(0, name.size() - 6) + "-b.obj"}) {
            SCOPED_TRACE(layer);
            ModelCheck m;
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
