#pragma once

#include <cstdint>
#include <vector>

#include "core/byte_writer.h"

namespace kelbo::testing {

// Builds bitmap files field by field, so each test states every byte it uses.
struct BmpBuilder {
    std::vector<std::uint8_t> bytes;

    BmpBuilder& U8(std::uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    BmpBuilder& U16(std::uint16_t v) {
        AppendU16Le(bytes, v);
        return *this;
    }
    BmpBuilder& U32(std::uint32_t v) {
        AppendU32Le(bytes, v);
        return *this;
    }
    BmpBuilder& I32(std::int32_t v) {
        AppendI32Le(bytes, v);
        return *this;
    }
    BmpBuilder& Zeros(std::size_t n) {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }

    BmpBuilder& FileHeader(std::uint32_t fileSize, std::uint32_t pixelOffset) {
        return U8('B').U8('M').U32(fileSize).U32(0).U32(pixelOffset);
    }
    // The 40 bytes of a BITMAPINFOHEADER (also the start of V4 and V5 ones).
    BmpBuilder& InfoHeader(std::uint32_t size, std::int32_t width, std::int32_t height, std::uint16_t bpp,
                           std::uint32_t compression, std::uint32_t colorsUsed = 0, std::uint16_t planes = 1) {
        return U32(size)
            .I32(width)
            .I32(height)
            .U16(planes)
            .U16(bpp)
            .U32(compression)
            .U32(0)
            .I32(2835)
            .I32(2835)
            .U32(colorsUsed)
            .U32(0);
    }
};

}  // namespace kelbo::testing
