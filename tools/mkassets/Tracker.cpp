#include "Tracker.h"

#include <algorithm>
#include <stdexcept>

namespace mkassets {
namespace {

constexpr std::array<int, NoteCount> Periods{856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                             428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                             214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

void PutText(std::vector<uint8_t>& out, const std::string& text, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

void PutWord(std::vector<uint8_t>& out, std::size_t value)
{
    if (value > 0xFFFF)
        throw std::length_error("module value does not fit a word");
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
}

void PutInstrumentHeader(std::vector<uint8_t>& out, const Instrument& instrument)
{
    PutText(out, instrument.Name, 22);
    PutWord(out, instrument.Data.size() / 2);
    out.push_back(0);  // finetune
    out.push_back(static_cast<uint8_t>(std::clamp(instrument.Volume, 0, 64)));
    const bool looped = instrument.LoopLength > 0;
    PutWord(out, looped ? instrument.LoopStart / 2 : 0);
    PutWord(out, looped ? instrument.LoopLength / 2 : 1);
}

void PutCell(std::vector<uint8_t>& out, const Cell& cell)
{
    const int period = cell.Note >= 0 ? NotePeriod(cell.Note) : 0;
    out.push_back(static_cast<uint8_t>((cell.Instrument & 0xF0) | (period >> 8)));
    out.push_back(static_cast<uint8_t>(period & 0xFF));
    out.push_back(static_cast<uint8_t>(((cell.Instrument & 0x0F) << 4) | (cell.Effect & 0x0F)));
    out.push_back(static_cast<uint8_t>(cell.Parameter & 0xFF));
}

}  // namespace

int NotePeriod(int note)
{
    if (note < 0 || note >= NoteCount)
        throw std::out_of_range("note outside the period table");
    return Periods[static_cast<std::size_t>(note)];
}

std::vector<uint8_t> EncodeModule(const Module& module)
{
    if (module.Instruments.size() > 31 || module.Order.empty() || module.Order.size() > 128)
        throw std::length_error("module out of the format's limits");
    std::vector<uint8_t> out;
    PutText(out, module.Title, 20);
    for (std::size_t i = 0; i < 31; ++i)
        PutInstrumentHeader(out, i < module.Instruments.size() ? module.Instruments[i] : Instrument{});
    out.push_back(static_cast<uint8_t>(module.Order.size()));
    out.push_back(127);
    for (std::size_t i = 0; i < 128; ++i)
        out.push_back(static_cast<uint8_t>(i < module.Order.size() ? module.Order[i] : 0));
    PutText(out, "M.K.", 4);
    const int highest = *std::max_element(module.Order.begin(), module.Order.end());
    if (highest >= static_cast<int>(module.Patterns.size()))
        throw std::out_of_range("order refers to a missing pattern");
    for (int p = 0; p <= highest; ++p)
        for (const Row& row : module.Patterns[static_cast<std::size_t>(p)])
            for (const Cell& cell : row)
                PutCell(out, cell);
    for (const Instrument& instrument : module.Instruments)
        for (const int8_t sample : instrument.Data)
            out.push_back(static_cast<uint8_t>(sample));
    return out;
}

}  // namespace mkassets
