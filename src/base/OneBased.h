// A fixed-size array indexed from 1 to N, as the game's tables are
// (goods 1..12, galaxies 1..10, window slots 1..32). Indexing is checked:
// an index outside 1..N is a programming error and throws.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

namespace kv {

template <typename T, std::size_t N>
class OneBased {
public:
    static constexpr std::size_t Count = N;

    T& operator[](std::size_t i) { return items_[Check(i)]; }
    const T& operator[](std::size_t i) const { return items_[Check(i)]; }

    bool operator==(const OneBased&) const = default;

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static std::size_t Check(std::size_t i)
    {
        if (i < 1 || i > N) throw std::out_of_range("index outside 1..N");
        return i - 1;
    }
    std::array<T, N> items_{};
};

}  // namespace kv
