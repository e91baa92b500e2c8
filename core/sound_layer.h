// The game's own small sound library, written on OpenAL Soft (mixing), libsndfile (.wav samples) and
// libvorbisfile (.ogg music). It offers what the audio code needs and nothing more: one-shot samples
// on numbered channels with frequency, volume and pan, and looping streamed music on its own channel.
// One thread, no callbacks: the game calls soundUpdate once per frame to refill the music and to start
// the sounds it asked for during that frame.
#pragma once

// Error codes of the layer; soundErrorText gives their texts. A failing call stores its code, which
// soundGetError returns until the next failure (soundInit clears it).
enum SoundError : int {
  SoundNoError = 0,
  SoundAlreadyInitialised = 1,
  SoundNotInitialised = 2,
  SoundDeviceInitFailed = 3,
  SoundDeviceInUse = 4,
  SoundPlayFailed = 5,
  SoundOutputUnsupported = 6,
  SoundCooperativeLevel = 7,
  SoundBufferCreateFailed = 8,
  SoundFileNotFound = 9,
  SoundUnknownFormat = 10,
  SoundLoadFailed = 11,
  SoundOutOfMemory = 12,
  SoundFormatVersion = 13,
  SoundInvalidParameter = 14,
  SoundNoEaxChannel = 15,
  SoundNoFreeChannel = 16,
  SoundNoRecording = 17,
  SoundMissingCodec = 18,
};

constexpr int kSoundMaxChannels = 64;  // mixer channels, music included
constexpr int kSoundMaxSamples = 64;   // samples loaded at one time
constexpr int kSoundMaxStreams = 2;    // music streams open at one time

// The layer's version; callers that want the full feature set check it against their minimum.
float soundVersion();

// Opens the output device and a mixer of mixRate Hz with maxChannels channels (at most kSoundMaxChannels).
// deviceName null means the system's default device. False (and an error code) when no device opens.
bool soundInit(int mixRate, int maxChannels, const char* deviceName = nullptr);

// Same mixer, but rendering only on request into memory (no device at all, faster than real time):
// used by tests and offline rendering. Output is interleaved float stereo, -1..1.
bool soundInitLoopback(int mixRate, int maxChannels);
void soundRender(float* stereoFrames, int frameCount);

int soundGetError();
const char* soundErrorText(int code);

// Stops everything, frees every sample and stream and closes the device. Handles die with it.
void soundClose();
bool soundIsOpen();

// Length of a music stream's buffered audio in milliseconds (taken by streams opened later).
void soundSetStreamBufferSize(int milliseconds);

// A sample: a whole .wav file decoded into the mixer's memory. Null when it cannot be loaded.
struct SoundSample;
SoundSample* soundSampleLoad(const char* path);
void soundSampleFree(SoundSample* sample);  // stops the channels playing it first
int soundSampleRate(const SoundSample* sample);

// Starts a sample on a free channel once, returning the channel number, or -1 when nothing can play.
// The start is deferred to the next soundUpdate so that the frequency, volume and pan set on the
// channel in the same frame apply from its very first sample.
int soundPlaySample(const SoundSample* sample);

// Per-channel settings; a channel that is not in use ignores them (error SoundInvalidParameter).
//   frequency: playback rate in Hz (pitch = frequency / the file's own rate)
//   volume:    0..255, linear amplitude
//   pan:       0 hard left .. 128 centre .. 255 hard right (mono sounds only; stereo plays unpanned)
void soundSetFrequency(int channel, int frequency);
void soundSetVolume(int channel, int volume);
void soundSetPan(int channel, int pan);
int soundGetFrequency(int channel);
int soundGetVolume(int channel);
int soundGetPan(int channel);
bool soundIsPlaying(int channel);  // started or about to start at the next soundUpdate

// A music stream: an .ogg file decoded a little at a time, looping without a gap. Null on failure.
struct SoundStream;
SoundStream* soundStreamOpen(const char* path);
int soundStreamPlay(SoundStream* stream);  // channel number, -1 on failure
void soundStreamClose(SoundStream* stream);

// Once per frame: refills the music buffers and starts the channels asked for since the last call.
void soundUpdate();
