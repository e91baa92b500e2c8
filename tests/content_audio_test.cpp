// The generated sounds and music: every effect the game plays loads through
// the sound layer and is heard when played; every music track is a loop of one to two minutes whose end runs
// into its start without a click, and streams.
#include "core/sound_layer.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(QUILLMOOR_BINARY_DIR) + "/data/";

const char *const kEffects[] = {"fuit.wav",  "tir.wav",       "tir2.wav",       "rebound.wav", "transit.wav",
                                "air.wav",   "star.wav",      "water.wav",      "inthetrou.wav", "boom.wav",
                                "inthetrouloose.wav", "trou.wav", "bumper.wav"};

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

// Heard through the game's own sound layer (rendered offline, no device).
TEST(ContentAudio, TheSoundLayerLoadsAndPlaysEveryGeneratedFile)
{
    ASSERT_TRUE(soundInitLoopback(44100, 16));
    std::vector<float> frames(2 * 4410);
    for (const char *name : kEffects) {
        SCOPED_TRACE(name);
        SoundSample *sample = soundSampleLoad((kData + "sounds/" + name).c_str());
        ASSERT_NE(sample, nullptr);
        const int channel = soundPlaySample(sample);
        ASSERT_GE(channel, 0);
        soundSetFrequency(channel, 40000);
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
