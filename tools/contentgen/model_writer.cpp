#include "model_writer.h"

#include "file_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr float kPi = 3.14159265f;

std::string fmt3(const char *key, float a, float b, float c)
{
    char buf[96];
    // Fixed decimals keep the files byte-identical between runs and small.
    std::snprintf(buf, sizeof buf, "%s %.3f %.3f %.3f", key, a + 0.0f, b + 0.0f, c + 0.0f);
    return buf;
}
}  // namespace

void ModelBuilder::group(const std::string &name, const std::string &texture)
{
    lines_.push_back("g " + name);
    lines_.push_back("usemtl " + texture);
}

int ModelBuilder::vertex(Vec3 p)
{
    lines_.push_back(fmt3("v", p.x, p.y, p.z));
    return ++vertices_;
}

int ModelBuilder::texCoord(float u, float v)
{
    lines_.push_back(fmt3("vt", u, v, 0.0f));
    return ++texCoords_;
}

void ModelBuilder::triangle(int v0, int t0, int v1, int t1, int v2, int t2)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "f %d/%d %d/%d %d/%d", v0, t0, v1, t1, v2, t2);
    lines_.push_back(buf);
    ++faces_;
}

void ModelBuilder::quad(int v0, int t0, int v1, int t1, int v2, int t2, int v3, int t3)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "f %d/%d %d/%d %d/%d %d/%d", v0, t0, v1, t1, v2, t2, v3, t3);
    lines_.push_back(buf);
    ++faces_;
}

void ModelBuilder::sphere(Vec3 c, float radius, int segments, int rings)
{
    // Grid of (segments + 1) x (rings + 1) vertices; the seam and the poles
    // repeat positions so that texture coordinates stay continuous.
    std::vector<int> v, t;
    for (int r = 0; r <= rings; ++r) {
        const float phi = kPi * r / rings;  // 0 at the top
        for (int s = 0; s <= segments; ++s) {
            const float theta = 2 * kPi * s / segments;
            const float x = std::sin(phi) * std::cos(theta), y = std::cos(phi), z = std::sin(phi) * std::sin(theta);
            v.push_back(vertex({c.x + radius * x, c.y + radius * y, c.z + radius * z}));
            t.push_back(texCoord(float(s) / segments, 1.0f - float(r) / rings));
        }
    }
    const int row = segments + 1;
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const int a = r * row + s, b = a + 1, d = a + row, e = d + 1;
            // Outward winding: top-left, top-right... as seen from outside.
            quad(v[a], t[a], v[b], t[b], v[e], t[e], v[d], t[d]);
        }
}

void ModelBuilder::cylinder(Vec3 base, float radius, float height, int segments, bool inward)
{
    std::vector<int> lo, hi, tl, th;
    for (int s = 0; s <= segments; ++s) {
        const float a = 2 * kPi * s / segments;
        const float x = base.x + radius * std::cos(a), z = base.z + radius * std::sin(a);
        lo.push_back(vertex({x, base.y, z}));
        hi.push_back(vertex({x, base.y + height, z}));
        tl.push_back(texCoord(float(s) / segments, 0));
        th.push_back(texCoord(float(s) / segments, 1));
    }
    for (int s = 0; s < segments; ++s) {
        if (inward)
            quad(lo[s], tl[s], lo[s + 1], tl[s + 1], hi[s + 1], th[s + 1], hi[s], th[s]);
        else
            quad(lo[s], tl[s], hi[s], th[s], hi[s + 1], th[s + 1], lo[s + 1], tl[s + 1]);
    }
}

void ModelBuilder::disc(Vec3 c, float radius, int segments, bool facingUp)
{
    const int centre = vertex(c);
    const int tc = texCoord(0.5f, 0.5f);
    std::vector<int> v, t;
    for (int s = 0; s <= segments; ++s) {
        const float a = 2 * kPi * s / segments;
        v.push_back(vertex({c.x + radius * std::cos(a), c.y, c.z + radius * std::sin(a)}));
        t.push_back(texCoord(0.5f + 0.5f * std::cos(a), 0.5f + 0.5f * std::sin(a)));
    }
    for (int s = 0; s < segments; ++s) {
        if (facingUp)
            triangle(centre, tc, v[s + 1], t[s + 1], v[s], t[s]);
        else
            triangle(centre, tc, v[s], t[s], v[s + 1], t[s + 1]);
    }
}

void ModelBuilder::ring(Vec3 c, float inner, float outer, int segments)
{
    std::vector<int> vi, vo, ti, to;
    for (int s = 0; s <= segments; ++s) {
        const float a = 2 * kPi * s / segments;
        vi.push_back(vertex({c.x + inner * std::cos(a), c.y, c.z + inner * std::sin(a)}));
        vo.push_back(vertex({c.x + outer * std::cos(a), c.y, c.z + outer * std::sin(a)}));
        ti.push_back(texCoord(float(s) / segments, 0));
        to.push_back(texCoord(float(s) / segments, 1));
    }
    for (int s = 0; s < segments; ++s) quad(vi[s], ti[s], vi[s + 1], ti[s + 1], vo[s + 1], to[s + 1], vo[s], to[s]);
}

void ModelBuilder::box(Vec3 lo, Vec3 hi)
{
    const Vec3 p[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                       {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    // Each face lists its corners counter-clockwise seen from outside.
    const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 4, 7, 3}, {1, 2, 6, 5}, {3, 7, 6, 2}, {0, 1, 5, 4}};
    const int t0 = texCoord(0, 1), t1 = texCoord(1, 1), t2 = texCoord(1, 0), t3 = texCoord(0, 0);
    for (const auto &f : faces) {
        // Separate vertices per face keep the box's edges sharp after smoothing.
        const int a = vertex(p[f[0]]), b = vertex(p[f[1]]), c = vertex(p[f[2]]), d = vertex(p[f[3]]);
        quad(a, t0, b, t1, c, t2, d, t3);
    }
}

void ModelBuilder::skyDome(Vec3 c, float radius, float height, int segments, int rings, float skirt)
{
    std::vector<int> v, t;
    for (int r = 0; r <= rings; ++r) {
        const float phi = -skirt + (0.5f * kPi + skirt) * r / rings;  // 0 at the horizon
        for (int s = 0; s <= segments; ++s) {
            const float theta = 2 * kPi * s / segments;
            v.push_back(vertex({c.x + radius * std::cos(phi) * std::cos(theta), c.y + height * std::sin(phi),
                                c.z + radius * std::cos(phi) * std::sin(theta)}));
            // Kept just inside 0..1: the game negates v and repeats the
            // texture, so an exact 0 or 1 would sample the opposite edge row.
            t.push_back(texCoord(2.0f * s / segments, 0.003f + 0.994f * std::max(0.0f, phi) / (0.5f * kPi)));
        }
    }
    const int row = segments + 1;
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const int a = r * row + s, b = a + 1, d = a + row, e = d + 1;
            quad(v[a], t[a], v[b], t[b], v[e], t[e], v[d], t[d]);
        }
}

std::string ModelBuilder::text() const
{
    std::string out;
    for (const std::string &l : lines_) {
        out += l;
        out += '\n';
    }
    return out;
}

bool writeModel(const std::string &relative, const ModelBuilder &model)
{
    return writeOutputText(relative, model.text());
}
