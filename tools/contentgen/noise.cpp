#include "noise.h"

#include <cmath>

uint32_t Random::next()
{
    // splitmix64 step: fast, well mixed, identical everywhere.
    uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Random::uniform() { return (next() >> 8) * (1.0f / 16777216.0f); }
float Random::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
int Random::below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<uint32_t>(n)) : 0; }

namespace {
float lattice(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffffff) / 16777215.0f;
}

int wrap(int v, int period) { return ((v % period) + period) % period; }
float smooth(float t) { return t * t * (3 - 2 * t); }
}  // namespace

float tiledNoise(float x, float y, int period, uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const float a = lattice(wrap(x0, period), wrap(y0, period), seed);
    const float b = lattice(wrap(x0 + 1, period), wrap(y0, period), seed);
    const float c = lattice(wrap(x0, period), wrap(y0 + 1, period), seed);
    const float d = lattice(wrap(x0 + 1, period), wrap(y0 + 1, period), seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float tiledFractal(float x, float y, int period, int octaves, uint32_t seed)
{
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += tiledNoise(x, y, period, seed + 101u * o) * amplitude;
        total += amplitude;
        x *= 2;
        y *= 2;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}
