// The pseudo-random numbers of "Pointilizmus" and "Maľba": a 32-bit linear
// congruential generator with integer arithmetic only, so one seed gives the
// same picture on every platform.
#pragma once

#include <cstdint>

namespace kelbo {

class EffectRandom {
public:
    explicit EffectRandom(std::uint32_t seed) : state_(seed) {}

    // Random(n): 0 … n − 1, and 0 when n is 0 or below.
    int Next(int n) {
        state_ = state_ * 134775813u + 1u;
        if (n <= 0) return 0;
        return static_cast<int>((static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(n)) >> 32);
    }

private:
    std::uint32_t state_;
};

}  // namespace kelbo
