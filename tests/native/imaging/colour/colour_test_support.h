// Pictures and a progress recorder shared by the colour operation tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/bitmap24.h"
#include "core/color.h"
#include "core/progress.h"

namespace kelbo::testing {

// One row per inner list.
inline Bitmap24 PictureOf(std::initializer_list<std::initializer_list<Color>> rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height == 0 ? 0 : static_cast<int>(rows.begin()->size());
    Bitmap24 picture(width, height);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (const Color c : row) picture.SetPixel(x++, y, c);
        ++y;
    }
    return picture;
}

inline Bitmap24 Uniform(int width, int height, Color c) { return Bitmap24(width, height, c); }

// Every byte differs from its neighbours in a fixed pattern; odd sizes so
// rows carry padding.
inline Bitmap24 Varied(int width = 37, int height = 23) {
    Bitmap24 picture(width, height);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int i = 0; i < 3 * width; ++i) {
            state = state * 1103515245u + 12345u;
            row[i] = static_cast<std::uint8_t>(state >> 24);
        }
    }
    return picture;
}

struct ProgressRecord : Progress {
    void SetMax(int value) noexcept override {
        max = value;
        positions.clear();
    }
    void SetPosition(int position) noexcept override { positions.push_back(position); }
    int max = -1;
    std::vector<int> positions;
};

}  // namespace kelbo::testing
