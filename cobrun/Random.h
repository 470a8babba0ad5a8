#pragma once
#include <cstdint>
#include <utility>

namespace cobrun {

// A small generator whose numbers are the same on every platform for the same seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    // A number from `low` to `high`, both included, in either order.
    std::int32_t Between(std::int32_t low, std::int32_t high) {
        if (low > high) std::swap(low, high);
        const std::uint64_t range = static_cast<std::uint64_t>(std::int64_t{high} - low) + 1;
        return static_cast<std::int32_t>(low + static_cast<std::int64_t>(Next() % range));
    }

private:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
};

}  // namespace cobrun
