#include "sound_synth.h"

#include "file_output.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

float polyBlep(float t, float dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float fraction(float x) { return x - std::floor(x); }

// libsndfile writes through these callbacks into memory, so the file can go
// through the data tree's write-if-changed path.
struct MemoryFile {
    std::vector<unsigned char> bytes;
    sf_count_t position = 0;
};

sf_count_t memLength(void *user) { return static_cast<sf_count_t>(static_cast<MemoryFile *>(user)->bytes.size()); }
sf_count_t memSeek(sf_count_t offset, int whence, void *user)
{
    auto *m = static_cast<MemoryFile *>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : (whence == SEEK_CUR ? m->position : memLength(user));
    m->position = std::max<sf_count_t>(0, base + offset);
    return m->position;
}
sf_count_t memRead(void *ptr, sf_count_t count, void *user)
{
    auto *m = static_cast<MemoryFile *>(user);
    const sf_count_t n = std::max<sf_count_t>(0, std::min(count, memLength(user) - m->position));
    if (n > 0) std::memcpy(ptr, m->bytes.data() + m->position, static_cast<size_t>(n));
    m->position += n;
    return n;
}
sf_count_t memWrite(const void *ptr, sf_count_t count, void *user)
{
    auto *m = static_cast<MemoryFile *>(user);
    const size_t end = static_cast<size_t>(m->position + count);
    if (m->bytes.size() < end) m->bytes.resize(end);
    std::memcpy(m->bytes.data() + m->position, ptr, static_cast<size_t>(count));
    m->position += count;
    return count;
}
sf_count_t memTell(void *user) { return static_cast<MemoryFile *>(user)->position; }

}  // namespace

// A table with linear steps: within 1e-6 of the true sine, and several
// times faster, which the minutes of music need.
float oscSine(float phase)
{
    constexpr int kSize = 4096;
    static const std::vector<float> table = [] {
        std::vector<float> t(kSize + 1);
        for (int i = 0; i <= kSize; ++i) t[i] = static_cast<float>(std::sin(kTwoPi * double(i) / kSize));
        return t;
    }();
    const float p = fraction(phase) * kSize;
    const int i = std::min(static_cast<int>(p), kSize - 1);
    return table[i] + (table[i + 1] - table[i]) * (p - i);
}

float oscTriangle(float phase)
{
    const float p = fraction(phase);
    return p < 0.5f ? 4 * p - 1 : 3 - 4 * p;
}

float oscSquare(float phase, float step)
{
    const float p = fraction(phase);
    float v = p < 0.5f ? 1.0f : -1.0f;
    v += polyBlep(p, step);
    v -= polyBlep(fraction(p + 0.5f), step);
    return v;
}

float oscSaw(float phase, float step)
{
    const float p = fraction(phase);
    return 2 * p - 1 - polyBlep(p, step);
}

float envelopeAdsr(float t, float hold, float attack, float decay, float sustain, float release)
{
    if (t < 0) return 0;
    auto held = [&](float u) {
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1 - (1 - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < hold) return held(t);
    const float r = t - hold;
    return r < release ? held(hold) * (1 - r / release) : 0.0f;
}

float envelopeDecay(float t, float attack, float decayTime)
{
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decayTime);
}

void Biquad::lowPass(float rate, float cutoff, float q)
{
    const float w = kTwoPi * std::min(cutoff, rate * 0.45f) / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const float a0 = 1 + alpha;
    b0 = (1 - c) / 2 / a0; b1 = (1 - c) / a0; b2 = b0; a1 = -2 * c / a0; a2 = (1 - alpha) / a0;
}

void Biquad::highPass(float rate, float cutoff, float q)
{
    const float w = kTwoPi * std::min(cutoff, rate * 0.45f) / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const float a0 = 1 + alpha;
    b0 = (1 + c) / 2 / a0; b1 = -(1 + c) / a0; b2 = b0; a1 = -2 * c / a0; a2 = (1 - alpha) / a0;
}

void Biquad::bandPass(float rate, float centre, float q)
{
    const float w = kTwoPi * std::min(centre, rate * 0.45f) / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const float a0 = 1 + alpha;
    b0 = alpha / a0; b1 = 0; b2 = -alpha / a0; a1 = -2 * c / a0; a2 = (1 - alpha) / a0;
}

float Biquad::run(float x)
{
    const float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1; x1 = x; y2 = y1; y1 = y;
    return y;
}

void OnePole::set(float rate, float cutoff) { a = 1 - std::exp(-kTwoPi * cutoff / rate); }

void normalise(Samples &s, float peak)
{
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top <= 0) return;
    for (float &v : s) v *= peak / top;
}

void fadeEnds(Samples &s, int n)
{
    n = std::min<int>(n, static_cast<int>(s.size() / 2));
    for (int i = 0; i < n; ++i) {
        const float k = float(i) / n;
        s[i] *= k;
        s[s.size() - 1 - i] *= k;
    }
}

bool writeWav(const std::string &relative, const Samples &s, int rate)
{
    MemoryFile mem;
    SF_VIRTUAL_IO io{memLength, memSeek, memRead, memWrite, memTell};
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *f = sf_open_virtual(&io, SFM_WRITE, &info, &mem);
    if (!f) return false;
    std::vector<short> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        pcm[i] = static_cast<short>(std::lround(std::clamp(s[i], -1.0f, 1.0f) * 32767.0f));
    const bool ok = sf_write_short(f, pcm.data(), static_cast<sf_count_t>(pcm.size())) ==
                    static_cast<sf_count_t>(pcm.size());
    sf_close(f);
    return ok && writeOutputFile(relative, mem.bytes.data(), mem.bytes.size());
}
