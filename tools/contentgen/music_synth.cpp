#include "music_synth.h"

#include "content_groups.h"
#include "file_output.h"
#include "noise.h"
#include "vorbis_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kRate = kMusicRate;
constexpr float kVorbisQuality = 0.25f;
constexpr double kTailSeconds = 3.0;

struct Voicing {
    float release;   // seconds the note rings after it is let go
    float gain;
    float reverbSend;
    float echoSend;
};

Voicing voicingOf(Instrument i)
{
    switch (i) {
    case Instrument::Square: return {0.08f, 0.20f, 0.25f, 0.35f};
    case Instrument::Flute: return {0.12f, 0.30f, 0.35f, 0.35f};
    case Instrument::Bell: return {2.0f, 0.22f, 0.45f, 0.3f};
    case Instrument::Pluck: return {0.8f, 0.35f, 0.35f, 0.3f};
    case Instrument::Marimba: return {0.5f, 0.38f, 0.3f, 0.2f};
    case Instrument::Organ: return {0.08f, 0.16f, 0.35f, 0.25f};
    case Instrument::Bass: return {0.06f, 0.42f, 0.05f, 0.0f};
    case Instrument::Pad: return {0.5f, 0.07f, 0.6f, 0.0f};
    case Instrument::PadOrgan: return {0.2f, 0.06f, 0.5f, 0.0f};
    case Instrument::Kick: return {0.0f, 0.7f, 0.05f, 0.0f};
    case Instrument::Snare: return {0.0f, 0.35f, 0.25f, 0.0f};
    case Instrument::Hat: return {0.0f, 0.12f, 0.1f, 0.0f};
    case Instrument::Shaker: return {0.0f, 0.12f, 0.15f, 0.0f};
    }
    return {0.1f, 0.2f, 0.2f, 0.0f};
}

// One sample of a tonal instrument, t seconds into a note held `hold`.
float tone(Instrument inst, float t, float hold, float phase, float step)
{
    switch (inst) {
    case Instrument::Square: {
        const float vib = t > 0.18f ? 0.004f * oscSine(5.5f * t) : 0.0f;
        return (0.55f * oscSquare(phase * (1 + vib), step) + 0.45f * oscTriangle(phase)) *
               envelopeAdsr(t, hold, 0.01f, 0.1f, 0.7f, 0.08f);
    }
    case Instrument::Flute: {
        const float vib = 0.006f * oscSine(5.0f * t) * std::min(1.0f, t * 3);
        return (0.8f * oscSine(phase * (1 + vib)) + 0.2f * oscTriangle(2 * phase)) *
               envelopeAdsr(t, hold, 0.05f, 0.1f, 0.8f, 0.12f);
    }
    case Instrument::Bell: {
        const float mod = 2.0f * envelopeDecay(t, 0.001f, 0.4f) * oscSine(3.5f * phase);
        const float tailFade = std::clamp((hold + 2.0f - t) / 0.4f, 0.0f, 1.0f);  // ends inside its release
        return oscSine(phase + mod / kTwoPi) * envelopeDecay(t, 0.002f, 0.6f) * tailFade;
    }
    case Instrument::Marimba:
        return (oscSine(phase) * envelopeDecay(t, 0.002f, 0.35f) + 0.3f * oscSine(4 * phase) * envelopeDecay(t, 0.001f, 0.05f));
    case Instrument::Organ:
    case Instrument::PadOrgan:
        return (0.6f * oscSine(phase) + 0.3f * oscSine(2 * phase) + 0.15f * oscSine(3 * phase) +
                0.1f * oscSine(4 * phase)) *
               envelopeAdsr(t, hold, inst == Instrument::PadOrgan ? 0.2f : 0.02f, 0.05f, 0.9f, 0.08f);
    case Instrument::Bass:
        return (0.7f * oscTriangle(phase) + 0.3f * oscSine(phase)) * envelopeAdsr(t, hold, 0.005f, 0.2f, 0.7f, 0.06f);
    case Instrument::Pad: {
        const float s = 0.5f * oscSaw(phase, step) + 0.5f * oscSaw(phase * 1.006f, step);
        return s * envelopeAdsr(t, hold, 0.35f, 0.3f, 0.8f, 0.5f);
    }
    default:
        return 0.0f;
    }
}

// Plucked string: Karplus-Strong, seeded per note so it is repeatable.
void renderPluck(const NoteEvent &n, Samples &out, size_t start, uint64_t seed)
{
    const int period = std::max(2, static_cast<int>(std::lround(kRate / n.frequency)));
    Random rng(seed);
    std::vector<float> line(period);
    for (float &v : line) v = rng.range(-1, 1);
    const size_t count = static_cast<size_t>((n.length + 0.8) * kRate);
    float last = 0;
    for (size_t i = 0; i < count && start + i < out.size(); ++i) {
        const size_t k = i % period;
        const float v = line[k];
        line[k] = 0.498f * (v + last);
        last = v;
        const float t = float(i) / kRate;
        const float damp = t < n.length ? 1.0f : std::exp(-(t - n.length) / 0.15f);
        out[start + i] += v * damp;
    }
}

void renderDrum(const NoteEvent &n, Samples &out, size_t start, uint64_t seed)
{
    Random rng(seed);
    Biquad hp;
    hp.highPass(kRate, n.instrument == Instrument::Shaker ? 5000.0f : 7000.0f, 0.7f);
    Biquad bp;
    bp.bandPass(kRate, 1800, 0.8f);
    const float seconds = n.instrument == Instrument::Kick ? 0.35f : (n.instrument == Instrument::Snare ? 0.25f : 0.09f);
    const size_t count = static_cast<size_t>(seconds * kRate);
    float phase = 0;
    for (size_t i = 0; i < count && start + i < out.size(); ++i) {
        const float t = float(i) / kRate;
        float v = 0;
        switch (n.instrument) {
        case Instrument::Kick:
            phase += (45 + 90 * std::exp(-t * 30)) / kRate;
            v = oscSine(phase) * envelopeDecay(t, 0.001f, 0.12f);
            break;
        case Instrument::Snare:
            phase += 190.0f / kRate;
            v = (0.6f * bp.run(rng.range(-1, 1)) * 2.5f + 0.4f * oscSine(phase)) *
                envelopeDecay(t, 0.001f, n.frequency > 0.5f ? 0.03f : 0.07f);
            break;
        default:
            v = hp.run(rng.range(-1, 1)) * envelopeDecay(t, n.instrument == Instrument::Shaker ? 0.01f : 0.001f, 0.025f);
            break;
        }
        out[start + i] += v;
    }
}

// Mono note into its own buffer, then spread by pan onto the buses.
void renderNote(const NoteEvent &n, uint64_t seed, StereoMix &dry, StereoMix &reverb, Samples &echo)
{
    const Voicing vo = voicingOf(n.instrument);
    const size_t start = static_cast<size_t>(n.start * kRate);
    // Only as long as the note can sound: held time plus its ring-out.
    const double ring = n.instrument == Instrument::Pluck ? 0.8 : (n.instrument >= Instrument::Kick ? 0.35 : vo.release);
    Samples note(static_cast<size_t>((n.length + ring) * kRate) + 1, 0.0f);
    if (n.instrument == Instrument::Pluck) {
        renderPluck(n, note, 0, seed);
    } else if (n.instrument >= Instrument::Kick) {
        renderDrum(n, note, 0, seed);
    } else {
        const float step = n.frequency / kRate;
        float phase = 0;
        const size_t count = static_cast<size_t>((n.length + vo.release) * kRate);
        for (size_t i = 0; i < count && i < note.size(); ++i) {
            note[i] = tone(n.instrument, float(i) / kRate, static_cast<float>(n.length), phase, step);
            phase += step;
        }
    }
    const float g = vo.gain * n.velocity;
    const float left = g * std::sqrt(0.5f * (1 - n.pan)), right = g * std::sqrt(0.5f * (1 + n.pan));
    for (size_t i = 0; i < note.size() && start + i < dry.left.size(); ++i) {
        const float v = note[i];
        if (v == 0.0f) continue;
        dry.left[start + i] += v * left;
        dry.right[start + i] += v * right;
        reverb.left[start + i] += v * left * vo.reverbSend;
        reverb.right[start + i] += v * right * vo.reverbSend;
        echo[start + i] += v * g * vo.echoSend;
    }
}

// Schroeder room: four combs and two all-passes per side, slightly
// different lengths left and right for width.
Samples roomReverb(const Samples &in, int offset)
{
    const std::array<int, 4> combLengths = {1557 + offset, 1617 + offset, 1491 + offset, 1422 + offset};
    const std::array<int, 2> allLengths = {225 + offset / 2, 556 + offset / 2};
    Samples out(in.size(), 0.0f);
    for (int len : combLengths) {
        std::vector<float> buf(len, 0.0f);
        float store = 0;
        for (size_t i = 0; i < in.size(); ++i) {
            const size_t k = i % len;
            const float y = buf[k];
            store = y * 0.75f + store * 0.25f;
            buf[k] = in[i] + store * 0.8f;
            out[i] += y * 0.25f;
        }
    }
    for (int len : allLengths) {
        std::vector<float> buf(len, 0.0f);
        for (size_t i = 0; i < out.size(); ++i) {
            const size_t k = i % len;
            const float b = buf[k];
            buf[k] = out[i] + b * 0.5f;
            out[i] = b - out[i] * 0.5f;
        }
    }
    return out;
}

}  // namespace

StereoMix renderArrangement(const Arrangement &arrangement)
{
    const size_t loop = static_cast<size_t>(std::lround(arrangement.loopSeconds * kRate));
    const size_t total = loop + static_cast<size_t>(kTailSeconds * kRate);
    StereoMix dry{Samples(total, 0.0f), Samples(total, 0.0f)};
    StereoMix send{Samples(total, 0.0f), Samples(total, 0.0f)};
    Samples echo(total, 0.0f);
    uint64_t seed = 1;
    for (const NoteEvent &n : arrangement.notes) renderNote(n, seed++, dry, send, echo);

    // Lead echo: a dotted-eighth-ish bounce, alternating sides.
    const size_t delay = static_cast<size_t>(0.28 * kRate);
    for (size_t i = delay; i < total; ++i) echo[i] += echo[i - delay] * 0.35f;
    for (size_t i = delay; i < total; ++i) {
        dry.left[i] += echo[i - delay] * 0.5f;
        dry.right[i] += echo[i - delay / 2] * 0.5f;
    }
    const Samples wetL = roomReverb(send.left, 0), wetR = roomReverb(send.right, 23);
    for (size_t i = 0; i < total; ++i) {
        dry.left[i] += wetL[i] * 0.6f;
        dry.right[i] += wetR[i] * 0.6f;
    }
    // Fold the tail onto the start: the loop's end now rings into its start
    // exactly as it will when the game plays it round again.
    StereoMix out{Samples(dry.left.begin(), dry.left.begin() + loop), Samples(dry.right.begin(), dry.right.begin() + loop)};
    for (size_t i = loop; i < total; ++i) {
        out.left[(i - loop) % loop] += dry.left[i];
        out.right[(i - loop) % loop] += dry.right[i];
    }
    float peak = 0;
    for (size_t i = 0; i < loop; ++i) peak = std::max(peak, std::max(std::fabs(out.left[i]), std::fabs(out.right[i])));
    if (peak > 0) {
        const float k = 0.85f / peak;
        for (size_t i = 0; i < loop; ++i) {
            out.left[i] *= k;
            out.right[i] *= k;
        }
    }
    return out;
}

void generateMusic(const char *trackName)
{
    const std::string name = trackName;
    std::string text, error;
    if (!readSourceText("music/" + name + ".tune", text)) return;
    TuneSpec tune;
    if (!readTune(text, tune, error)) {
        std::printf("contentgen: music/%s.tune %s\n", name.c_str(), error.c_str());
        return;
    }
    const Arrangement arrangement = composeTune(tune);
    const StereoMix mix = renderArrangement(arrangement);
    std::printf("contentgen: music/%s.ogg loops after %.1f s (%zu notes)\n", name.c_str(), arrangement.loopSeconds,
                arrangement.notes.size());
    writeOgg("music/" + name + ".ogg", mix.left, mix.right, kRate, kVorbisQuality);
}
