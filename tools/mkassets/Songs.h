// The four songs of the soundtrack as short text lines per section, and the
// order in which the sections play.
//
// Each section is one 64-row pattern of four bars. Chords: four names, one
// per bar ("Am", "F#", "Bb"). Tune: tokens "E3:4" (note, octave 1..3, rows)
// or "-:4" (a rest); after the octave "~" adds vibrato to a held note, ">"
// fades it out and "/" glides into it from the note before. Drums, bass and
// harmony: a line of 16 characters repeated over the four bars, or of 64 for
// the whole pattern, one per row. Drums: k kick, s snare, g ghost snare, r a
// snare roll, h hat, H accented hat, c the ride cymbal. Bass: R root, T
// third, F fifth, O octave. Harmony: 0..3 the chord's root, third, fifth and
// octave one at a time on the song's harmony instrument, A the chord as an
// arpeggio on its pad and ":" its continuation. In bass and
// harmony lines "-" silences the channel; "." leaves a row as it is.
//
// Variants of a section reuse its lines: moved by semitones, the tune
// displaced by some rows, thinned to its main beats, echoed on the harmony
// channel, or with a drum fill in its last bar.
#pragma once

#include <string_view>
#include <vector>

#include "Instruments.h"

namespace mkassets {

struct Section {
    std::string_view Chords;
    std::string_view Tune;
    std::string_view Drums;
    std::string_view Bass;
    std::string_view Harmony;
    int Transpose = 0;   // semitones
    int Displace = 0;    // rows the tune comes later, wrapping round the pattern
    bool Thin = false;   // the tune keeps only the notes on a half bar
    bool Echo = false;   // the harmony channel echoes the tune three rows late, softer
    bool Fill = false;   // the last bar's drums are a fill with a snare roll
};

struct Song {
    std::string_view File;
    std::string_view Title;
    int Speed;           // ticks per row
    int Tempo;           // beats per minute of the tracker's clock
    DrumKit Kit;
    Instrument Ride;     // of songs whose drums use one, else empty
    Voice Bass;
    Instrument Lead;
    Instrument Harmony;  // the chord tones one at a time
    Instrument Pad;      // the chord as an arpeggio
    std::vector<Section> Sections;
    std::vector<int> Order;  // sections in playing order
    int LoopOrder;           // the order entry the song jumps back to at its end
};

std::vector<Song> Soundtrack();

}  // namespace mkassets
