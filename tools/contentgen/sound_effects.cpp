// The thirteen effect samples (sounds/). The game plays each at fixed
// frequencies (playback rate in Hz; the pitch is that rate over the file's
// own rate), so every file is written at the rate it is mostly played at:
// played there it sounds exactly as designed, and the game's variations
// (a harder stroke plays the knock higher, a fast rebound the tock higher)
// move around it.
#include "content_groups.h"
#include "noise.h"
#include "sound_synth.h"

#include <algorithm>
#include <cmath>

namespace {

struct Voice {
    int rate;
    float seconds;
    int count() const { return static_cast<int>(rate * seconds); }
    float time(int i) const { return float(i) / rate; }
};

// Every sample of the voice from `at(t)`, asked in time order so that it may keep its own
// oscillator phase or noise source.
template <typename At>
Samples render(const Voice &v, At at)
{
    Samples s(v.count());
    for (int i = 0; i < v.count(); ++i) s[i] = at(v.time(i));
    return s;
}

// Brought to its peak level, then (when fade > 0) its ends faded over that many samples so
// that it starts and stops without a click.
Samples finish(Samples s, float peak, int fade = 0)
{
    normalise(s, peak);
    if (fade > 0) fadeEnds(s, fade);
    return s;
}

// Noise through a band-pass whose centre follows `centre(t)`.
template <typename Centre, typename Gain>
Samples sweptNoise(const Voice &v, uint64_t seed, float q, Centre centre, Gain gain)
{
    Random rng(seed);
    Biquad bp;
    Samples s(v.count());
    for (int i = 0; i < v.count(); ++i) {
        const float t = v.time(i);
        if (i % 32 == 0) bp.bandPass(float(v.rate), centre(t), q);
        s[i] = bp.run(rng.range(-1, 1)) * gain(t);
    }
    return s;
}

// Played at 40000 Hz when the pointer meets a menu item or a view changes.
Samples whoosh()
{
    const Voice v{40000, 0.28f};
    Samples s = sweptNoise(
        v, 1, 2.5f, [](float t) { return 700 + 2600 * std::sin(3.14159f * t / 0.28f); },
        [](float t) { return std::pow(std::sin(3.14159f * t / 0.28f), 2.0f); });
    return finish(s, 0.8f);
}

// The putter's knock: a hollow click with two partials. 40000..52000 Hz.
Samples shot()
{
    const Voice v{40000, 0.18f};
    Random rng(2);
    return finish(render(v, [&](float t) {
        const float body = 0.8f * oscSine(1150 * t) * envelopeDecay(t, 0.001f, 0.025f) +
                           0.4f * oscSine(2730 * t) * envelopeDecay(t, 0.0005f, 0.012f) +
                           0.25f * oscSine(420 * t) * envelopeDecay(t, 0.002f, 0.04f);
        const float click = rng.range(-1, 1) * envelopeDecay(t, 0.0002f, 0.003f);
        return body + 0.6f * click;
    }), 0.9f, 40);
}

// The club's swish through the air; its loudness follows the power.
Samples shotSwish()
{
    const Voice v{40000, 0.22f};
    Samples s = sweptNoise(
        v, 3, 1.8f, [](float t) { return 3500 - 2600 * t / 0.22f; },
        [](float t) { return envelopeDecay(t, 0.05f, 0.05f); });
    return finish(s, 0.8f);
}

// A ball off a wooden wall: short tock. 60000 Hz and up, 40000 on the ground.
Samples rebound()
{
    const Voice v{60000, 0.12f};
    Random rng(4);
    return finish(render(v, [&](float t) {
        return 0.9f * oscSine(760 * t) * envelopeDecay(t, 0.0008f, 0.03f) +
               0.35f * oscSine(1930 * t) * envelopeDecay(t, 0.0005f, 0.012f) +
               0.3f * rng.range(-1, 1) * envelopeDecay(t, 0.0002f, 0.002f);
    }), 0.9f, 40);
}

// Hole introduction, played slowly at 5000 Hz: a soft rising swoosh with a
// shimmer of two notes. Everything stays below the file's 2500 Hz limit.
Samples transit()
{
    const Voice v{5000, 1.4f};
    Samples s = sweptNoise(
        v, 5, 3.0f, [](float t) { return 250 + 1200 * t / 1.4f; },
        [](float t) { return std::sin(3.14159f * t / 1.4f); });
    for (int i = 0; i < v.count(); ++i) {
        const float t = v.time(i);
        const float shimmer = std::sin(3.14159f * std::min(1.0f, t / 1.4f));
        s[i] = 0.6f * s[i] + 0.12f * shimmer * (oscSine(523.25f * t) + oscSine(784.0f * t) * 0.7f);
    }
    return finish(s, 0.8f, 100);
}

// A vent's gust: low rushing air. 30000 Hz.
Samples air()
{
    const Voice v{30000, 0.9f};
    Samples s = sweptNoise(
        v, 6, 0.8f, [](float t) { return 500 + 300 * std::sin(t * 9); },
        [](float t) { return std::sin(3.14159f * t / 0.9f); });
    return finish(s, 0.75f);
}

// A star collected: three bell notes rising. 30000 Hz.
Samples star()
{
    const Voice v{30000, 0.9f};
    const float notes[] = {1318.5f, 1661.2f, 1975.5f, 2637.0f};
    Samples s(v.count(), 0.0f);
    for (int n = 0; n < 4; ++n)
        for (int i = 0; i < v.count(); ++i) {
            const float t = v.time(i) - n * 0.07f;
            if (t < 0) continue;
            const float mod = oscSine(notes[n] * 2.0f * t) * 1.5f * envelopeDecay(t, 0.001f, 0.15f);
            s[i] += oscSine(notes[n] * t + mod / kTwoPi) * envelopeDecay(t, 0.002f, 0.25f) * 0.4f;
        }
    return finish(s, 0.85f, 60);
}

// Into the water: a splash and a few rising bubbles. 20000 Hz.
Samples water()
{
    const Voice v{20000, 0.9f};
    Samples s = sweptNoise(
        v, 7, 0.9f, [](float t) { return 3000 * std::exp(-t * 5) + 300; },
        [](float t) { return envelopeDecay(t, 0.01f, 0.18f); });
    Random rng(8);
    for (int b = 0; b < 6; ++b) {
        const float start = 0.1f + rng.range(0, 0.6f), f0 = rng.range(350, 700);
        for (int i = 0; i < v.count(); ++i) {
            const float t = v.time(i) - start;
            if (t < 0 || t > 0.08f) continue;
            s[i] += 0.25f * oscSine(f0 * t + 3000 * t * t) * std::sin(3.14159f * t / 0.08f);
        }
    }
    return finish(s, 0.85f, 40);
}

// A short tune of (semitone above C5, start, length) on a bright lead.
struct Note {
    float semitone, start, length;
};

template <size_t N>
Samples jingle(const Voice &v, const Note (&notes)[N], bool sorry)
{
    Samples s(v.count(), 0.0f);
    for (const Note &n : notes) {
        const float f = 523.25f * std::pow(2.0f, n.semitone / 12.0f);
        float phase = 0;
        for (int i = 0; i < v.count(); ++i) {
            const float t = v.time(i) - n.start;
            if (t < 0) continue;
            // The sorry tune droops and wobbles like a muted trombone.
            const float bend = sorry ? std::pow(2.0f, (-0.6f * t / n.length + 0.08f * oscSine(6 * t)) / 12.0f) : 1.0f;
            const float step = f * bend / v.rate;
            phase += step;
            const float env = envelopeAdsr(t, n.length, 0.01f, 0.08f, 0.6f, 0.12f);
            const float tone = sorry ? oscSaw(phase, step) * 0.5f : oscSquare(phase, step) * 0.3f + oscTriangle(phase) * 0.5f;
            s[i] += tone * env;
        }
    }
    if (sorry) {
        Biquad lp;
        lp.lowPass(float(v.rate), 1400, 1.2f);
        for (float &x : s) x = lp.run(x);
    }
    return finish(s, 0.8f, 80);
}

// Holed in par or better: C E G, then a high C that rings. 22000 Hz.
Samples holeGood()
{
    const Note notes[] = {{0, 0.0f, 0.12f}, {4, 0.12f, 0.12f}, {7, 0.24f, 0.12f}, {12, 0.36f, 0.45f}, {16, 0.36f, 0.45f}};
    return jingle(Voice{22000, 1.1f}, notes, false);
}

// Holed over par: three falling notes, the last one drooping. 22000 Hz.
Samples holeBad()
{
    const Note notes[] = {{-5, 0.0f, 0.25f}, {-6, 0.3f, 0.25f}, {-7, 0.6f, 0.6f}};
    return jingle(Voice{22000, 1.5f}, notes, true);
}

// The launch pad's boom: a deep thump with a burst of noise. 80000 Hz.
Samples boom()
{
    const Voice v{80000, 0.8f};
    Random rng(9);
    OnePole lp;
    lp.set(float(v.rate), 900);
    float phase = 0;
    return finish(render(v, [&](float t) {
        const float f = 40 + 110 * std::exp(-t * 12);
        phase += f / v.rate;
        return 0.9f * oscSine(phase) * envelopeDecay(t, 0.003f, 0.25f) +
               0.5f * lp.run(rng.range(-1, 1)) * envelopeDecay(t, 0.001f, 0.08f) * 3.0f;
    }), 0.95f, 80);
}

// The ball rattling into the cup: a few plastic clicks, closer and softer.
// Played at 20000 and 22000 Hz, one on each side.
Samples cupRattle()
{
    const Voice v{21000, 0.45f};
    Random rng(10);
    Samples s(v.count(), 0.0f);
    float start = 0, gain = 1;
    for (int k = 0; k < 5; ++k) {
        Biquad bp;
        bp.bandPass(float(v.rate), 1800 + 400 * k, 6);
        for (int i = 0; i < v.count(); ++i) {
            const float t = v.time(i) - start;
            if (t < 0) continue;
            s[i] += gain * bp.run(rng.range(-1, 1) * envelopeDecay(t, 0.0005f, 0.004f)) * 4.0f +
                    gain * 0.3f * oscSine(900 * t) * envelopeDecay(t, 0.0005f, 0.015f);
        }
        start += 0.11f - 0.018f * k;
        gain *= 0.7f;
    }
    return finish(s, 0.85f, 30);
}

// A bumper's boing: a tone that jumps up and wobbles as it dies. 30000 Hz.
Samples bumper()
{
    const Voice v{30000, 0.55f};
    float phase = 0;
    return finish(render(v, [&](float t) {
        const float f = 180 + 260 * (1 - std::exp(-t * 40)) + 40 * std::sin(t * 55) * std::exp(-t * 4);
        phase += f / v.rate;
        return (oscSine(phase) * 0.8f + oscTriangle(phase * 2) * 0.2f) * envelopeDecay(t, 0.002f, 0.16f);
    }), 0.85f, 40);
}

struct EffectFile {
    const char *path;
    int rate;
    Samples (*make)();
};

// clang-format off
const EffectFile kEffects[] = {
    {"sounds/fuit.wav", 40000, whoosh},        {"sounds/tir.wav", 40000, shot},
    {"sounds/tir2.wav", 40000, shotSwish},     {"sounds/rebound.wav", 60000, rebound},
    {"sounds/transit.wav", 5000, transit},     {"sounds/air.wav", 30000, air},
    {"sounds/star.wav", 30000, star},          {"sounds/water.wav", 20000, water},
    {"sounds/inthetrou.wav", 22000, holeGood}, {"sounds/boom.wav", 80000, boom},
    {"sounds/inthetrouloose.wav", 22000, holeBad}, {"sounds/trou.wav", 21000, cupRattle},
    {"sounds/bumper.wav", 30000, bumper},
};
// clang-format on

}  // namespace

void generateSounds()
{
    for (const EffectFile &e : kEffects) writeWav(e.path, e.make(), e.rate);
}
