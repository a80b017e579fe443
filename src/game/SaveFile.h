// A saved game: the pilot's career and the galaxies it is played in, as
// bytes in a file and back.
//
// The file is binary, little-endian, in three parts:
//
//   "KVSPSAVE"              8 bytes, the file's mark
//   format version          uint32, 2 today; 1 is still read
//   body length             uint32
//   body checksum           uint64, FNV-1a 64 of the body
//   body                    the records below, field by field
//
// The body holds the time of saving; the pilot (name, portrait, class, cash,
// ranks and points, score, the game date, galaxy and star, the hold's
// quantities); the difficulty; the ship's fuel reserve and the catalogue
// entries of its hull, engine and weapon; the selected star and the star
// map's level; then every galaxy whole: its stars with their positions,
// names, governments, tech levels, classes, sizes, market rows with stock,
// and planets; from version 2 on, the rule set (a byte, 0 classic, 1
// career), and for a career what the hold cost and where it was bought, the
// kills, deliveries, wrecks and galaxies reached, the contract offers and
// accepted contracts, and every star's market memory. A version-1 file is a
// classic game. Each record's fields are named once, in one table that both
// the writer and the reader walk (SaveFile.cpp). Texts are a uint16 length
// and their bytes; the pilot's
// extended-precision points are two doubles, the value and what the first
// could not hold, which carry an 80-bit real exactly.
//
// The galaxies are stored whole, not as the generator's seed and what
// changed: a save then never depends on the generator drawing the same
// sequence in a later version, and ten galaxies of at most 49 stars take
// under 300 KB (a career's market memory about 200 KB more).
//
// Reading trusts nothing: every length, count and value is checked against
// what the game itself can hold before it is used, the whole body must be
// used up exactly, and the result is a fresh record that replaces nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "universe/Player.h"
#include "universe/World.h"

namespace kv {

constexpr uint32_t SaveFormatVersion = 2;
constexpr uint32_t OldestSaveVersion = 1;
// Far above the largest save the game can write; a file beyond it is refused
// before it is read.
constexpr std::size_t MostSaveBytes = 1024 * 1024;

// Everything a save holds: part of a world, and the interface's few fields
// beside it. The reader fills the world's galaxies, pilot (the hold's rows
// with their quantities only), difficulty and the ship's fuel; the rest of
// the world (the catalogues, the goods records of the hold, the ship's fitted
// parts, the random generator) is not in the file and is carried over from
// the running world when the save is put in play (game/SaveGames.h).
struct SavedGame {
    World world;
    uint8_t HullChoice = 1;      // catalogue entries fitted to the ship, 1..10
    uint8_t EngineChoice = 1;
    uint8_t WeaponChoice = 1;
    uint8_t SelectedStar = 0;    // 0 none
    uint8_t MapLevel = 1;        // 0 system, 1 galaxy, 2 empty
    int64_t SavedAt = 0;         // seconds since 1970-01-01 UTC
    // The format the record is written in: the newest, or the one it was
    // read from, so that a record read writes back to the same file.
    uint32_t Version = SaveFormatVersion;
};

// Copies the running world's rule set and career state into a save's world.
void CaptureCareer(const World& from, World& into);

enum class SaveState : uint8_t { Empty, Good, Damaged, Newer };

struct SaveRead {
    SaveState State = SaveState::Empty;
    std::string Problem;              // why it is damaged or newer
    std::unique_ptr<SavedGame> Game;  // only when Good
};

std::string EncodeSave(const SavedGame& save);
// Never throws and never reads outside `bytes`; empty bytes read as Damaged.
SaveRead DecodeSave(std::string_view bytes);
// The same reading into a record made earlier, for a reader of many files
// that keeps one record for all of them: every field the file holds is
// written, the rest (galaxy entries beyond the star counts among them) keep
// what they held, so the record writes back to the file it was read from.
// The result's Game stays empty. A refused file may leave the record part
// read.
SaveRead DecodeSave(std::string_view bytes, SavedGame& into);

// What the save window shows of a save.
struct SaveSummary {
    std::string PilotName;
    uint8_t TradeRank = 0;
    int32_t Cash = 0;
    std::string StarName;  // the pilot's star
    uint8_t Galaxy = 1;
    double GameDate = 0.0;
    int64_t SavedAt = 0;
};

struct SummaryRead {
    SaveState State = SaveState::Empty;
    std::string Problem;
    SaveSummary Summary;  // only when Good
};

// A save's summary without making its galaxies: the header, length and
// checksum are checked as DecodeSave checks them, then the body is read up
// to the pilot's star, one star at a time. A file that passes this and is
// refused by DecodeSave must have been forged with a matching checksum.
SummaryRead SummariseSave(std::string_view bytes);

// FNV-1a 64 of some bytes: the body's checksum.
uint64_t SaveChecksum(std::string_view bytes);

}  // namespace kv
