#pragma once

#include <cstddef>
#include <limits>
#include <optional>

namespace kelbo {

// Size arithmetic that reports overflow instead of wrapping around.
constexpr std::optional<std::size_t> CheckedMul(std::size_t a, std::size_t b) {
    if (a != 0 && b > std::numeric_limits<std::size_t>::max() / a) return std::nullopt;
    return a * b;
}

constexpr std::optional<std::size_t> CheckedAdd(std::size_t a, std::size_t b) {
    if (b > std::numeric_limits<std::size_t>::max() - a) return std::nullopt;
    return a + b;
}

}  // namespace kelbo
