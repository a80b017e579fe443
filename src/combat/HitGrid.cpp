#include "combat/HitGrid.h"

#include <algorithm>
#include <cmath>

#include "combat/Combat.h"

namespace kv {

namespace {

bool IsFiled(const kvCombatObject& o) { return o.Class == ObjectClass::Bullet || o.Class == ObjectClass::Obstacle; }

// The point the hit rules measure: a bullet's own, an asteroid's centre.
void HitPoint(const kvCombatObject& o, double& x, double& y)
{
    x = o.X;
    y = o.Y;
    if (o.Class != ObjectClass::Obstacle) return;
    x += o.Width / 2;
    y += o.Height / 2;
}

}  // namespace

// Column, row and group mixed so that neighbouring squares spread over the
// map's buckets.
std::size_t HitGrid::SquareHash::operator()(const Square& s) const
{
    uint64_t h = (uint64_t{static_cast<uint32_t>(s.Column)} << 32) | static_cast<uint32_t>(s.Row);
    h ^= static_cast<uint64_t>(s.Group) * 0x9E3779B97F4A7C15u;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9u;
    h ^= h >> 32;
    return static_cast<std::size_t>(h);
}

// Everything beyond 2^38 pixels shares the outermost squares, which keeps
// the order of places.
int32_t HitGrid::CellIndex(double v)
{
    const double cell = std::floor(v / CellSize);
    if (cell <= INT32_MIN) return INT32_MIN;
    if (cell >= INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(cell);
}

void HitGrid::FileAll(const std::vector<std::unique_ptr<kvCombatObject>>& list)
{
    Clear();
    live_ = true;
    filed_.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) File(i, *list[i]);
}

// A point that moved within its square is updated in place; one that moved
// to another square gets a new entry there.
void HitGrid::File(std::size_t position, const kvCombatObject& object)
{
    if (!IsFiled(object)) return;
    if (position >= filed_.size()) filed_.resize(position + 1);
    Filing& f = filed_[position];
    double x = 0;
    double y = 0;
    HitPoint(object, x, y);
    if (!std::isfinite(x) || !std::isfinite(y)) {
        f = Filing{};
        return;
    }
    const bool bullet = object.Class == ObjectClass::Bullet;
    const int32_t side = bullet ? static_cast<const kvBullet&>(object).Side : 0;
    const Square key{CellIndex(x), CellIndex(y), bullet ? side : AsteroidGroup};
    const HitCandidate filed{x, y, static_cast<uint32_t>(position), side, bullet};
    if (f.Where != nullptr && f.Key == key) {
        (*f.Where)[f.Slot] = filed;
        return;
    }
    if (std::find(groups_.begin(), groups_.end(), key.Group) == groups_.end()) groups_.push_back(key.Group);
    Cell& cell = cells_[key];
    cell.push_back(filed);
    f = Filing{&cell, static_cast<uint32_t>(cell.size() - 1), key};
}

// The squares are emptied, not freed, so that the next filing reuses their
// memory instead of allocating every square again each tick.
void HitGrid::Clear()
{
    if (cells_.size() > filed_.size() + SpareSquares) cells_.clear();
    for (auto& [key, cell] : cells_) cell.clear();
    filed_.clear();
    groups_.clear();
    live_ = false;
}

FiledHits::FiledHits(HitGrid& grid, const std::vector<std::unique_ptr<kvCombatObject>>& list)
    : grid_(grid), filedHere_(!grid.Live())
{
    if (filedHere_) grid_.FileAll(list);
}

FiledHits::~FiledHits()
{
    if (filedHere_) grid_.Clear();
}

}  // namespace kv
