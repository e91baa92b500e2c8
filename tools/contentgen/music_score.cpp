#include "music_score.h"

#include "noise.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

struct NamedScale {
    const char *name;
    std::vector<int> steps;
};

const NamedScale kScales[] = {
    {"major", {0, 2, 4, 5, 7, 9, 11}},     {"minor", {0, 2, 3, 5, 7, 8, 10}},
    {"dorian", {0, 2, 3, 5, 7, 9, 10}},    {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
    {"lydian", {0, 2, 4, 6, 7, 9, 11}},    {"pentatonic", {0, 2, 4, 7, 9}},
};

struct NamedInstrument {
    const char *name;
    Instrument instrument;
};

const NamedInstrument kMelodic[] = {
    {"square", Instrument::Square}, {"flute", Instrument::Flute},     {"bell", Instrument::Bell},
    {"pluck", Instrument::Pluck},   {"marimba", Instrument::Marimba}, {"organ", Instrument::Organ},
};

bool noteName(const std::string &word, size_t &used, int &semitone)
{
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (word.empty() || word[0] < 'A' || word[0] > 'G') return false;
    semitone = letters[word[0] - 'A'];
    used = 1;
    if (word.size() > 1 && (word[1] == '#' || word[1] == 'b')) {
        semitone += word[1] == '#' ? 1 : -1;
        used = 2;
    }
    semitone = (semitone + 12) % 12;
    return true;
}

bool instrumentNamed(const std::string &word, Instrument &out)
{
    for (const NamedInstrument &n : kMelodic)
        if (word == n.name) {
            out = n.instrument;
            return true;
        }
    return false;
}

// --- composing ------------------------------------------------------------

struct Composer {
    const TuneSpec &tune;
    Arrangement out;
    double beatSeconds;

    explicit Composer(const TuneSpec &s) : tune(s), beatSeconds(60.0 / s.tempo) {}

    // Time of an eighth-note step within a bar, with swing on the off-beats.
    double stepTime(int bar, int step) const
    {
        const double beat = step / 2 + ((step % 2) ? 0.5 + tune.swing / 6.0 : 0.0);
        return (bar * tune.beatsPerBar + beat) * beatSeconds;
    }

    void add(double start, double length, float midi, float velocity, Instrument inst, float pan)
    {
        out.notes.push_back(NoteEvent{start, length, midiToHz(midi), velocity, inst, pan});
    }

    // Scale pitches (MIDI numbers) over the range the melody may use.
    std::vector<int> melodyPitches() const
    {
        std::vector<int> pitches;
        const int base = 72 + tune.keyRoot - (tune.keyRoot > 6 ? 12 : 0);
        for (int octave = -1; octave <= 1; ++octave)
            for (int step : tune.scale) {
                const int p = base + 12 * octave + step;
                if (p >= base - 5 && p <= base + 14) pitches.push_back(p);
            }
        return pitches;
    }

    static bool isChordTone(int midi, const Chord &c)
    {
        for (int t : c.tones)
            if (((midi - c.root - t) % 12 + 12) % 12 == 0) return true;
        return false;
    }

    void melody(const std::vector<Chord> &chords, int firstBar, uint64_t seed);
    void accompaniment(const Chord &chord, const Chord &next, int bar, bool lastOfSection);
    void drums(int bar, bool fill);
};

const char *const kRhythms4[] = {"x-x-x-x-", "x-xxx-x-", "x--xx-x-", "x-x-xxx-", "xxx-x---", "x---x-x-", "x-x.x-xx", ".xx-x-x-"};
const char *const kCadences4[] = {"x-x-x---", "x-------", "x---x---"};
const char *const kRhythms3[] = {"x-x-x-", "x--xx-", "x-xxx-", "xx-x-x", "x---x-"};
const char *const kCadences3[] = {"x-----", "x---x-"};

// A section's melody: two four-bar phrases whose opening bars match, each
// ending on a longer note; strong steps land on chord tones, the others
// move by scale steps towards the middle of the range.
void Composer::melody(const std::vector<Chord> &chords, int firstBar, uint64_t seed)
{
    Random rng(seed);
    const bool waltz = tune.beatsPerBar == 3;
    const int steps = tune.beatsPerBar * 2;
    const int rhythmCount = waltz ? 5 : 8;
    const int r1 = rng.below(rhythmCount), r2 = rng.below(rhythmCount), r3 = rng.below(rhythmCount);
    const std::vector<int> pitches = melodyPitches();
    int index = static_cast<int>(pitches.size() / 2);
    std::vector<int> opening[2];  // pitches of the first two bars, reused by the second phrase

    for (size_t b = 0; b < chords.size(); ++b) {
        const int inPhrase = static_cast<int>(b % 4);
        const bool cadence = inPhrase == 3;
        const int rhythm = inPhrase == 0 ? r1 : (inPhrase == 1 ? r2 : (b >= 4 ? r3 : r1));
        const char *pattern = cadence ? (waltz ? kCadences3[rng.below(2)] : kCadences4[rng.below(3)])
                                      : (waltz ? kRhythms3[rhythm] : kRhythms4[rhythm]);
        const Chord &chord = chords[b];
        const bool echoOpening = b >= 4 && inPhrase < 2 && chords[b].root == chords[b - 4].root;
        size_t noteInBar = 0;
        for (int s = 0; s < steps; ++s) {
            if (pattern[s] != 'x') continue;
            int len = 1;
            while (s + len < steps && pattern[s + len] == '-') ++len;
            const bool strong = s % (waltz ? 6 : 4) == 0;
            int pitch;
            if (echoOpening && noteInBar < opening[inPhrase].size()) {
                // The second phrase opens like the first.
                pitch = opening[inPhrase][noteInBar];
                const auto at = std::find(pitches.begin(), pitches.end(), pitch);
                if (at != pitches.end()) index = static_cast<int>(at - pitches.begin());
            } else if (strong || (cadence && s + len >= steps)) {
                // A chord tone: the section's last note rests on the root, the
                // first phrase's last note stays open (not the root); other
                // strong notes take the nearest, now and then with a leap.
                const bool lastNote = b + 1 == chords.size() && s + len >= steps;
                const bool halfClose = b == 3 && s + len >= steps;
                const int leap = rng.below(3) == 0 ? 2 + rng.below(3) : 0;
                const int centre = static_cast<int>(pitches.size() / 2);
                const int aim = index + (index > centre ? -leap : leap);
                int best = index, bestScore = 1000;
                for (int i = 0; i < static_cast<int>(pitches.size()); ++i) {
                    if (!isChordTone(pitches[i], chord)) continue;
                    const bool root = ((pitches[i] - chord.root) % 12 + 12) % 12 == 0;
                    if ((lastNote && !root) || (halfClose && root)) continue;
                    const int score = std::abs(i - aim);
                    if (score < bestScore) {
                        bestScore = score;
                        best = i;
                    }
                }
                index = best;
                pitch = pitches[index];
            } else {
                const int centre = static_cast<int>(pitches.size() / 2);
                int move = rng.below(10) < 7 ? 1 : 2;
                if (index > centre + 3 || (index >= centre - 3 && rng.below(2))) move = -move;
                index = std::clamp(index + move, 0, static_cast<int>(pitches.size()) - 1);
                pitch = pitches[index];
            }
            if (b < 2) opening[b].push_back(pitch);
            const double start = stepTime(firstBar + static_cast<int>(b), s);
            const double end = stepTime(firstBar + static_cast<int>(b), s + len);
            add(start, (end - start) * 0.92, static_cast<float>(pitch), strong ? 0.9f : 0.75f, tune.lead, 0.0f);
            ++noteInBar;
        }
    }
}

void Composer::accompaniment(const Chord &chord, const Chord &next, int bar, bool lastOfSection)
{
    const int beats = tune.beatsPerBar;
    const float bassRoot = 36.0f + static_cast<float>((chord.root + 12 - 4) % 12 + 4);  // E2..D#3
    const float fifth = bassRoot + 7;
    const double bar0 = bar * beats * beatSeconds;
    if (tune.bass == "root" || tune.bass == "waltz") {
        add(bar0, beatSeconds * (tune.bass == "waltz" ? 1.5 : 1.8), bassRoot, 0.9f, Instrument::Bass, 0);
        if (tune.bass == "root") add(bar0 + 2 * beatSeconds, beatSeconds * 1.8, fifth, 0.8f, Instrument::Bass, 0);
        else add(bar0 + 2 * beatSeconds, beatSeconds * 0.8, fifth, 0.6f, Instrument::Bass, 0);
    } else if (tune.bass == "walk") {
        const float third = bassRoot + (chord.tones.size() > 1 ? chord.tones[1] : 4);
        const float nextRoot = 36.0f + static_cast<float>((next.root + 12 - 4) % 12 + 4);
        const float approach = nextRoot + (nextRoot > fifth ? -1.0f : 1.0f);
        const float line[] = {bassRoot, third, fifth, approach};
        for (int b = 0; b < beats; ++b)
            add(bar0 + b * beatSeconds, beatSeconds * 0.85, line[b % 4], b == 0 ? 0.9f : 0.7f, Instrument::Bass, 0);
    } else {  // bounce: root and octave on the eighths
        for (int s = 0; s < beats * 2; ++s)
            add(stepTime(bar, s), beatSeconds * 0.42, bassRoot + (s % 2 ? 12.0f : 0.0f), s % 2 ? 0.55f : 0.85f,
                Instrument::Bass, 0);
    }
    if (tune.pad != "none") {
        const Instrument padInst = tune.pad == "organ" ? Instrument::PadOrgan : Instrument::Pad;
        for (size_t i = 0; i < chord.tones.size() && i < 4; ++i) {
            const float midi = 60.0f + static_cast<float>((chord.root + chord.tones[i]) % 12);
            add(bar0, beats * beatSeconds * 0.98, midi - (midi > 66 ? 12.0f : 0.0f), 0.45f, padInst,
                i % 2 ? 0.5f : -0.5f);
        }
    }
    if (tune.hasArp && !lastOfSection) {
        for (int s = 0; s < beats * 2; ++s) {
            const size_t k = static_cast<size_t>(s) % (chord.tones.size() + 1);
            const int tone = k < chord.tones.size() ? chord.tones[k] : 12;
            add(stepTime(bar, s), beatSeconds * 0.4, 72.0f + static_cast<float>(chord.root + tone), 0.35f, tune.arp,
                s % 2 ? 0.6f : -0.6f);
        }
    }
}

void Composer::drums(int bar, bool fill)
{
    const std::string &style = tune.drums;
    if (style == "none") return;
    const int steps = tune.beatsPerBar * 2;
    for (int s = 0; s < steps; ++s) {
        const double t = stepTime(bar, s);
        const bool beat = s % 2 == 0;
        const int beatIndex = s / 2;
        if (style == "waltz") {
            if (s == 0) add(t, 0.2, 0, 0.9f, Instrument::Kick, 0);
            if (beat && beatIndex > 0) add(t, 0.1, 0, 0.5f, Instrument::Hat, -0.3f);
            continue;
        }
        if (style == "soft") {
            if (s == 0) add(t, 0.2, 0, 0.7f, Instrument::Kick, 0);
            add(t, 0.08, 0, beat ? 0.45f : 0.3f, Instrument::Shaker, 0.3f);
            if (s == 4) add(t, 0.1, 1, 0.35f, Instrument::Snare, 0);
            continue;
        }
        if (beat && (beatIndex % 2 == 0)) add(t, 0.2, 0, 0.9f, Instrument::Kick, 0);
        if (beat && (beatIndex % 2 == 1)) add(t, 0.15, 0, 0.7f, Instrument::Snare, 0);
        if (style == "march" && !beat) add(t, 0.1, 1, 0.3f, Instrument::Snare, 0.2f);
        add(t, 0.05, 0, beat ? 0.45f : 0.3f, Instrument::Hat, -0.35f);
        if (fill && s >= steps - 2) add(t + beatSeconds * 0.25, 0.1, 0, 0.5f, Instrument::Snare, 0.1f);
    }
}

}  // namespace

float midiToHz(float midi) { return 440.0f * std::pow(2.0f, (midi - 69.0f) / 12.0f); }

bool parseChord(const std::string &word, Chord &chord)
{
    size_t used = 0;
    if (!noteName(word, used, chord.root)) return false;
    const std::string quality = word.substr(used);
    struct Quality { const char *name; std::vector<int> tones; };
    static const Quality qualities[] = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"sus", {0, 5, 7}},      {"dim", {0, 3, 6}},   {"6", {0, 4, 7, 9}},
        {"add9", {0, 4, 7, 14}},
    };
    for (const Quality &q : qualities)
        if (quality == q.name) {
            chord.tones = q.tones;
            return true;
        }
    return false;
}

bool readTune(const std::string &text, TuneSpec &tune, std::string &error)
{
    tune = TuneSpec{};  // a tune never inherits sections or form from an earlier read
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::string key;
        if (!(words >> key)) continue;
        bool ok = true;
        if (key == "tempo") ok = static_cast<bool>(words >> tune.tempo) && tune.tempo >= 40 && tune.tempo <= 240;
        else if (key == "metre") ok = static_cast<bool>(words >> tune.beatsPerBar) && (tune.beatsPerBar == 3 || tune.beatsPerBar == 4);
        else if (key == "swing") ok = static_cast<bool>(words >> tune.swing) && tune.swing >= 0 && tune.swing <= 1;
        else if (key == "seed") ok = static_cast<bool>(words >> tune.seed);
        else if (key == "key") {
            std::string note, mode;
            size_t used = 0;
            ok = static_cast<bool>(words >> note >> mode) && noteName(note, used, tune.keyRoot) && used == note.size();
            bool found = false;
            for (const NamedScale &s : kScales)
                if (mode == s.name) {
                    tune.scale = s.steps;
                    found = true;
                }
            ok = ok && found;
        } else if (key == "lead") {
            std::string w;
            ok = static_cast<bool>(words >> w) && instrumentNamed(w, tune.lead);
        } else if (key == "arp") {
            std::string w;
            ok = static_cast<bool>(words >> w) && instrumentNamed(w, tune.arp);
            tune.hasArp = ok;
        } else if (key == "bass") {
            ok = static_cast<bool>(words >> tune.bass) &&
                 (tune.bass == "root" || tune.bass == "walk" || tune.bass == "bounce" || tune.bass == "waltz");
        } else if (key == "drums") {
            const std::string styles[] = {"pop", "shuffle", "march", "soft", "waltz", "none"};
            ok = static_cast<bool>(words >> tune.drums) &&
                 std::find(std::begin(styles), std::end(styles), tune.drums) != std::end(styles);
        } else if (key == "pad") {
            ok = static_cast<bool>(words >> tune.pad) && (tune.pad == "warm" || tune.pad == "organ" || tune.pad == "none");
        } else if (key == "section") {
            std::string name, w;
            ok = static_cast<bool>(words >> name);
            std::vector<Chord> chords;
            while (ok && words >> w) {
                if (w == "|") continue;
                Chord c;
                ok = parseChord(w, c);
                chords.push_back(c);
            }
            ok = ok && !chords.empty();
            if (ok) tune.sections[name] = chords;
        } else if (key == "form") {
            std::string w;
            while (words >> w) tune.form.push_back(w);
            ok = !tune.form.empty();
        } else {
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
    }
    for (const std::string &name : tune.form)
        if (tune.sections.count(name) == 0) {
            error = "form names the unknown section " + name;
            return false;
        }
    if (tune.form.empty()) {
        error = "no form";
        return false;
    }
    return true;
}

Arrangement composeTune(const TuneSpec &tune)
{
    Composer c(tune);
    int bar = 0;
    std::map<std::string, size_t> sectionIndex;
    for (const auto &entry : tune.sections) sectionIndex[entry.first] = sectionIndex.size();
    for (size_t f = 0; f < tune.form.size(); ++f) {
        const std::vector<Chord> &chords = tune.sections.at(tune.form[f]);
        // The same section always gets the same melody.
        c.melody(chords, bar, tune.seed * 7919u + sectionIndex[tune.form[f]] * 104729u);
        const std::vector<Chord> &following = tune.sections.at(tune.form[(f + 1) % tune.form.size()]);
        for (size_t b = 0; b < chords.size(); ++b) {
            const Chord &next = b + 1 < chords.size() ? chords[b + 1] : following.front();
            const bool last = b + 1 == chords.size();
            c.accompaniment(chords[b], next, bar, last);
            c.drums(bar, last);
            ++bar;
        }
    }
    c.out.loopSeconds = bar * tune.beatsPerBar * c.beatSeconds;
    return c.out;
}
