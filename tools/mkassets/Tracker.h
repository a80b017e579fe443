// Four-channel tracker modules in the classic "M.K." layout: a 20-byte title,
// 31 instrument headers, a 128-entry order table, 64-row patterns of four
// channels and the 8-bit signed sample data. All lengths in the headers are
// counted in 16-bit words, big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mkassets {

// Notes are counted in semitones from C-1 (0) to B-3 (35), the range of the
// format's period table.
constexpr int NoteCount = 36;
int NotePeriod(int note);

struct Instrument {
    std::string Name;
    std::vector<int8_t> Data;  // an even number of bytes
    int Volume = 64;           // 0..64
    std::size_t LoopStart = 0; // in bytes; a loop length of 0 plays once
    std::size_t LoopLength = 0;
};

struct Cell {
    int Instrument = 0;  // 1..31, 0 = none
    int Note = -1;       // 0..35, -1 = none
    int Effect = 0;
    int Parameter = 0;
};

constexpr int ChannelCount = 4;
constexpr int RowCount = 64;
using Row = std::array<Cell, ChannelCount>;
using Pattern = std::array<Row, RowCount>;

struct Module {
    std::string Title;
    std::vector<Instrument> Instruments;  // at most 31
    std::vector<Pattern> Patterns;
    std::vector<int> Order;               // at most 128 entries
};

std::vector<uint8_t> EncodeModule(const Module& module);

// The effects the songs use.
namespace Effect {
constexpr int Arpeggio = 0x0;      // xy: the note, +x and +y semitones in turn each tick
constexpr int SlideToNote = 0x3;   // glides from the playing pitch to the cell's note
constexpr int Vibrato = 0x4;
constexpr int VolumeSlide = 0xA;   // x0 up, 0y down, per tick
constexpr int PositionJump = 0xB;  // to the given order entry after this row
constexpr int SetVolume = 0xC;
constexpr int Extended = 0xE;      // 8x: the channel's place, 0 left .. 15 right;
                                   // 9x: retrigger the note every x ticks
constexpr int SetSpeed = 0xF;      // below 32 ticks per row, otherwise beats per minute
}  // namespace Effect

}  // namespace mkassets
