// The sound layer on OpenAL Soft. Each channel is one OpenAL source created at start-up; a sample is
// one OpenAL buffer; a music stream owns a small ring of buffers that soundUpdate refills from the
// .ogg decoder. Samples and streams live in fixed pools, so handles are pointers into those pools.
#include "core/sound_layer.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <AL/efx.h>
#include <sndfile.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr float kLayerVersion = 3.75f;
constexpr int kStreamBuffers = 8;           // 1 s buffered in 1/8 s pieces: a frame decodes little
constexpr int kStreamChunkBytes = 1 << 16;  // largest single buffer: 1/3 s of 48 kHz stereo
constexpr int kMaxSampleFrames = 48000 * 120;  // two minutes: longer "effects" are refused
constexpr float kPanAngleDegrees = 60.0f;   // pan 0 and 255 put the sound this far left or right
constexpr int kCentrePan = 128;
constexpr int kMaxVolume = 255;
constexpr float kDegreesToRadians = 0.017453292f;

}  // namespace

struct SoundSample {
  bool used = false;
  ALuint buffer = 0;
  int rate = 0;      // the file's own sample rate, Hz
  int channels = 0;  // 1 or 2
};

struct SoundStream {
  bool used = false;
  OggVorbis_File file{};
  std::array<ALuint, kStreamBuffers> buffers{};  // made once with the mixer, reused by every track
  int rate = 0;
  int channels = 0;
  int channel = -1;  // channel it plays on, -1 before soundStreamPlay
};

namespace {

struct Channel {
  ALuint source = 0;
  const SoundSample* sample = nullptr;  // one-shot attached to this channel, if any
  SoundStream* stream = nullptr;        // music attached to this channel, if any
  bool pending = false;                 // starts at the next soundUpdate
  int frequency = 0;                    // Hz
  int volume = kMaxVolume;
  int pan = kCentrePan;
};

// The open mixer; set by soundInit/soundInitLoopback, cleared by soundClose.
struct Mixer {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  LPALCRENDERSAMPLESSOFT render = nullptr;  // only for a loopback mixer
  int channelCount = 0;
  int streamBufferMs = 1000;  // survives soundClose: it is a setting, not a resource
};

Mixer mixer;
// The channels, and the pools that sample and stream handles point into: filled by soundInit,
// emptied by soundClose; a pool entry is reused once its handle has been freed or closed.
std::array<Channel, kSoundMaxChannels> channels;
std::array<SoundSample, kSoundMaxSamples> samples;
std::array<SoundStream, kSoundMaxStreams> streams;
int lastError = SoundNoError;  // code of the last failing call; cleared by soundInit
std::array<char, kStreamChunkBytes> decodeScratch;  // one buffer's worth of decoded music

constexpr std::array<const char*, SoundMissingCodec + 1> kErrorTexts = {
    "No errors",
    "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
    "This command failed because FSOUND_Init was not called",
    "Error initializing output device.",
    "The output device is already in use and cannot be reused.",
    "Playing the sound failed.",
    "Soundcard does not support the features needed for this soundsystem (16bit stereo output)",
    "Error setting cooperative level for hardware.",
    "Error creating hardware sound buffer.",
    "File not found",
    "Unknown file format",
    "Error loading file",
    "Not enough memory ",
    "The version number of this file format is not supported",
    "An invalid parameter was passed to this function",
    "Tried to use an EAX command on a non EAX enabled channel or output.",
    "Failed to allocate a new channel",
    "Recording not supported on this device",
    "Required Mediaplayer codec is not installed",
};

template <typename T>
T fail(SoundError code, T result) {
  lastError = code;
  return result;
}

bool channelValid(int channel) {
  return mixer.context != nullptr && channel >= 0 && channel < mixer.channelCount &&
         (channels[channel].sample != nullptr || channels[channel].stream != nullptr);
}

ALint sourceState(const Channel& ch) {
  ALint state = AL_INITIAL;
  alGetSourcei(ch.source, AL_SOURCE_STATE, &state);
  return state;
}

bool channelBusy(const Channel& ch) {
  return ch.pending || ch.stream != nullptr || sourceState(ch) == AL_PLAYING;
}

int freeChannel() {
  for (int i = 0; i < mixer.channelCount; ++i) {
    if (!channelBusy(channels[i])) return i;
  }
  return -1;
}

// Pushes a channel's frequency, volume and pan to its source. Pan places a mono sound on a circle
// around the listener (relative to it, so no distance fall-off): 0 and 255 are the far ends.
void applyChannel(const Channel& ch, int fileRate) {
  alSourcef(ch.source, AL_PITCH, fileRate > 0 ? static_cast<float>(ch.frequency) / fileRate : 1.0f);
  alSourcef(ch.source, AL_GAIN, static_cast<float>(ch.volume) / kMaxVolume);
  const float side = ch.pan >= kCentrePan ? (ch.pan - kCentrePan) / float(kMaxVolume - kCentrePan)
                                          : (ch.pan - kCentrePan) / float(kCentrePan);
  const float angle = side * kPanAngleDegrees * kDegreesToRadians;
  alSource3f(ch.source, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
}

int channelRate(const Channel& ch) {
  if (ch.sample != nullptr) return ch.sample->rate;
  if (ch.stream != nullptr) return ch.stream->rate;
  return 0;
}

// Detaches whatever plays on a channel and leaves it free.
void releaseChannel(Channel& ch) {
  // Rewinding leaves the source "initial": a stopped source would count every buffer queued on it
  // later as already played.
  alSourceRewind(ch.source);
  alSourcei(ch.source, AL_BUFFER, 0);
  ch.sample = nullptr;
  ch.stream = nullptr;
  ch.pending = false;
}

// Makes a channel ready for a new sound at its own rate, centred, full volume, waiting for start.
void prepareChannel(Channel& ch, int rate, int fileChannels) {
  ch.frequency = rate;
  ch.volume = kMaxVolume;
  ch.pan = kCentrePan;
  ch.pending = true;
  alSourcei(ch.source, AL_DIRECT_CHANNELS_SOFT, fileChannels == 2 ? AL_TRUE : AL_FALSE);
  applyChannel(ch, rate);
  alGetError();  // a missing direct-channels extension is harmless: stereo still plays
}

bool sampleValid(const SoundSample* sample) {
  return sample != nullptr && sample >= samples.data() && sample < samples.data() + samples.size() &&
         sample->used;
}

bool streamValid(const SoundStream* stream) {
  return stream != nullptr && stream >= streams.data() && stream < streams.data() + streams.size() &&
         stream->used;
}

// Opens the context on a device that is already open and creates the channels and stream buffers.
bool openMixer(ALCdevice* device, const ALCint* attributes, int maxChannels) {
  ALCcontext* context = alcCreateContext(device, attributes);
  if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
    if (context != nullptr) alcDestroyContext(context);
    alcCloseDevice(device);
    return fail(SoundDeviceInitFailed, false);
  }
  mixer.device = device;
  mixer.context = context;
  alDistanceModel(AL_NONE);
  mixer.channelCount = 0;
  for (int i = 0; i < maxChannels; ++i) {
    Channel& ch = channels[i];
    ch = Channel{};
    alGetError();
    alGenSources(1, &ch.source);
    if (alGetError() != AL_NO_ERROR) break;
    alSourcei(ch.source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(ch.source, AL_ROLLOFF_FACTOR, 0.0f);
    mixer.channelCount = i + 1;
  }
  for (SoundStream& stream : streams) {
    stream = SoundStream{};
    alGenBuffers(kStreamBuffers, stream.buffers.data());
  }
  if (mixer.channelCount == 0 || alGetError() != AL_NO_ERROR) {
    soundClose();
    return fail(SoundBufferCreateFailed, false);
  }
  return true;
}

int clampedChannels(int maxChannels) { return std::clamp(maxChannels, 1, kSoundMaxChannels); }

// --- music decoding ---

constexpr int kHostBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 1 : 0;

int streamChunkBytes(const SoundStream& stream) {
  const int frameBytes = 2 * stream.channels;
  const long wanted = static_cast<long>(stream.rate) * frameBytes * mixer.streamBufferMs / 1000 /
                      kStreamBuffers;
  const long capped = std::clamp<long>(wanted, frameBytes, kStreamChunkBytes);
  return static_cast<int>(capped - capped % frameBytes);
}

// Decodes the next stretch of the track into a buffer, wrapping to the start at the end of the file
// inside the same buffer, so the loop point has no gap. Returns false when nothing could be decoded.
bool fillStreamBuffer(SoundStream& stream, ALuint buffer) {
  const int chunk = streamChunkBytes(stream);
  int filled = 0;
  int idleReads = 0;  // reads that gave nothing; a broken or empty file must not spin forever
  while (filled < chunk && idleReads < 4) {
    int section = 0;
    const long got = ov_read(&stream.file, decodeScratch.data() + filled, chunk - filled,
                             kHostBigEndian, 2, 1, &section);
    const vorbis_info* link = ov_info(&stream.file, section);
    const bool sameLayout = link != nullptr && link->channels == stream.channels;
    if (got > 0 && sameLayout) {
      filled += static_cast<int>(got);
      idleReads = 0;
    } else if (got >= 0) {
      // The end of the track, or a chained part laid out differently: back to the start.
      ++idleReads;
      if (ov_pcm_seek(&stream.file, 0) != 0) break;
    } else {
      ++idleReads;  // a hole in the data: skip it
    }
  }
  if (filled == 0) return false;
  const ALenum format = stream.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer, format, decodeScratch.data(), filled, stream.rate);
  return alGetError() == AL_NO_ERROR;
}

// Puts every processed buffer back behind the playing ones, and restarts a track that ran dry
// (a frame that took longer than the whole buffer).
void refillStream(SoundStream& stream) {
  Channel& ch = channels[stream.channel];
  ALint processed = 0;
  alGetSourcei(ch.source, AL_BUFFERS_PROCESSED, &processed);
  for (int i = 0; i < processed; ++i) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(ch.source, 1, &buffer);
    if (fillStreamBuffer(stream, buffer)) alSourceQueueBuffers(ch.source, 1, &buffer);
  }
  ALint queued = 0;
  alGetSourcei(ch.source, AL_BUFFERS_QUEUED, &queued);
  if (queued > 0 && sourceState(ch) != AL_PLAYING) alSourcePlay(ch.source);
}

SoundError streamOpenError(int result) {
  if (result == -1) return SoundFileNotFound;  // the file itself would not open
  if (result == OV_ENOTVORBIS) return SoundUnknownFormat;
  if (result == OV_EVERSION) return SoundFormatVersion;
  return SoundLoadFailed;
}

SoundError sampleOpenError(const char* path) {
  if (std::FILE* probe = std::fopen(path, "rb")) {
    std::fclose(probe);
    return sf_error(nullptr) == SF_ERR_UNRECOGNISED_FORMAT ? SoundUnknownFormat : SoundLoadFailed;
  }
  return SoundFileNotFound;
}

}  // namespace

float soundVersion() { return kLayerVersion; }

// The library gives every voice mixing buffers for each effect send: the game uses no effects,
// so it asks for no sends, which saves the mixer most of a mebibyte of heap.
bool soundInit(int mixRate, int maxChannels, const char* deviceName) {
  if (mixer.context != nullptr) return fail(SoundAlreadyInitialised, false);
  lastError = SoundNoError;
  ALCdevice* device = alcOpenDevice(deviceName);
  if (device == nullptr) return fail(SoundDeviceInitFailed, false);
  const int count = clampedChannels(maxChannels);
  const ALCint attributes[] = {ALC_FREQUENCY, mixRate, ALC_MONO_SOURCES, count, ALC_STEREO_SOURCES, count,
                               ALC_MAX_AUXILIARY_SENDS, 0, ALC_HRTF_SOFT, ALC_FALSE, 0};
  return openMixer(device, attributes, count);
}

bool soundInitLoopback(int mixRate, int maxChannels) {
  if (mixer.context != nullptr) return fail(SoundAlreadyInitialised, false);
  lastError = SoundNoError;
  if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) {
    return fail(SoundOutputUnsupported, false);
  }
  auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
      alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
      alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  ALCdevice* device = openLoopback != nullptr ? openLoopback(nullptr) : nullptr;
  if (device == nullptr || render == nullptr) return fail(SoundDeviceInitFailed, false);
  const int count = clampedChannels(maxChannels);
  // Float output: no dithering and no limiter, so what is rendered is exactly what was mixed.
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
                               ALC_FREQUENCY,            mixRate,
                               ALC_MONO_SOURCES,         count,
                               ALC_STEREO_SOURCES,       count,
                               ALC_MAX_AUXILIARY_SENDS,  0,
                               ALC_HRTF_SOFT,            ALC_FALSE,
                               ALC_OUTPUT_LIMITER_SOFT,  ALC_FALSE,
                               0};
  if (!openMixer(device, attributes, count)) return false;
  mixer.render = render;
  return true;
}

void soundRender(float* stereoFrames, int frameCount) {
  if (mixer.render == nullptr) {
    std::fill(stereoFrames, stereoFrames + 2 * std::max(frameCount, 0), 0.0f);
    lastError = SoundNotInitialised;
    return;
  }
  mixer.render(mixer.device, stereoFrames, frameCount);
}

int soundGetError() { return lastError; }

const char* soundErrorText(int code) {
  if (code < 0 || code >= static_cast<int>(kErrorTexts.size())) return "Unknown error";
  return kErrorTexts[code];
}

bool soundIsOpen() { return mixer.context != nullptr; }

void soundClose() {
  if (mixer.context == nullptr) {
    lastError = SoundNotInitialised;
    return;
  }
  for (SoundStream& stream : streams) {
    if (stream.used) soundStreamClose(&stream);
    alDeleteBuffers(kStreamBuffers, stream.buffers.data());
    stream = SoundStream{};
  }
  for (SoundSample& sample : samples) {
    if (sample.used) soundSampleFree(&sample);
  }
  for (int i = 0; i < mixer.channelCount; ++i) {
    alDeleteSources(1, &channels[i].source);
    channels[i] = Channel{};
  }
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(mixer.context);
  alcCloseDevice(mixer.device);
  const int bufferMs = mixer.streamBufferMs;
  mixer = Mixer{};
  mixer.streamBufferMs = bufferMs;
}

void soundSetStreamBufferSize(int milliseconds) {
  if (milliseconds <= 0) {
    lastError = SoundInvalidParameter;
    return;
  }
  mixer.streamBufferMs = milliseconds;
}

SoundSample* soundSampleLoad(const char* path) {
  if (mixer.context == nullptr) return fail<SoundSample*>(SoundNotInitialised, nullptr);
  if (path == nullptr) return fail<SoundSample*>(SoundInvalidParameter, nullptr);
  auto slot = std::find_if(samples.begin(), samples.end(), [](const SoundSample& s) { return !s.used; });
  if (slot == samples.end()) return fail<SoundSample*>(SoundOutOfMemory, nullptr);
  SF_INFO info{};
  SNDFILE* file = sf_open(path, SFM_READ, &info);
  if (file == nullptr) return fail<SoundSample*>(sampleOpenError(path), nullptr);
  if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0) {
    sf_close(file);
    return fail<SoundSample*>(SoundUnknownFormat, nullptr);
  }
  if (info.frames <= 0 || info.frames > kMaxSampleFrames) {
    sf_close(file);
    return fail<SoundSample*>(info.frames <= 0 ? SoundLoadFailed : SoundOutOfMemory, nullptr);
  }
  std::vector<short> pcm(static_cast<size_t>(info.frames) * info.channels);
  const sf_count_t frames = sf_readf_short(file, pcm.data(), info.frames);
  sf_close(file);
  if (frames <= 0) return fail<SoundSample*>(SoundLoadFailed, nullptr);
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  const ALenum format = info.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  alBufferData(buffer, format, pcm.data(),
               static_cast<ALsizei>(frames * info.channels * sizeof(short)), info.samplerate);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &buffer);
    return fail<SoundSample*>(SoundOutOfMemory, nullptr);
  }
  *slot = SoundSample{true, buffer, info.samplerate, info.channels};
  return &*slot;
}

void soundSampleFree(SoundSample* sample) {
  if (!sampleValid(sample)) {
    lastError = SoundInvalidParameter;
    return;
  }
  for (int i = 0; i < mixer.channelCount; ++i) {
    if (channels[i].sample == sample) releaseChannel(channels[i]);
  }
  alDeleteBuffers(1, &sample->buffer);
  *sample = SoundSample{};
}

int soundSampleRate(const SoundSample* sample) { return sampleValid(sample) ? sample->rate : 0; }

int soundPlaySample(const SoundSample* sample) {
  if (mixer.context == nullptr) return fail(SoundNotInitialised, -1);
  if (!sampleValid(sample)) return fail(SoundInvalidParameter, -1);
  const int index = freeChannel();
  if (index < 0) return fail(SoundNoFreeChannel, -1);
  Channel& ch = channels[index];
  releaseChannel(ch);
  ch.sample = sample;
  alSourcei(ch.source, AL_BUFFER, static_cast<ALint>(sample->buffer));
  prepareChannel(ch, sample->rate, sample->channels);
  return index;
}

namespace {

// Stores one setting of a channel and hands the whole set to OpenAL at once; a channel that
// does not exist, or a value the caller may not give, is refused.
void setChannelSetting(int channel, bool allowed, int Channel::*setting, int value) {
  if (!channelValid(channel) || !allowed) {
    lastError = SoundInvalidParameter;
    return;
  }
  channels[channel].*setting = value;
  applyChannel(channels[channel], channelRate(channels[channel]));
}

}  // namespace

void soundSetFrequency(int channel, int frequency) {
  setChannelSetting(channel, frequency >= 0, &Channel::frequency, frequency);
}

void soundSetVolume(int channel, int volume) {
  setChannelSetting(channel, true, &Channel::volume, std::clamp(volume, 0, kMaxVolume));
}

void soundSetPan(int channel, int pan) {
  setChannelSetting(channel, true, &Channel::pan, std::clamp(pan, 0, kMaxVolume));
}

int soundGetFrequency(int channel) { return channelValid(channel) ? channels[channel].frequency : 0; }
int soundGetVolume(int channel) { return channelValid(channel) ? channels[channel].volume : 0; }
int soundGetPan(int channel) { return channelValid(channel) ? channels[channel].pan : 0; }

bool soundIsPlaying(int channel) {
  return channelValid(channel) && channelBusy(channels[channel]);
}

SoundStream* soundStreamOpen(const char* path) {
  if (mixer.context == nullptr) return fail<SoundStream*>(SoundNotInitialised, nullptr);
  if (path == nullptr) return fail<SoundStream*>(SoundInvalidParameter, nullptr);
  auto slot = std::find_if(streams.begin(), streams.end(), [](const SoundStream& s) { return !s.used; });
  if (slot == streams.end()) return fail<SoundStream*>(SoundOutOfMemory, nullptr);
  const int result = ov_fopen(path, &slot->file);
  if (result != 0) return fail<SoundStream*>(streamOpenError(result), nullptr);
  const vorbis_info* info = ov_info(&slot->file, -1);
  if (info == nullptr || info->channels < 1 || info->channels > 2 || info->rate <= 0) {
    ov_clear(&slot->file);
    return fail<SoundStream*>(SoundUnknownFormat, nullptr);
  }
  // A chained file may open positioned on a later part; every track starts at its very beginning.
  ov_pcm_seek(&slot->file, 0);
  slot->used = true;
  slot->rate = static_cast<int>(info->rate);
  slot->channels = info->channels;
  slot->channel = -1;
  return &*slot;
}

int soundStreamPlay(SoundStream* stream) {
  if (mixer.context == nullptr) return fail(SoundNotInitialised, -1);
  if (!streamValid(stream)) return fail(SoundInvalidParameter, -1);
  if (stream->channel >= 0) return stream->channel;  // already playing: one channel per stream
  const int index = freeChannel();
  if (index < 0) return fail(SoundNoFreeChannel, -1);
  Channel& ch = channels[index];
  releaseChannel(ch);
  int queued = 0;
  for (ALuint buffer : stream->buffers) {
    if (!fillStreamBuffer(*stream, buffer)) break;
    alSourceQueueBuffers(ch.source, 1, &buffer);
    ++queued;
  }
  if (queued == 0) return fail(SoundPlayFailed, -1);
  ch.stream = stream;
  stream->channel = index;
  prepareChannel(ch, stream->rate, stream->channels);
  return index;
}

void soundStreamClose(SoundStream* stream) {
  if (!streamValid(stream)) {
    lastError = SoundInvalidParameter;
    return;
  }
  if (stream->channel >= 0) releaseChannel(channels[stream->channel]);
  ov_clear(&stream->file);
  const std::array<ALuint, kStreamBuffers> buffers = stream->buffers;
  *stream = SoundStream{};
  stream->buffers = buffers;
}

void soundUpdate() {
  if (mixer.context == nullptr) return;
  for (SoundStream& stream : streams) {
    if (stream.used && stream.channel >= 0 && !channels[stream.channel].pending) refillStream(stream);
  }
  std::array<ALuint, kSoundMaxChannels> starting{};
  int count = 0;
  for (int i = 0; i < mixer.channelCount; ++i) {
    if (!channels[i].pending) continue;
    starting[count++] = channels[i].source;
    channels[i].pending = false;
  }
  // One call starts them all on the same mixing step (the two halves of a stereo "drop" stay together).
  if (count > 0) alSourcePlayv(count, starting.data());
}
