// PNG files for the tests and the fuzzing seeds, written by libpng itself
// sample by sample, so every colour type and depth is known exactly.
#pragma once

#include <png.h>

#include <filesystem>

namespace kelbo::testing {

struct TestPng {
    int colorType, depth;
    bool interlaced, transparent;  // transparent: a tRNS chunk
};

int Channels(int colorType);
// Sample c of pixel (x, y), within the depth (palette: an index below 5).
unsigned Sample(const TestPng& t, int x, int y, int c);

inline constexpr png_color kEntries[5] = {{10, 20, 30}, {255, 0, 0}, {0, 200, 100}, {1, 2, 3}, {250, 250, 0}};
inline constexpr png_byte kEntryAlpha[2] = {0, 100};

// Throws std::runtime_error when the file cannot be made.
void WriteTestPng(const std::filesystem::path& path, const TestPng& t, int w, int h);

}  // namespace kelbo::testing
