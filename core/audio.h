// The game's sounds: thirteen effect samples in fixed slots, fired with a per-event frequency, volume
// and pan, and one looping music track at a time. Volumes come from the configuration (musicVolume,
// soundVolume in core/app_state.h). With no sound device everything here quietly does nothing.
#pragma once

#include <array>

struct SoundSample;
struct SoundStream;

// Slots of the sample table.
enum SampleId : int {
  Whoosh = 0,
  Shot = 1,
  ShotSwish = 2,
  Rebound = 3,
  Transit = 4,
  Air = 5,
  Star = 6,
  Water = 7,
  HoleGood = 8,
  Boom = 9,
  HoleBad = 10,
  Cup = 11,
  Bumper = 12,
};
constexpr int kSampleCount = 13;

// The file of each slot, in slot order.
constexpr std::array<const char*, kSampleCount> kSamplePaths = {
    "./data/sounds/fuit.wav",      "./data/sounds/tir.wav",     "./data/sounds/tir2.wav",
    "./data/sounds/rebound.wav",   "./data/sounds/transit.wav", "./data/sounds/air.wav",
    "./data/sounds/star.wav",      "./data/sounds/water.wav",   "./data/sounds/inthetrou.wav",
    "./data/sounds/boom.wav",      "./data/sounds/inthetrouloose.wav",
    "./data/sounds/trou.wav",      "./data/sounds/bumper.wav",
};

constexpr const char* kTitleMusicPath = "./data/music/title.ogg";
constexpr const char* kScoreMusicPath = "./data/music/score.ogg";

// Library version the game needs; an older one is reported and left unused.
constexpr float kRequiredSoundVersion = 3.73f;

// Music channel volume per step of the 0..10 music volume setting (0..250 of 0..255).
constexpr int kMusicVolumeStep = 25;

// Lives for the whole run; a slot's sample is replaced (and the old one freed) when it is loaded again.
extern std::array<SoundSample*, kSampleCount> sampleTable;

// Channel of the most recent effect, -1 before the first; set by every playSample.
extern int lastChannel;

// The one open music track; lives for the whole run, replaced by each playMusic.
struct MusicPlayer {
  SoundStream* stream = nullptr;  // null when no track is open
  int channel = -1;               // channel it plays on
};
extern MusicPlayer musicPlayer;

// Start-up of the sound library: prints "Error!" and the error text when no device opens, and the
// game then runs silent. deviceName null is the system's default.
void startSound(const char* deviceName = nullptr);

// The game's own start of the sound library, once per run: the main loop calls it after each
// frame, so that the first picture is on screen without waiting for the mixer; nothing sounds
// before the title loads in a later frame.
void startSoundOnce();

// Shuts the library down at program exit: closes the music and frees every sample.
void stopSound();

// Loads a .wav into a slot; a missing file leaves the slot empty (null) and playing it does nothing.
void loadSample(SampleId slot, const char* path);
void loadSample(SampleId slot);  // from the slot's own file in kSamplePaths

// Fires a slot once on a free channel at frequency Hz, volume 0..255, pan 0..255 (128 centre).
// Nothing at all happens when the sound volume setting is 0.
void playSample(SampleId slot, int frequency, int volume, int pan);

// Replaces the current track by the file at path (a missing file leaves no music playing), looping,
// at musicVolume x kMusicVolumeStep.
void playMusic(const char* path);
void stopMusic();

// Applies a 0..10 music volume to the running track at once.
void setMusicVolume(int volume);

// Text of a sound library error code; "Unknown error" for codes it does not know.
const char* errorText(int code);

// Once per frame from the main loop: keeps the music fed and starts this frame's effects.
void updateSound();
