#pragma once

#include <cstdint>
#include <vector>

namespace kelbo {

// Little-endian field appenders for file writers.
inline void AppendU16Le(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void AppendU32Le(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void AppendI32Le(std::vector<std::uint8_t>& out, std::int32_t v) {
    AppendU32Le(out, static_cast<std::uint32_t>(v));
}

}  // namespace kelbo
