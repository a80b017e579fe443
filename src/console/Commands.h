// The console's command line: a line typed at the prompt is split into
// words when Enter is pressed and run on the next tick of the space scene
// (hud/ConsoleCommands.h runs it).
//
//   quit game                 ends the program
//   quit                      back to the title screen
//   newgame NAME A D S [R]    a new game: avatar 1..7, difficulty 1..3, class 1..4,
//                             rules classic (also without R) or career
//   set money N               the pilot's cash becomes N
//   combat                    straight into a battle
//   save N                    the game saved into slot 1..8
//   load N                    slot 1..8, or 0 the autosave, loaded
//   contracts                 a career's contract offers and accepted contracts
//   accept N                  a career's contract offer N accepted
//   galaxy                    a career's galactic jump, from the gateway star
//   options                   the options window
//
// Words are compared exactly, so commands are typed in lower case. Errors
// go to the console log as alerts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/OneBased.h"

namespace kv {

namespace command {
constexpr uint8_t None = 0;
constexpr uint8_t Quit = 1;
constexpr uint8_t NewGame = 2;
constexpr uint8_t Set = 3;
constexpr uint8_t Combat = 4;
constexpr uint8_t Save = 5;
constexpr uint8_t Load = 6;
constexpr uint8_t Contracts = 7;
constexpr uint8_t Accept = 8;
constexpr uint8_t Galaxy = 9;
constexpr uint8_t Options = 10;
constexpr uint8_t Unknown = 255;
}  // namespace command

constexpr std::size_t MaxWords = 30;

struct CommandLine {
    uint8_t Code = command::None;
    OneBased<std::string, MaxWords> Words;
    int32_t WordsUsed = 0;

    // Word i, or an empty word past the ones found.
    const std::string& Word(std::size_t i) const;
};

// Splits a submitted line into words at runs of spaces and recognises its
// first word. A line of more than 30 words keeps its first 30.
void ParseCommandLine(CommandLine& line, std::string_view text);

// A word read as a signed 32-bit whole number: leading spaces and a sign are
// allowed, and "$", "x", "X" or "0x" introduce hexadecimal digits. Anything
// else, an empty word, or a number beyond 32 bits gives nothing.
std::optional<int32_t> ParseCommandInteger(std::string_view word);

}  // namespace kv
