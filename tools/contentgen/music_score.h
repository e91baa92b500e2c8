// Tunes: a small text format for the game's music (content/music/*.tune)
// and the composer that turns one into notes. A tune names its tempo, key,
// instruments and accompaniment styles, a few sections of chords (one chord
// per bar) and the form that strings the sections together. The composer
// writes a melody for each section from the tune's seed, phrase by phrase,
// with the accompaniment that the styles ask for; the same tune always
// gives the same notes.
//
//   tempo 118            beats per minute
//   metre 4              beats per bar (3 or 4)
//   swing 0.2            0 straight .. 1 full triplet swing
//   key C major          major minor dorian mixolydian lydian pentatonic
//   seed 11
//   lead square          square flute bell pluck marimba organ
//   arp bell             (optional) an instrument for running chord notes
//   bass walk            root walk bounce waltz
//   drums pop            pop shuffle march soft waltz none
//   pad warm             warm organ none
//   section A C G Am F | C G F G
//   form A A B A
#pragma once

#include <map>
#include <string>
#include <vector>

enum class Instrument { Square, Flute, Bell, Pluck, Marimba, Organ, Bass, Pad, PadOrgan, Kick, Snare, Hat, Shaker };

struct Chord {
    int root = 0;             // semitones above C
    std::vector<int> tones;   // offsets from the root, first is 0
};

struct TuneSpec {
    float tempo = 110;
    int beatsPerBar = 4;
    float swing = 0;
    int keyRoot = 0;
    std::vector<int> scale{0, 2, 4, 5, 7, 9, 11};
    unsigned seed = 1;
    Instrument lead = Instrument::Square;
    bool hasArp = false;
    Instrument arp = Instrument::Bell;
    std::string bass = "root";
    std::string drums = "pop";
    std::string pad = "warm";
    std::map<std::string, std::vector<Chord>> sections;
    std::vector<std::string> form;
};

struct NoteEvent {
    double start = 0;    // seconds from the start of the loop
    double length = 0;   // seconds the note is held
    float frequency = 0; // Hz (drums: a tuning value)
    float velocity = 1;  // 0..1
    Instrument instrument = Instrument::Square;
    float pan = 0;       // -1 left .. 1 right
};

struct Arrangement {
    std::vector<NoteEvent> notes;
    double loopSeconds = 0;  // the loop point: the tune repeats from here
};

// Reads a tune; false with a diagnostic (line number) when a line is wrong.
bool readTune(const std::string &text, TuneSpec &tune, std::string &error);
bool parseChord(const std::string &word, Chord &chord);
Arrangement composeTune(const TuneSpec &tune);
float midiToHz(float midi);
