// Draws the painting tools' pointers, 32 x 32 monochrome cursors with their
// hot spots, as .cur files for src/paint/ui/paint.rc: black strokes with a
// white outline, transparent elsewhere.
//
//   kelbo-make-cursors <out-dir>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 32;

// 0 transparent, 1 black, 2 white.
struct Art {
    std::string name;
    int hotX = 0, hotY = 0;
    std::uint8_t pixels[kSide][kSide] = {};

    void Dot(int x, int y, int radius = 0) {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (dx * dx + dy * dy <= radius * radius + radius && x + dx >= 0 && x + dx < kSide && y + dy >= 0 &&
                    y + dy < kSide)
                    pixels[y + dy][x + dx] = 1;
    }
    void Line(int x0, int y0, int x1, int y1, int radius = 0) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
            Dot(static_cast<int>(std::lround(x0 + t * (x1 - x0))), static_cast<int>(std::lround(y0 + t * (y1 - y0))),
                radius);
        }
    }
    void Ring(int cx, int cy, double radius) {
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                if (std::fabs(std::hypot(x - cx, y - cy) - radius) < 0.9) pixels[y][x] = 1;
    }
    void Cross(int x, int y, int arm) {
        Line(x - arm, y, x - 2, y);
        Line(x + 2, y, x + arm, y);
        Line(x, y - arm, x, y - 2);
        Line(x, y + 2, x, y + arm);
    }
    // A white border around every black pixel, so the pointer shows on black too.
    void Outline() {
        std::uint8_t out[kSide][kSide];
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) out[y][x] = pixels[y][x];
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                if (pixels[y][x] == 0)
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int nx = x + dx, ny = y + dy;
                            if (nx >= 0 && nx < kSide && ny >= 0 && ny < kSide && pixels[ny][nx] == 1) out[y][x] = 2;
                        }
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) pixels[y][x] = out[y][x];
    }
};

std::vector<Art> Cursors() {
    std::vector<Art> all(7);
    Art& zoom = all[0];  // resource 2
    zoom = {"zoom", 8, 9};
    zoom.Ring(8, 9, 6.0);
    zoom.Ring(8, 9, 5.0);
    zoom.Line(13, 14, 22, 23, 1);
    Art& pencil = all[1];  // resource 3
    pencil = {"pencil", 0, 19};
    pencil.Line(3, 16, 16, 3, 2);
    pencil.Line(0, 19, 3, 16);
    Art& line = all[2];  // resource 4
    line = {"line", 5, 5};
    line.Cross(5, 5, 5);
    line.Line(10, 10, 26, 26);
    Art& fill = all[3];  // resource 5
    fill = {"fill", 7, 28};
    fill.Line(12, 12, 24, 12);
    fill.Line(12, 12, 12, 24);
    fill.Line(24, 12, 24, 24);
    fill.Line(12, 24, 24, 24);
    fill.Line(12, 12, 7, 22);
    fill.Dot(7, 26, 2);
    Art& pick = all[4];  // resource 6
    pick = {"pick", 4, 27};
    pick.Line(4, 27, 19, 12, 1);
    pick.Dot(23, 8, 4);
    Art& shape = all[5];  // resource 7
    shape = {"shape", 15, 15};
    shape.Cross(15, 15, 12);
    Art& text = all[6];  // resource 8
    text = {"text", 5, 5};
    text.Cross(5, 5, 5);
    text.Line(14, 28, 20, 12);
    text.Line(20, 12, 26, 28);
    text.Line(16, 22, 24, 22);
    for (Art& art : all) art.Outline();
    return all;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A .cur file: one 32 x 32 image of 1 bit, XOR mask then AND mask, rows from the bottom.
std::vector<std::uint8_t> EncodeCursor(const Art& art) {
    constexpr unsigned kMaskBytes = kSide * kSide / 8;
    constexpr unsigned kImageBytes = 40 + 8 + 2 * kMaskBytes;
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 2);  // cursor
    Put16(out, 1);
    out.push_back(kSide);
    out.push_back(kSide);
    out.push_back(0);
    out.push_back(0);
    Put16(out, static_cast<unsigned>(art.hotX));
    Put16(out, static_cast<unsigned>(art.hotY));
    Put32(out, kImageBytes);
    Put32(out, 22);
    Put32(out, 40);
    Put32(out, kSide);
    Put32(out, 2 * kSide);
    Put16(out, 1);
    Put16(out, 1);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    Put32(out, 0x000000);  // colour 0 black
    Put32(out, 0xFFFFFF);  // colour 1 white
    for (const bool andMask : {false, true}) {
        for (int y = kSide - 1; y >= 0; --y) {
            for (int byte = 0; byte < kSide / 8; ++byte) {
                std::uint8_t bits = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const std::uint8_t p = art.pixels[y][byte * 8 + bit];
                    const bool set = andMask ? p == 0 : p == 2;
                    if (set) bits = static_cast<std::uint8_t>(bits | (0x80 >> bit));
                }
                out.push_back(bits);
            }
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelbo-make-cursors <out-dir>\n");
        return 2;
    }
    for (const Art& art : Cursors()) {
        const std::string path = std::string(argv[1]) + "/" + art.name + ".cur";
        const std::vector<std::uint8_t> bytes = EncodeCursor(art);
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
