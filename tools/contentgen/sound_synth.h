// Small sound toolkit shared by the effects and the music: oscillators,
// envelopes, filters and the .wav writer. Everything is plain float
// buffers at a given sample rate; nothing depends on the clock or on
// random state outside the callers' seeded Random.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Samples = std::vector<float>;

constexpr float kTwoPi = 6.2831853f;

// Band-limited enough for the rates used here: polyBLEP corrections keep
// square and saw waves from aliasing harshly.
float oscSine(float phase);                      // phase in cycles
float oscTriangle(float phase);
float oscSquare(float phase, float step);        // step = frequency / rate
float oscSaw(float phase, float step);

// Envelope value at time t (seconds) for a note held `hold` seconds.
float envelopeAdsr(float t, float hold, float attack, float decay, float sustain, float release);
float envelopeDecay(float t, float attack, float decayTime);  // quick rise, exponential fall

// RBJ biquad filter; set once, then run sample by sample.
struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void lowPass(float rate, float cutoff, float q);
    void highPass(float rate, float cutoff, float q);
    void bandPass(float rate, float centre, float q);
    float run(float x);
};

// One-pole smoothing low-pass (cheap, for noise colouring).
struct OnePole {
    float a = 0, y = 0;
    void set(float rate, float cutoff);
    float run(float x) { return y += a * (x - y); }
};

// Scales so the loudest sample reaches `peak` (0..1).
void normalise(Samples &s, float peak);
// Short fades at both ends, so no sample starts or stops with a click.
void fadeEnds(Samples &s, int fadeSamples);

// Encodes mono 16-bit PCM .wav at `rate` into the data tree.
bool writeWav(const std::string &relative, const Samples &s, int rate);
