// Deterministic randomness for the generator: the same seed gives the same
// art and sound on every run and every machine (no std::rand, no clock).
#pragma once

#include <cstdint>

struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed * 0x9e3779b97f4a7c15ull + 0x632be59bd9b4e019ull) {}
    uint32_t next();
    float uniform();                  // 0 <= u < 1
    float range(float lo, float hi);  // lo <= v < hi
    int below(int n);                 // 0 <= k < n
};

// Smooth value noise that repeats every `period` units in x and y, so
// textures drawn from it tile without a seam. Result in 0..1.
float tiledNoise(float x, float y, int period, uint32_t seed);
// Sum of octaves of tiledNoise (each octave doubles the period).
float tiledFractal(float x, float y, int period, int octaves, uint32_t seed);
