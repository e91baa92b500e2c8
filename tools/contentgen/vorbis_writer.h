// Encodes stereo float audio to an Ogg Vorbis file in the data tree. The
// stream's serial number is fixed so the same audio gives the same bytes.
#pragma once

#include "sound_synth.h"

#include <string>

bool writeOgg(const std::string &relative, const Samples &left, const Samples &right, int rate, float quality);
