#include "codecs/bmp_rle.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/byte_reader.h"

namespace kelbo {
namespace {

void Put(std::uint8_t* line, int x, BmpBgr c) { std::memcpy(line + 3 * x, &c, 3); }

}  // namespace

std::optional<Failure> DecodeBmpRle(std::span<const std::uint8_t> data, int bits, const BmpColorLookup& colors,
                                    PixelView out, const ProgressScope& progress) {
    static_assert(sizeof(BmpBgr) == 3);
    const int width = out.Width();
    const int height = out.Height();
    ByteReader r(data);
    int x = 0;    // 0..width: runs past the edge stop at it
    int row = 0;  // counted from the bottom
    int percent = 0;
    const auto ended = [&]() -> std::optional<Failure> {
        if (row >= height - 1) return std::nullopt;
        return Failure{FailureKind::kTruncated, "run-length data ends in row " + std::to_string(row) + " of " +
                                                    std::to_string(height) + " (counted from the bottom)"};
    };
    while (row < height) {
        if (r.Remaining() < 2) return ended();
        const std::uint8_t count = r.U8();
        const std::uint8_t code = r.U8();
        std::uint8_t* line = out.Row(height - 1 - row);
        if (count > 0) {
            const int n = std::min<int>(count, width - x);
            if (bits == 8) {
                for (int i = 0; i < n; ++i) Put(line, x + i, colors[code]);
            } else {
                const BmpBgr pair[2] = {colors[code >> 4], colors[code & 15]};
                for (int i = 0; i < n; ++i) Put(line, x + i, pair[i & 1]);
            }
            x += n;
            continue;
        }
        if (code == 1) return std::nullopt;  // end of bitmap
        if (code == 0) {                     // end of line
            x = 0;
            ++row;
        } else if (code == 2) {  // delta: right and up
            if (r.Remaining() < 2) return ended();
            const int dx = r.U8();
            const int dy = r.U8();
            x = std::min(x + dx, width);
            row += dy;
        } else {  // absolute run, padded to a 16-bit boundary
            const std::size_t bytes = bits == 8 ? code : (code + 1u) / 2;
            if (r.Remaining() < bytes) return ended();
            const std::uint8_t* literal = r.Bytes(bytes).data();
            if (bytes % 2 == 1 && r.Remaining() > 0) r.Skip(1);
            const int n = std::min<int>(code, width - x);
            for (int i = 0; i < n; ++i) {
                const std::uint8_t index = bits == 8 ? literal[i]
                                                     : (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 15);
                Put(line, x + i, colors[index]);
            }
            x += n;
        }
        const int now = static_cast<int>(std::min<std::int64_t>(row, height) * 100 / height);
        if (now != percent) progress.Set(percent = now);
    }
    return std::nullopt;
}

}  // namespace kelbo
