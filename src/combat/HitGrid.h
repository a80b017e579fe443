// The battle's bullets and asteroids filed by the square of space they are
// in, so that a ship's hit test looks only at those near it instead of at
// every object of the battle: the cost of a tick grows with the number of
// objects, not with its square.
//
// A bullet is filed by its point, an asteroid by its centre: the points the
// hit rules measure. The squares are 64 pixels wide, so the box a ship's
// hit test covers touches at most nine of them. Each square keeps the
// asteroids and each side's bullets apart: a ship is never hit by its own
// side's bullets, and in a crowd of enemies firing at the player nearly
// every bullet near an enemy is an enemy's, which its hit test then skips
// without looking at one.
//
// The grid answers for the objects' places as they are when it is asked.
// The combat walk files everything once at its start, files every object
// appended during the walk, and files each bullet and asteroid again as soon
// as it has moved; outside the walk, a hit test files the list for itself.
// Either way the candidates come back in list order, so the hit rules meet
// them in the same order as a walk of the whole list would.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace kv {

class kvCombatObject;

// A filed point and what a hit test can tell from it without reading the
// object: whether it is a bullet's, and the bullet's side.
struct HitCandidate {
    double X;
    double Y;
    uint32_t Position;
    int32_t Side;  // a bullet's; 0 for an asteroid
    bool IsBullet;
};

class HitGrid {
public:
    // Files every bullet and asteroid of the list; the grid is live until
    // Clear.
    void FileAll(const std::vector<std::unique_ptr<kvCombatObject>>& list);
    // Files the object at a list position where it is now: one just
    // appended or one that has just moved. Other kinds are not filed.
    void File(std::size_t position, const kvCombatObject& object);
    void Clear();
    bool Live() const { return live_; }

    // Calls visit(position), or visit(candidate) where visit takes a
    // HitCandidate, for every bullet and asteroid below list position
    // `limit` whose point lies in the box (left <= x <= right, top <= y <=
    // bottom), once each, in no particular order; the bullets of side
    // `exceptBulletsOf`, when given, are left out. A point that is no
    // finite place is in no box: no hit can happen there.
    template <typename Visit>
    void ForEachIn(double left, double top, double right, double bottom, std::size_t limit, Visit visit,
                   std::optional<int32_t> exceptBulletsOf = std::nullopt) const
    {
        if (!(std::isfinite(left) && std::isfinite(top) && std::isfinite(right) && std::isfinite(bottom))) return;
        const int32_t firstRow = CellIndex(top);
        const int32_t lastRow = CellIndex(bottom);
        const int32_t lastColumn = CellIndex(right);
        for (const int64_t group : groups_) {
            if (exceptBulletsOf && group == *exceptBulletsOf) continue;
            for (int64_t column = CellIndex(left); column <= lastColumn; ++column)
                for (int64_t row = firstRow; row <= lastRow; ++row) {
                    const auto found = cells_.find(Square{static_cast<int32_t>(column), static_cast<int32_t>(row), group});
                    if (found == cells_.end()) continue;
                    const Cell& cell = found->second;
                    for (uint32_t slot = 0; slot < cell.size(); ++slot) {
                        const HitCandidate& e = cell[slot];
                        if (e.X < left || e.X > right || e.Y < top || e.Y > bottom || e.Position >= limit) continue;
                        const Filing& f = filed_[e.Position];
                        if (f.Where != &cell || f.Slot != slot) continue;
                        if constexpr (std::is_invocable_v<Visit&, const HitCandidate&>) visit(e);
                        else visit(e.Position);
                    }
                }
        }
    }

private:
    // A power of two, so that dividing by it is exact.
    static constexpr double CellSize = 64;

    using Cell = std::vector<HitCandidate>;
    // A square of space for one group of filed points: the asteroids, or
    // the bullets of one side.
    struct Square {
        int32_t Column = 0;
        int32_t Row = 0;
        int64_t Group = 0;  // a bullet's side, or AsteroidGroup
        friend bool operator==(const Square&, const Square&) = default;
    };
    struct SquareHash {
        std::size_t operator()(const Square& s) const;
    };
    // No side of a bullet: every side is a 32-bit number.
    static constexpr int64_t AsteroidGroup = int64_t{INT32_MAX} + 1;

    // Where an object's point is filed now. An object that moved to another
    // square leaves its old entry behind, which no longer matches its
    // filing and is skipped.
    struct Filing {
        Cell* Where = nullptr;  // none: not filed
        uint32_t Slot = 0;
        Square Key;
    };

    // Squares kept empty between filings beyond the objects filed; past
    // that, a battle that drifted far lets the squares it left go.
    static constexpr std::size_t SpareSquares = 256;

    static int32_t CellIndex(double v);

    // The map's elements stay where they are as it grows, so a filing can
    // point at its square.
    std::unordered_map<Square, Cell, SquareHash> cells_;
    std::vector<Filing> filed_;  // by list position
    // The groups filed since the grid was last cleared, each once.
    std::vector<int64_t> groups_;
    bool live_ = false;
};

// Keeps the grid filed for as long as it lives, unless it was filed already
// (the walk's hit tests inside the walk's own filing).
class FiledHits {
public:
    FiledHits(HitGrid& grid, const std::vector<std::unique_ptr<kvCombatObject>>& list);
    ~FiledHits();
    FiledHits(const FiledHits&) = delete;
    FiledHits& operator=(const FiledHits&) = delete;

private:
    HitGrid& grid_;
    bool filedHere_;
};

}  // namespace kv
