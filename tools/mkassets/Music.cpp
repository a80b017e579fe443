// The soundtrack: each song is written as sections of one 64-row pattern
// (four bars of four chords), with drums on channel 1, bass on 2, the tune on
// 3 and broken chords on 4, all from a few short text lines per section.
//
// Instruments are synthesised here. A tonal instrument holds whole cycles of
// an exact length (32 bytes for tunes and chords, 64 for the bass), so that a
// note at C-2, which the players sound at about 8287 bytes a second, gives
// about 259 Hz (middle C) and the bass an octave lower; its decay is baked in
// and its last cycles loop as the sustain. Drums are one-shot noise and
// swept tones made at the rate of the note they are played at.
#include "Music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Files.h"
#include "Noise.h"
#include "Tracker.h"

namespace mkassets {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double RateAtC2 = 8287.0;

struct Voice {
    int Period;                      // bytes per cycle
    std::array<double, 8> Harmonics; // amplitude of harmonics 1..8
    int DecayCycles;                 // cycles from full level to the sustain level
    double Sustain;                  // level held by the loop, 0..1
    double Damping;                  // how fast the upper harmonics fade during the decay
    int LoopCycles;                  // 0 = plays once
    int Volume;
};

double VoiceWave(const Voice& voice, double phase, double progress)
{
    double sum = 0;
    for (std::size_t h = 0; h < voice.Harmonics.size(); ++h)
        sum += voice.Harmonics[h] * std::exp(-static_cast<double>(h) * voice.Damping * progress) *
               std::sin(2 * Pi * static_cast<double>(h + 1) * phase);
    return sum;
}

double PeakOfFirstCycle(const Voice& voice)
{
    double peak = 1e-9;
    for (int i = 0; i < voice.Period; ++i)
        peak = std::max(peak, std::abs(VoiceWave(voice, double(i) / voice.Period, 0)));
    return peak;
}

int8_t ToSample(double v) { return static_cast<int8_t>(std::clamp(std::lround(v), -127L, 127L)); }

Instrument TonalInstrument(const std::string& name, const Voice& voice)
{
    const double peak = PeakOfFirstCycle(voice);
    Instrument instrument{name, {0, 0}, voice.Volume, 0, 0};
    const int cycles = voice.DecayCycles + voice.LoopCycles;
    for (int i = 0; i < cycles * voice.Period; ++i) {
        const double t = double(i) / voice.Period;
        const double progress = std::min(1.0, t / voice.DecayCycles);
        const double sustain = voice.LoopCycles > 0 ? voice.Sustain : 0.004;
        const double level = std::pow(sustain, progress) * std::min(1.0, t * 4);
        instrument.Data.push_back(ToSample(110 * level * VoiceWave(voice, t - std::floor(t), progress) / peak));
    }
    if (voice.LoopCycles > 0) {
        instrument.LoopStart = 2 + static_cast<std::size_t>(voice.DecayCycles * voice.Period);
        instrument.LoopLength = static_cast<std::size_t>(voice.LoopCycles * voice.Period);
    }
    return instrument;
}

enum class Drum { Kick, Snare, Hat };

// Drums are made at the rate of the note that plays them: kick and snare at
// C-2, the hat an octave higher at C-3.
Instrument DrumInstrument(Drum drum)
{
    const double rate = drum == Drum::Hat ? 2 * RateAtC2 : RateAtC2;
    const double seconds = drum == Drum::Kick ? 0.4 : drum == Drum::Snare ? 0.26 : 0.09;
    Rng rng(drum == Drum::Kick ? 11 : drum == Drum::Snare ? 12 : 13);
    Instrument instrument{drum == Drum::Kick ? "kick" : drum == Drum::Snare ? "snare" : "hat", {0, 0}, 64, 0, 0};
    double phase = 0;
    double previousNoise = 0;
    const int length = static_cast<int>(seconds * rate) & ~1;
    for (int i = 0; i < length; ++i) {
        const double t = i / rate;
        const double noise = rng.Between(-1, 1);
        double v = 0;
        switch (drum) {
        case Drum::Kick:
            phase += 2 * Pi * (45 + 115 * std::exp(-t / 0.035)) / rate;
            v = std::sin(phase) * std::exp(-t / 0.13) + (t < 0.004 ? 0.5 * noise : 0);
            break;
        case Drum::Snare:
            v = 0.75 * (noise + previousNoise) / 2 * std::exp(-t / 0.07) +
                0.55 * std::sin(2 * Pi * 190 * t) * std::exp(-t / 0.035);
            break;
        case Drum::Hat:
            v = (noise - previousNoise) / 2 * std::exp(-t / 0.02);
            break;
        }
        previousNoise = noise;
        instrument.Data.push_back(ToSample(118 * v));
    }
    return instrument;
}

constexpr int KickInstrument = 1;
constexpr int SnareInstrument = 2;
constexpr int HatInstrument = 3;
constexpr int BassInstrument = 4;
constexpr int LeadInstrument = 5;
constexpr int ChordInstrument = 6;

constexpr int DrumChannel = 0;
constexpr int BassChannel = 1;
constexpr int LeadChannel = 2;
constexpr int ChordChannel = 3;

constexpr int NoteC2 = 12;
constexpr int NoteC3 = 24;

// One pattern. Chords: four names, one per bar of 16 rows ("Am", "F#", "Bb").
// Tune: tokens "E3:4" (note, octave 1..3, rows), "-:4" a rest, a "~" after the
// octave adds vibrato to a held note. Drums, bass and chord lines: 16
// characters repeated over the four bars, one per row. Drums: k kick, s snare,
// h hat. Bass: R root, F fifth, O octave. Chords: 0..3 the chord's root,
// third, fifth and octave. In bass and chord lines "-" silences the channel.
struct Section {
    std::string_view Chords;
    std::string_view Tune;
    std::string_view Drums;
    std::string_view Bass;
    std::string_view Broken;
};

struct Song {
    std::string_view File;
    std::string_view Title;
    int Speed;
    int Tempo;
    Voice Bass;
    Voice Lead;
    Voice Chord;
    std::vector<Section> Sections;
    std::vector<int> Order;
};

int Semitone(char letter)
{
    constexpr std::string_view Letters = "C.D.EF.G.A.B";
    const auto at = Letters.find(letter);
    if (at == std::string_view::npos || letter == '.')
        throw std::invalid_argument(std::string("not a note letter: ") + letter);
    return static_cast<int>(at);
}

struct Chord {
    int Root;  // semitone 0..11
    std::array<int, 4> Tones;
};

Chord ParseChord(std::string_view name)
{
    int root = Semitone(name[0]);
    std::size_t i = 1;
    if (i < name.size() && (name[i] == '#' || name[i] == 'b'))
        root += name[i++] == '#' ? 1 : -1;
    const bool minor = i < name.size() && name[i] == 'm';
    return {(root + 12) % 12, {0, minor ? 3 : 4, 7, 12}};
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find(' ', start), text.size());
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::array<Chord, 4> ParseChords(std::string_view text)
{
    const auto names = Words(text);
    if (names.size() != 4)
        throw std::invalid_argument("a section needs four chords");
    return {ParseChord(names[0]), ParseChord(names[1]), ParseChord(names[2]), ParseChord(names[3])};
}

// Keeps a note within the period table by moving it by octaves.
int InRange(int note)
{
    while (note >= NoteCount)
        note -= 12;
    while (note < 0)
        note += 12;
    return note;
}

Cell Silence() { return {0, -1, Effect::SetVolume, 0}; }

void WriteDrums(Pattern& pattern, std::string_view line)
{
    for (int row = 0; row < RowCount; ++row) {
        Cell& cell = pattern[row][DrumChannel];
        switch (line[static_cast<std::size_t>(row) % line.size()]) {
        case 'k': cell = {KickInstrument, NoteC2}; break;
        case 's': cell = {SnareInstrument, NoteC2}; break;
        case 'h': cell = {HatInstrument, NoteC3}; break;
        default: break;
        }
    }
}

void WriteBass(Pattern& pattern, std::string_view line, const std::array<Chord, 4>& chords)
{
    for (int row = 0; row < RowCount; ++row) {
        const Chord& chord = chords[static_cast<std::size_t>(row / 16)];
        Cell& cell = pattern[row][BassChannel];
        switch (line[static_cast<std::size_t>(row) % line.size()]) {
        case 'R': cell = {BassInstrument, chord.Root}; break;
        case 'F': cell = {BassInstrument, InRange(chord.Root + 7)}; break;
        case 'O': cell = {BassInstrument, chord.Root + 12}; break;
        case '-': cell = Silence(); break;
        default: break;
        }
    }
}

void WriteBrokenChords(Pattern& pattern, std::string_view line, const std::array<Chord, 4>& chords)
{
    for (int row = 0; row < RowCount; ++row) {
        const Chord& chord = chords[static_cast<std::size_t>(row / 16)];
        const char symbol = line[static_cast<std::size_t>(row) % line.size()];
        Cell& cell = pattern[row][ChordChannel];
        if (symbol >= '0' && symbol <= '3')
            cell = {ChordInstrument, InRange(NoteC2 + chord.Root + chord.Tones[static_cast<std::size_t>(symbol - '0')])};
        else if (symbol == '-')
            cell = Silence();
    }
}

void WriteTune(Pattern& pattern, std::string_view tune)
{
    int row = 0;
    for (const std::string_view token : Words(tune)) {
        const auto colon = token.find(':');
        const int rows = std::stoi(std::string(token.substr(colon + 1)));
        if (row + rows > RowCount)
            throw std::invalid_argument("tune longer than its pattern");
        if (token[0] == '-') {
            pattern[row][LeadChannel] = Silence();
        } else {
            std::size_t i = 1;
            int semitone = Semitone(token[0]);
            if (token[i] == '#' || token[i] == 'b')
                semitone += token[i++] == '#' ? 1 : -1;
            const int octave = token[i++] - '0';
            pattern[row][LeadChannel] = {LeadInstrument, (octave - 1) * 12 + semitone};
            if (token[i] == '~')
                for (int held = row + 2; held < row + rows; ++held)
                    pattern[held][LeadChannel] = {0, -1, Effect::Vibrato, 0x34};
        }
        row += rows;
    }
    if (row != 0 && row != RowCount)
        throw std::invalid_argument("tune does not fill its pattern");
}

Pattern ComposePattern(const Song& song, const Section& section)
{
    Pattern pattern{};
    const auto chords = ParseChords(section.Chords);
    WriteDrums(pattern, section.Drums);
    WriteBass(pattern, section.Bass, chords);
    WriteBrokenChords(pattern, section.Broken, chords);
    WriteTune(pattern, section.Tune);
    // Every pattern restates the tempo, so a player that starts anywhere in
    // the song keeps it.
    pattern[0][DrumChannel].Effect = Effect::SetSpeed;
    pattern[0][DrumChannel].Parameter = song.Speed;
    pattern[0][BassChannel].Effect = Effect::SetSpeed;
    pattern[0][BassChannel].Parameter = song.Tempo;
    return pattern;
}

Module Compose(const Song& song)
{
    Module module;
    module.Title = std::string(song.Title);
    module.Instruments = {DrumInstrument(Drum::Kick), DrumInstrument(Drum::Snare), DrumInstrument(Drum::Hat),
                          TonalInstrument("bass", song.Bass), TonalInstrument("lead", song.Lead),
                          TonalInstrument("chord", song.Chord)};
    for (const Section& section : song.Sections)
        module.Patterns.push_back(ComposePattern(song, section));
    module.Order = song.Order;
    return module;
}

// The title: calm A minor, a plucked tune over soft broken chords.
Song TitleSong()
{
    return {"load.mod", "kvspace title", 6, 125,
            {64, {1, 0.6, 0.3, 0.2, 0.1, 0, 0, 0}, 120, 0.3, 0.6, 4, 50},
            {32, {1, 0.45, 0.28, 0.12, 0.08, 0.04, 0, 0}, 600, 0.35, 0.5, 8, 42},
            {32, {1, 0, 0.35, 0, 0.12, 0, 0, 0}, 250, 0, 0.4, 0, 30},
            {{"Am F C G", "", "k.......k.......", "R.......R...F...", "0.2.1.2.3.2.1.2."},
             {"Am F C G",
              "E3:4 C3:2 D3:2 E3:4 A2:4 F3:4 E3:2 D3:2 C3:6 A2:2 G2:4 C3:2 E3:2 G3:6 E3:2 D3:8 B2:4 G2:4",
              "k...h...s...h...", "R...R.R.F...R...", "0.2.1.2.3.2.1.2."},
             {"F G Em Am",
              "A3:4 G3:4 F3:4 E3:4 D3:4 E3:4 F3:4 G3:4 E3:6 D3:2 C3:4 B2:4 C3:4 B2:2 A2:10",
              "k...h...s...h.h.", "R...R.R.F...R.O.", "0.1.2.3.2.1.0.1."},
             {"Am F C G", "A3~:16 F3~:16 G3~:16 D3~:12 B2:4", "k.......s.......", "R...............",
              "0.1.2.3.0.1.2.3."}},
            {0, 1, 2, 1, 3, 2, 1}};
}

// The space scene: an easy D major with a flute-like tune.
Song SpaceSong()
{
    return {"track1.mod", "kvspace drift", 6, 110,
            {64, {1, 0.3, 0.1, 0, 0, 0, 0, 0}, 200, 0.4, 0.3, 4, 54},
            {32, {1, 0.2, 0.1, 0.05, 0, 0, 0, 0}, 400, 0.6, 0.2, 8, 44},
            {32, {1, 0.5, 0.25, 0.12, 0, 0, 0, 0}, 200, 0, 0.8, 0, 28},
            {{"D A Bm G", "", "k.....h.k.....h.", "R.......R.......", "0.1.2.1.0.1.2.1."},
             {"D A Bm G",
              "F#3:4 A3:4 F#3:2 E3:2 D3:4 E3:4 C#3:4 E3:4 A3:4 F#3:6 D3:2 B2:8 G2:4 B2:4 D3:4 G3:4",
              "k...h...s...h...", "R.....R.F.......", "0.1.2.1.0.1.2.1."},
             {"G D Em A",
              "B3:4 A3:4 G3:4 F#3:4 A3:8 F#3:4 D3:4 G3:4 F#3:4 E3:4 B2:4 C#3:8 E3:4 A2:4",
              "k...h...s...h..h", "R.....R.F.....F.", "0.2.1.2.3.2.1.2."},
             {"Bm G D A", "D3~:16 B2~:16 A2~:16 C#3~:16", "k.......k.......", "R.......F.......",
              "0...1...2...3..."}},
            {0, 1, 2, 1, 3, 2, 1, 0}};
}

// Battle: E minor at speed 4, driving octave bass and a square-wave tune.
Song CombatSong()
{
    return {"combat.mod", "kvspace battle", 4, 125,
            {64, {1, 0.5, 0.33, 0.25, 0.2, 0.16, 0.14, 0}, 60, 0.4, 0.3, 4, 52},
            {32, {1, 0, 0.33, 0, 0.2, 0, 0.14, 0}, 150, 0.25, 0.3, 8, 40},
            {32, {1, 0.5, 0.33, 0.25, 0.2, 0, 0, 0}, 100, 0, 0.5, 0, 26},
            {{"Em C D B", "", "k.h.s.h.k.k.s.h.", "RORORORORORORORO", "0.1.2.0.1.2.0.1."},
             {"Em C D B",
              "E3:2 -:1 E3:1 G3:2 E3:2 B3:4 A3:2 G3:2 G3:2 -:1 G3:1 E3:2 G3:2 C3:4 D3:2 E3:2 "
              "F#3:2 -:1 F#3:1 A3:2 F#3:2 D3:4 E3:2 F#3:2 D#3:4 F#3:4 B3:4 A3:4",
              "k.h.s.h.k.k.s.h.", "RORORORORORORORO", "0.1.2.0.1.2.0.1."},
             {"Am Em C B",
              "A3:3 G3:1 A3:2 C3:2 E3:4 A2:4 B3:3 A3:1 G3:2 F#3:2 E3:8 E3:2 G3:2 C3:2 G3:2 E3:2 G3:2 C3:4 "
              "D#3:2 F#3:2 B2:2 F#3:2 D#3:2 F#3:2 B3:4",
              "k.h.s.h.k.h.s.ss", "RRORRRORRRORRROR", "0.2.1.3.0.2.1.3."},
             {"Em C D B", "", "k...k...k...k...", "R...............", "0120120120120123"}},
            {0, 1, 2, 1, 3, 1, 2, 1, 2, 0}};
}

// The closing crawl: slow D minor, a singing saw tune over bell chords.
Song CrawlSong()
{
    return {"intro.mod", "kvspace voyage", 8, 125,
            {64, {1, 0.4, 0.2, 0, 0, 0, 0, 0}, 300, 0.5, 0.3, 4, 52},
            {32, {1, 0.5, 0.33, 0.25, 0.2, 0.16, 0, 0}, 800, 0.5, 0.8, 8, 40},
            {32, {1, 0, 0.4, 0, 0, 0.2, 0, 0}, 500, 0, 0.3, 0, 30},
            {{"Dm Bb F C", "", "................", "R.......F.......", "0...1...2...3..."},
             {"Dm Bb F C", "A2~:8 D3:4 E3:4 F3~:8 E3:4 D3:4 C3~:12 A2:4 G2~:16", "k.......s.......",
              "R.......F.......", "0...1...2...3..."},
             {"Gm Dm A Dm", "G3~:8 F3:4 E3:4 F3~:8 E3:4 D3:4 C#3~:8 E3:4 A3:4 D3~:16", "k...h...s...h...",
              "R.......F...O...", "0.1.2.3.2.1.2.1."}},
            {0, 1, 2, 1, 2}};
}

}  // namespace

void WriteMusic(const std::filesystem::path& soundtrackDir)
{
    for (const Song& song : {TitleSong(), SpaceSong(), CombatSong(), CrawlSong()})
        WriteBytes(soundtrackDir / song.File, EncodeModule(Compose(song)));
}

}  // namespace mkassets
