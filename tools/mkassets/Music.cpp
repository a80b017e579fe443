// The soundtrack: each song of Songs.cpp made into a four-channel module
// that plays its sections in order and then jumps back to the start of its
// loop, so that it plays for as long as the scene lasts without a gap.
//
// Channels: bass on 1, drums on 2, the tune on 3 and the harmony (chords or
// the tune's echo) on 4. The first pattern places them: bass and drums in
// the middle, the tune a little to the right and the harmony as far to the
// left, so that the low end and the hats sit centred and the two sides
// balance.
#include "Music.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Files.h"
#include "Instruments.h"
#include "Songs.h"
#include "Tracker.h"

namespace mkassets {
namespace {

constexpr int KickInstrument = 1;
constexpr int SnareInstrument = 2;
constexpr int HatInstrument = 3;
constexpr int BassInstrument = 4;
constexpr int LeadInstrument = 5;
constexpr int HarmonyInstrument = 6;
constexpr int PadInstrument = 7;
constexpr int RideInstrument = 8;

constexpr int BassChannel = 0;
constexpr int DrumChannel = 1;
constexpr int LeadChannel = 2;
constexpr int HarmonyChannel = 3;

constexpr int NoteC2 = 12;
constexpr int NoteC3 = 24;
constexpr int NoteB3 = 35;
constexpr int RowsPerBar = 16;
constexpr int EchoDelay = 3;
constexpr std::string_view FillDrums = "k.s.g.s.k.s.r.r.";

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

Chord ParseChord(std::string_view name, int transpose)
{
    int root = Semitone(name[0]) + transpose;
    std::size_t i = 1;
    if (i < name.size() && (name[i] == '#' || name[i] == 'b'))
        root += name[i++] == '#' ? 1 : -1;
    const bool minor = i < name.size() && name[i] == 'm';
    return {((root % 12) + 12) % 12, {0, minor ? 3 : 4, 7, 12}};
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

using Bars = std::array<Chord, 4>;

Bars ParseChords(const Section& section)
{
    const auto names = Words(section.Chords);
    if (names.size() != 4)
        throw std::invalid_argument("a section needs four chords");
    return {ParseChord(names[0], section.Transpose), ParseChord(names[1], section.Transpose),
            ParseChord(names[2], section.Transpose), ParseChord(names[3], section.Transpose)};
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

char Symbol(std::string_view line, int row)
{
    if (line.size() != RowsPerBar && line.size() != RowCount)
        throw std::invalid_argument("a line holds 16 or 64 rows");
    return line[static_cast<std::size_t>(row) % line.size()];
}

const Chord& ChordAt(const Bars& bars, int row) { return bars[static_cast<std::size_t>(row / RowsPerBar)]; }

void WriteDrums(Pattern& pattern, const Section& section, const Song& song)
{
    const int volume = song.Kit.Volume;
    const int hat = volume * 2 / 3;
    const int accent = volume * 5 / 6;
    const int ghost = volume / 3;
    for (int row = 0; row < RowCount; ++row) {
        const bool fill = section.Fill && row >= RowCount - RowsPerBar;
        Cell& cell = pattern[row][DrumChannel];
        switch (fill ? Symbol(FillDrums, row) : Symbol(section.Drums, row)) {
        case 'k': cell = {KickInstrument, NoteC2}; break;
        case 's': cell = {SnareInstrument, NoteC3}; break;
        case 'g': cell = {SnareInstrument, NoteC3, Effect::SetVolume, ghost}; break;
        case 'r': cell = {SnareInstrument, NoteC3, Effect::Extended, 0x93}; break;
        case 'h': cell = {HatInstrument, NoteB3, Effect::SetVolume, hat}; break;
        case 'H': cell = {HatInstrument, NoteB3, Effect::SetVolume, accent}; break;
        case 'c':
            if (song.Ride.Data.empty())
                throw std::invalid_argument("a ride in a song without one");
            cell = {RideInstrument, NoteB3, Effect::SetVolume, accent};
            break;
        default: break;
        }
    }
}

void WriteBass(Pattern& pattern, const Section& section, const Bars& bars)
{
    for (int row = 0; row < RowCount; ++row) {
        const Chord& chord = ChordAt(bars, row);
        Cell& cell = pattern[row][BassChannel];
        switch (Symbol(section.Bass, row)) {
        case 'R': cell = {BassInstrument, chord.Root}; break;
        case 'T': cell = {BassInstrument, chord.Root + chord.Tones[1]}; break;
        case 'F': cell = {BassInstrument, InRange(chord.Root + 7)}; break;
        case 'O': cell = {BassInstrument, chord.Root + 12}; break;
        case '-': cell = Silence(); break;
        default: break;
        }
    }
}

void WriteHarmony(Pattern& pattern, const Section& section, const Bars& bars)
{
    for (int row = 0; row < RowCount; ++row) {
        const Chord& chord = ChordAt(bars, row);
        const int arpeggio = chord.Tones[1] << 4 | chord.Tones[2];
        const char symbol = Symbol(section.Harmony, row);
        Cell& cell = pattern[row][HarmonyChannel];
        if (symbol >= '0' && symbol <= '3')
            cell = {HarmonyInstrument,
                    InRange(NoteC2 + chord.Root + chord.Tones[static_cast<std::size_t>(symbol - '0')])};
        else if (symbol == 'A')
            cell = {PadInstrument, InRange(NoteC2 + chord.Root), Effect::Arpeggio, arpeggio};
        else if (symbol == ':')
            cell = {0, -1, Effect::Arpeggio, arpeggio};
        else if (symbol == '-')
            cell = Silence();
    }
}

struct TuneNote {
    int Row;
    int Rows;
    int Note;   // -1 for a rest
    char Mark;  // '~' vibrato, '>' fade, '/' glide, 0 none
};

std::vector<TuneNote> ParseTune(std::string_view tune, int transpose)
{
    std::vector<TuneNote> notes;
    int row = 0;
    for (const std::string_view token : Words(tune)) {
        const auto colon = token.find(':');
        const int rows = std::stoi(std::string(token.substr(colon + 1)));
        if (token[0] == '-') {
            notes.push_back({row, rows, -1, 0});
        } else {
            std::size_t i = 1;
            int semitone = Semitone(token[0]);
            if (token[i] == '#' || token[i] == 'b')
                semitone += token[i++] == '#' ? 1 : -1;
            const int octave = token[i++] - '0';
            const char mark = i < colon ? token[i] : 0;
            notes.push_back({row, rows, InRange((octave - 1) * 12 + semitone + transpose), mark});
        }
        row += rows;
    }
    if (row != 0 && row != RowCount)
        throw std::invalid_argument("tune does not fill its pattern");
    return notes;
}

// Off-beat notes are played a little softer than those on the beat.
int Accent(int row, int volume) { return row % 4 == 0 ? volume : volume * 4 / 5; }

void WriteTune(Pattern& pattern, const Section& section, int volume)
{
    for (const TuneNote& note : ParseTune(section.Tune, section.Transpose)) {
        if (section.Thin && note.Row % (RowsPerBar / 2) != 0)
            continue;
        const auto at = [&](int row) -> Cell& { return pattern[(row + section.Displace) % RowCount][LeadChannel]; };
        if (note.Note < 0) {
            at(note.Row) = Silence();
            continue;
        }
        at(note.Row) = note.Mark == '/' ? Cell{LeadInstrument, note.Note, Effect::SlideToNote, 0x18}
                                        : Cell{LeadInstrument, note.Note, Effect::SetVolume, Accent(note.Row, volume)};
        for (int held = note.Row + 2; held < note.Row + note.Rows; ++held) {
            if (note.Mark == '~')
                at(held) = {0, -1, Effect::Vibrato, 0x34};
            else if (note.Mark == '>')
                at(held) = {0, -1, Effect::VolumeSlide, 0x01};
        }
    }
}

// The tune again on the harmony channel, a few rows late and soft.
void WriteEcho(Pattern& pattern, int volume)
{
    for (int row = 0; row < RowCount; ++row) {
        const Cell& source = pattern[row][LeadChannel];
        Cell& echo = pattern[(row + EchoDelay) % RowCount][HarmonyChannel];
        if (source.Note >= 0)
            echo = {LeadInstrument, source.Note, Effect::SetVolume, volume * 2 / 5};
        else if (source.Effect == Effect::SetVolume && source.Parameter == 0)
            echo = Silence();
        else
            echo = source;
    }
}

// Sets an effect on a row of the channel, which must hold none yet.
void PutEffect(Pattern& pattern, int row, int channel, int effect, int parameter)
{
    Cell& cell = pattern[row][channel];
    if (cell.Effect != 0 || cell.Parameter != 0)
        throw std::logic_error("two effects meet in one cell");
    cell.Effect = effect;
    cell.Parameter = parameter;
}

Pattern ComposePattern(const Song& song, const Section& section)
{
    Pattern pattern{};
    const Bars bars = ParseChords(section);
    WriteDrums(pattern, section, song);
    WriteBass(pattern, section, bars);
    WriteTune(pattern, section, song.Lead.Volume);
    if (section.Echo)
        WriteEcho(pattern, song.Lead.Volume);
    else
        WriteHarmony(pattern, section, bars);
    // Every pattern restates the tempo, so a player that starts anywhere in
    // the song keeps it.
    PutEffect(pattern, 0, BassChannel, Effect::SetSpeed, song.Speed);
    PutEffect(pattern, 0, DrumChannel, Effect::SetSpeed, song.Tempo);
    return pattern;
}

// Places of the channels from left (0) to right (15), set with effect E8x:
// players give it the same meaning everywhere, and 7 and 8 are as near the
// middle as it reaches.
constexpr std::array<int, ChannelCount> Placement{7, 8, 9, 6};
constexpr int SetPanning = 0x80;

// Sets each channel's place on the first row of the pattern where its cell
// holds no effect, or else where it only continues an arpeggio (the chord's
// root then sounds alone for that row).
void PlaceChannels(Pattern& pattern)
{
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const auto free = [&](const Row& row) { return row[channel].Effect == 0 && row[channel].Parameter == 0; };
        const auto continuing = [&](const Row& row) {
            return row[channel].Note < 0 && row[channel].Effect == Effect::Arpeggio;
        };
        auto row = std::find_if(pattern.begin(), pattern.end(), free);
        if (row == pattern.end())
            row = std::find_if(pattern.begin(), pattern.end(), continuing);
        if (row == pattern.end())
            throw std::logic_error("no cell to place a channel");
        (*row)[channel].Effect = Effect::Extended;
        (*row)[channel].Parameter = SetPanning | Placement[static_cast<std::size_t>(channel)];
    }
}

// The last row of the song's last pattern jumps back to the loop's start.
// When that pattern also plays earlier in the song, the jump goes on a copy.
void CloseTheLoop(Module& module, int loopOrder)
{
    const int last = module.Order.back();
    const bool usedEarlier = std::count(module.Order.begin(), module.Order.end(), last) > 1;
    if (usedEarlier) {
        module.Patterns.push_back(module.Patterns[static_cast<std::size_t>(last)]);
        module.Order.back() = static_cast<int>(module.Patterns.size()) - 1;
    }
    Pattern& pattern = module.Patterns[static_cast<std::size_t>(module.Order.back())];
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const Cell& cell = pattern[RowCount - 1][channel];
        if (cell.Effect == 0 && cell.Parameter == 0) {
            PutEffect(pattern, RowCount - 1, channel, Effect::PositionJump, loopOrder);
            return;
        }
    }
    throw std::logic_error("no free cell for the loop's jump");
}

Module Compose(const Song& song)
{
    Module module;
    module.Title = std::string(song.Title);
    module.Instruments = {Kick(song.Kit), Snare(song.Kit), Hat(song.Kit), TonalInstrument("bass", song.Bass),
                          song.Lead,      song.Harmony,     song.Pad};
    if (!song.Ride.Data.empty())
        module.Instruments.push_back(song.Ride);
    for (const Section& section : song.Sections)
        module.Patterns.push_back(ComposePattern(song, section));
    module.Order = song.Order;
    CloseTheLoop(module, song.LoopOrder);
    // The intro plays first and only once; the places hold from then on.
    PlaceChannels(module.Patterns[static_cast<std::size_t>(module.Order.front())]);
    return module;
}

}  // namespace

void WriteMusic(const std::filesystem::path& soundtrackDir)
{
    for (const Song& song : Soundtrack())
        WriteBytes(soundtrackDir / song.File, EncodeModule(Compose(song)));
}

}  // namespace mkassets
