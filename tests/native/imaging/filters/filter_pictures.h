// Small pictures and a progress recorder for the filter tests.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "core/bitmap24.h"
#include "core/progress.h"

namespace kelbo::testing {

// Rows of grey values, each written to all three channels.
inline Bitmap24 GreyPicture(const std::vector<std::vector<int>>& rows) {
    Bitmap24 picture(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const auto v = static_cast<std::uint8_t>(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
            picture.SetPixel(x, y, Rgb(v, v, v));
        }
    }
    return picture;
}

// The grey values of a picture's channel (0 blue, 1 green, 2 red).
inline std::vector<std::vector<int>> ChannelRows(const Bitmap24& picture, int channel = 0) {
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < picture.Height(); ++y) {
        std::vector<int> row;
        for (int x = 0; x < picture.Width(); ++x) row.push_back(picture.Row(y)[3 * x + channel]);
        rows.push_back(row);
    }
    return rows;
}

inline Bitmap24 RandomPicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int i = 0; i < 3 * width; ++i) row[i] = static_cast<std::uint8_t>(random() & 0xFF);
    }
    return picture;
}

class RecordingProgress : public Progress {
public:
    void SetMax(int value) noexcept override { max = value; }
    void SetPosition(int position) noexcept override { positions.push_back(position); }
    int max = -1;
    std::vector<int> positions;
};

}  // namespace kelbo::testing
