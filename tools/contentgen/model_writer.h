// Helper for writing models in the game's model format: a Wavefront-like
// text file of groups ("g name"), one texture per group ("usemtl name", a
// file under data/textures/), vertices ("v x y z" in hundredths of a world
// unit: the game scales by 0.01), texture coordinates ("vt u v 0", v runs up
// the image: 0 at its bottom row, 1 at its top row) and faces
// of three or four corners written as vertex/texture index pairs (1-based,
// relative to the file). Faces wind counter-clockwise seen from outside, so
// the game's back-face culling keeps the outer side.
//
// Group names pick the material: "light..." self-lit, "metal..." shiny,
// "dark..." dark, "shine..."/"bump..." two texture units, anything else
// plain.
#pragma once

#include <string>
#include <vector>

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

class ModelBuilder {
public:
    // Starts a new group; later faces belong to it.
    void group(const std::string &name, const std::string &texture);
    int vertex(Vec3 p);                  // returns the file's 1-based index
    int texCoord(float u, float v);      // returns the file's 1-based index
    void triangle(int v0, int t0, int v1, int t1, int v2, int t2);
    void quad(int v0, int t0, int v1, int t1, int v2, int t2, int v3, int t3);

    // Primitives; all centred on `base` unless said otherwise. `segments`
    // is the number of steps around the vertical axis.
    void sphere(Vec3 centre, float radius, int segments, int rings);
    // Open-ended tube from base.y to base.y + height, outer side facing out
    // (or in, when `inward`), texture u around, v along the height.
    void cylinder(Vec3 base, float radius, float height, int segments, bool inward = false);
    // Flat disc facing up (+y) or down.
    void disc(Vec3 centre, float radius, int segments, bool facingUp = true);
    // Flat ring facing up, between two radii.
    void ring(Vec3 centre, float inner, float outer, int segments);
    // Axis-aligned box with all six faces, min corner to max corner.
    void box(Vec3 lo, Vec3 hi);
    // Dome over (centre), radius r, from `skirt` radians below the horizon
    // up to the top, faces pointing inward (seen from inside); texture v runs
    // from the horizon (0, which the skirt keeps) to the top (1).
    void skyDome(Vec3 centre, float radius, float height, int segments, int rings, float skirt = 0.0f);

    std::string text() const;        // the file's content
    int faceCount() const { return faces_; }

private:
    std::vector<std::string> lines_;
    int vertices_ = 0;
    int texCoords_ = 0;
    int faces_ = 0;
};

// Writes the model into the data tree (path relative to it, e.g.
// "object/ball.obj").
bool writeModel(const std::string &relative, const ModelBuilder &model);
