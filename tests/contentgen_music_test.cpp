// Tune files and the composer that turns them into the game's music.
#include "music_score.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const char *const kTune =
    "# a test tune\n"
    "tempo 120\n"
    "metre 4\n"
    "key G major\n"
    "seed 5\n"
    "lead flute\n"
    "arp bell\n"
    "bass walk\n"
    "drums pop\n"
    "pad warm\n"
    "section A G D Em C | G D C D\n"
    "section B C D G G\n"
    "form A B A\n";

TuneSpec readOrFail(const std::string &text)
{
    TuneSpec tune;
    std::string error;
    EXPECT_TRUE(readTune(text, tune, error)) << error;
    return tune;
}

int pitchClass(float hz) { return (static_cast<int>(std::lround(69 + 12 * std::log2(hz / 440.0f))) % 12 + 12) % 12; }

}  // namespace

TEST(TuneFile, ChordNamesGiveRootAndQuality)
{
    Chord c;
    ASSERT_TRUE(parseChord("F#m7", c));
    EXPECT_EQ(c.root, 6);
    EXPECT_EQ(c.tones, (std::vector<int>{0, 3, 7, 10}));
    ASSERT_TRUE(parseChord("Bb", c));
    EXPECT_EQ(c.root, 10);
    EXPECT_EQ(c.tones, (std::vector<int>{0, 4, 7}));
    ASSERT_TRUE(parseChord("Cb", c));
    EXPECT_EQ(c.root, 11) << "flats wrap below C";
    EXPECT_FALSE(parseChord("H", c));
    EXPECT_FALSE(parseChord("Cxyz", c));
    EXPECT_FALSE(parseChord("", c));
}

TEST(TuneFile, MistakesAreReportedWithTheirLine)
{
    TuneSpec tune;
    std::string error;
    EXPECT_FALSE(readTune("tempo 120\ntempo fast\n", tune, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(readTune("tempo 900\n", tune, error)) << "a tempo no one can play";
    EXPECT_FALSE(readTune("metre 5\nsection A C\nform A\n", tune, error));
    EXPECT_FALSE(readTune("section A C G\nform A B\n", tune, error));
    EXPECT_NE(error.find("B"), std::string::npos) << error;
    EXPECT_FALSE(readTune("section A C G\n", tune, error)) << "a tune without a form";
    EXPECT_FALSE(readTune("section A C Q7\nform A\n", tune, error)) << "unknown chord";
    EXPECT_FALSE(readTune("lead kazoo\nsection A C\nform A\n", tune, error));
    EXPECT_TRUE(readTune("# only a comment\nsection A C   # trailing note\nform A\n", tune, error)) << error;
}

TEST(TuneComposer, LoopEndsOnTheLastBarAndEveryNoteStartsInside)
{
    const TuneSpec tune = readOrFail(kTune);
    const Arrangement a = composeTune(tune);
    const int bars = 8 + 4 + 8;
    EXPECT_NEAR(a.loopSeconds, bars * 4 * 60.0 / 120.0, 1e-9);
    ASSERT_FALSE(a.notes.empty());
    for (const NoteEvent &n : a.notes) {
        EXPECT_GE(n.start, 0.0);
        EXPECT_LT(n.start, a.loopSeconds);
        EXPECT_GT(n.length, 0.0);
        EXPECT_GE(n.pan, -1.0f);
        EXPECT_LE(n.pan, 1.0f);
    }
}

TEST(TuneComposer, MelodyStaysInKeyAndLandsOnTheChordAtEachBar)
{
    const TuneSpec tune = readOrFail(kTune);
    const Arrangement a = composeTune(tune);
    const double bar = 4 * 60.0 / 120.0;
    std::vector<Chord> chords;
    for (const std::string &s : tune.form)
        for (const Chord &c : tune.sections.at(s)) chords.push_back(c);
    int leadNotes = 0, barStarts = 0;
    for (const NoteEvent &n : a.notes) {
        if (n.instrument != Instrument::Flute) continue;
        ++leadNotes;
        const int pc = pitchClass(n.frequency);
        const int degree = (pc - 7 + 12) % 12;  // G major
        EXPECT_TRUE(std::find(tune.scale.begin(), tune.scale.end(), degree) != tune.scale.end())
            << "pitch class " << pc << " is outside G major";
        const double inBar = std::fmod(n.start, bar);
        if (inBar < 1e-6) {
            const Chord &c = chords.at(static_cast<size_t>(n.start / bar + 1e-6));
            bool chordTone = false;
            for (int t : c.tones) chordTone = chordTone || (c.root + t) % 12 == pc;
            EXPECT_TRUE(chordTone) << "bar at " << n.start << " s opens off its chord";
            ++barStarts;
        }
        EXPECT_GT(n.frequency, 150.0f);
        EXPECT_LT(n.frequency, 2000.0f);
    }
    EXPECT_GT(leadNotes, 40);
    EXPECT_GT(barStarts, 10);
}

TEST(TuneComposer, SameTuneSameNotesAndTheSeedChangesTheMelody)
{
    const TuneSpec tune = readOrFail(kTune);
    const Arrangement first = composeTune(tune), second = composeTune(tune);
    ASSERT_EQ(first.notes.size(), second.notes.size());
    for (size_t i = 0; i < first.notes.size(); ++i) {
        EXPECT_EQ(first.notes[i].start, second.notes[i].start);
        EXPECT_EQ(first.notes[i].frequency, second.notes[i].frequency);
    }
    TuneSpec other = tune;
    other.seed = 6;
    const Arrangement third = composeTune(other);
    bool differs = false;
    for (size_t i = 0; i < std::min(first.notes.size(), third.notes.size()); ++i)
        differs = differs || first.notes[i].frequency != third.notes[i].frequency;
    EXPECT_TRUE(differs || first.notes.size() != third.notes.size());
}

TEST(TuneComposer, RepeatedSectionsRepeatTheirMelody)
{
    const TuneSpec tune = readOrFail(kTune);
    const Arrangement a = composeTune(tune);
    const double bar = 4 * 60.0 / 120.0;
    // Section A plays from bar 0 and again from bar 12.
    std::vector<float> firstA, secondA;
    for (const NoteEvent &n : a.notes) {
        if (n.instrument != Instrument::Flute) continue;
        if (n.start < 8 * bar) firstA.push_back(n.frequency);
        if (n.start >= 12 * bar) secondA.push_back(n.frequency);
    }
    EXPECT_EQ(firstA, secondA);
}
