// The generated sounds and music: every effect sample is mono 16-bit at a
// rate between the frequencies the game plays it at (so it never sounds far
// off its design), and is audible without clipping; every music track is a
// loop of one to two minutes whose end runs into its start without a click.
#include "core/sound_layer.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

struct Effect {
    const char *file;
    int lowestPlay, highestPlay;  // Hz, as the game's events play it
};

// From the game's effect events (power 0..12, rebound speeds up to 10 units/s).
const Effect kEffects[] = {
    {"fuit.wav", 40000, 40000},   {"tir.wav", 40000, 52000},      {"tir2.wav", 40000, 60000},
    {"rebound.wav", 40000, 100000}, {"transit.wav", 5000, 5000},  {"air.wav", 30000, 30000},
    {"star.wav", 30000, 30000},   {"water.wav", 20000, 20000},    {"inthetrou.wav", 22000, 22000},
    {"boom.wav", 80000, 90000},   {"inthetrouloose.wav", 22000, 22000}, {"trou.wav", 20000, 22000},
    {"bumper.wav", 30000, 30000},
};

const char *const kTracks[] = {"title", "score", "world1", "world2", "world3", "world4", "world5"};

struct Track {
    int channels = 0;
    long rate = 0;
    std::vector<float> samples;  // interleaved
};

bool decodeOgg(const std::string &path, Track &t)
{
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return false;
    const vorbis_info *vi = ov_info(&vf, -1);
    t.channels = vi->channels;
    t.rate = vi->rate;
    int section = 0;
    float **pcm = nullptr;
    long n;
    while ((n = ov_read_float(&vf, &pcm, 4096, &section)) > 0)
        for (long i = 0; i < n; ++i)
            for (int c = 0; c < t.channels; ++c) t.samples.push_back(pcm[c][i]);
    ov_clear(&vf);
    return true;
}

double rms(const std::vector<float> &s, size_t from, size_t count)
{
    double sum = 0;
    for (size_t i = from; i < from + count && i < s.size(); ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / std::max<size_t>(1, count));
}

}  // namespace

TEST(ContentAudio, EffectsAreMonoSixteenBitAtTheirPlayRatesAndAudible)
{
    for (const Effect &e : kEffects) {
        SCOPED_TRACE(e.file);
        SF_INFO info{};
        SNDFILE *f = sf_open((kData + "sounds/" + e.file).c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr) << "missing or unreadable";
        std::vector<short> pcm(static_cast<size_t>(info.frames * info.channels));
        sf_read_short(f, pcm.data(), static_cast<sf_count_t>(pcm.size()));
        sf_close(f);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16);
        EXPECT_GE(info.samplerate, e.lowestPlay);
        EXPECT_LE(info.samplerate, e.highestPlay);
        int peak = 0, clipped = 0;
        double energy = 0;
        for (short v : pcm) {
            peak = std::max(peak, std::abs(int(v)));
            if (std::abs(int(v)) >= 32767) ++clipped;
            energy += double(v) * v;
        }
        EXPECT_GT(peak, 10000) << "too quiet to hear";
        EXPECT_LT(clipped, 3) << "clipped";
        EXPECT_GT(std::sqrt(energy / std::max<size_t>(1, pcm.size())), 600.0) << "mostly silence";
        const double seconds = double(info.frames) / info.samplerate;
        EXPECT_GT(seconds, 0.05);
        EXPECT_LT(seconds, 3.0) << "an effect, not a song";
    }
}

TEST(ContentAudio, MusicTracksLoopSeamlesslyForOneToTwoMinutes)
{
    for (const char *name : kTracks) {
        SCOPED_TRACE(name);
        Track t;
        ASSERT_TRUE(decodeOgg(kData + "music/" + name + ".ogg", t)) << "missing or undecodable";
        ASSERT_GE(t.channels, 1);
        const size_t frames = t.samples.size() / t.channels;
        const double seconds = double(frames) / t.rate;
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 120.0);
        // No silence at either end: a gap would be heard at every turn of the loop.
        const size_t quarter = static_cast<size_t>(t.rate / 4) * t.channels;
        EXPECT_GT(rms(t.samples, 0, quarter), 0.01);
        EXPECT_GT(rms(t.samples, t.samples.size() - quarter, quarter), 0.01);
        // The jump from the last frame to the first is no larger than the
        // largest step between neighbouring frames around the seam.
        for (int c = 0; c < t.channels; ++c) {
            auto at = [&](size_t frame) { return t.samples[frame * t.channels + c]; };
            float largest = 0;
            for (size_t i = 0; i + 1 < 2048; ++i) {
                largest = std::max(largest, std::fabs(at(i + 1) - at(i)));
                largest = std::max(largest, std::fabs(at(frames - 1 - i) - at(frames - 2 - i)));
            }
            EXPECT_LE(std::fabs(at(0) - at(frames - 1)), largest * 1.05f + 0.002f) << "click at the seam, channel " << c;
        }
    }
}

// Heard through the game's own sound layer (rendered offline, no device):
// each effect loads with its rate and, played at the frequency of its
// commonest event, makes sound; each track streams.
TEST(ContentAudio, TheSoundLayerLoadsAndPlaysEveryGeneratedFile)
{
    ASSERT_TRUE(soundInitLoopback(44100, 16));
    std::vector<float> frames(2 * 4410);
    for (const Effect &e : kEffects) {
        SCOPED_TRACE(e.file);
        SoundSample *sample = soundSampleLoad((kData + "sounds/" + e.file).c_str());
        ASSERT_NE(sample, nullptr);
        const int channel = soundPlaySample(sample);
        ASSERT_GE(channel, 0);
        soundSetFrequency(channel, e.lowestPlay);
        soundSetVolume(channel, 250);
        soundSetPan(channel, 128);
        soundUpdate();
        soundRender(frames.data(), 4410);
        EXPECT_GT(rms(frames, 0, frames.size()), 0.005) << "silent when played";
        soundSampleFree(sample);
    }
    for (const char *name : kTracks) {
        SCOPED_TRACE(name);
        SoundStream *stream = soundStreamOpen((kData + "music/" + name + ".ogg").c_str());
        ASSERT_NE(stream, nullptr);
        const int channel = soundStreamPlay(stream);
        ASSERT_GE(channel, 0);
        soundSetVolume(channel, 250);
        for (int i = 0; i < 5; ++i) {
            soundUpdate();
            soundRender(frames.data(), 4410);
        }
        EXPECT_GT(rms(frames, 0, frames.size()), 0.005) << "the track is silent";
        soundStreamClose(stream);
    }
    soundClose();
}
