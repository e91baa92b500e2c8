// The music synthesizer: renders an arrangement's notes with a handful of
// instruments, a lead echo and a small room reverb into stereo, folded so
// that the end of the loop runs seamlessly into its start.
#pragma once

#include "music_score.h"
#include "sound_synth.h"

struct StereoMix {
    Samples left, right;
};

constexpr int kMusicRate = 44100;

// Exactly loopSeconds x kMusicRate samples; whatever rings past the loop
// point (note tails, echoes, reverb) is added back onto the start.
StereoMix renderArrangement(const Arrangement &arrangement);
