#include "imaging/colour/point_ops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/luminance.h"
#include "core/rounding.h"
#include "imaging/colour/progress_steps.h"

namespace kelbo {
namespace {

using Table = std::array<std::uint8_t, 256>;

// Percentages beyond these saturate every channel already (or give 0), so
// clamping keeps channel * percent far inside int.
constexpr int kLeastPercent = -1000;
constexpr int kMostPercent = 100000;

int ClampPercent(int percent) { return std::clamp(percent, kLeastPercent, kMostPercent); }

std::uint8_t ClampChannel(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// channel * percent div 100, division truncating toward zero as in C++.
Table ScaleTable(int percent) {
  const int p = ClampPercent(percent);
  Table table{};
  for (int v = 0; v < 256; ++v) table[v] = ClampChannel(v * p / 100);
  return table;
}

Table ComplementScaleTable(int percent) {
  const int p = ClampPercent(percent);
  Table table{};
  for (int v = 0; v < 256; ++v)
    table[v] = static_cast<std::uint8_t>(255 - ClampChannel((255 - v) * p / 100));
  return table;
}

// The power is taken in extended precision, as the program's exp and ln were.
Table GammaTable(int position) {
  const long double gamma = static_cast<long double>(position) * 0.01L;
  Table table{};
  for (int v = 0; v < 256; ++v) {
    const long double power = std::exp(gamma * std::log(static_cast<long double>(std::max(v, 1))));
    // min(255, Round(x)) = Round(min(x, 255)); cutting first keeps huge
    // powers of out-of-range positions away from Round.
    table[v] = static_cast<std::uint8_t>(Round(std::min(power, 255.0L)));
  }
  return table;
}

// Each row's pixels through three channel tables.
template <typename Progression>
void MapChannels(PixelView picture, const Table& red, const Table& green, const Table& blue,
                 Progression& steps) {
  const int width = picture.Width();
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = blue[p[0]];
      p[1] = green[p[1]];
      p[2] = red[p[2]];
    }
    steps.RowDone(y);
  }
}

}  // namespace

void Negative(PixelView picture, Progress* progress) {
  RowProgress steps(progress, picture.Height());
  const std::size_t bytes = 3 * static_cast<std::size_t>(picture.Width());
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    // 255 - b is ~b: eight bytes per step.
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      word = ~word;
      std::memcpy(p + i, &word, 8);
    }
    for (; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(255 - p[i]);
    steps.RowDone(y);
  }
}

void GreyScale(PixelView picture, Progress* progress) {
  RowProgress steps(progress, picture.Height());
  const int width = picture.Width();
  std::vector<std::uint8_t> grey(static_cast<std::size_t>(width));
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    LuminanceRow(p, width, grey.data());
    // Four bytes per pixel, the fourth overwritten by the next pixel; the
    // last pixel stops at its own three.
    for (int x = 0; x + 1 < width; ++x, p += 3) {
      const std::uint32_t word = grey[x] * 0x010101u;
      std::memcpy(p, &word, 4);
    }
    if (width > 0) p[0] = p[1] = p[2] = grey[width - 1];
    steps.RowDone(y);
  }
}

void ChangeRgb(PixelView picture, const RgbChange& change, Progress* progress) {
  const Table red = ScaleTable(change.red);
  const Table green = ScaleTable(change.green);
  const Table blue = ScaleTable(change.blue);
  RowProgress steps(progress, picture.Height());
  if (!change.except_white) {
    MapChannels(picture, red, green, blue, steps);
    return;
  }
  // e above 255 changes every pixel, e of 0 or less none; the clamp keeps
  // 256 - range from overflowing.
  const int e = 256 - std::clamp(change.range, -1, 257);
  const int width = picture.Width();
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      if (p[2] < e || p[1] < e || p[0] < e) {
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
      }
    }
    steps.RowDone(y);
  }
}

void ChangeCmy(PixelView picture, const CmyChange& change, Progress* progress) {
  RowProgress steps(progress, picture.Height());
  MapChannels(picture, ComplementScaleTable(change.cyan), ComplementScaleTable(change.magenta),
              ComplementScaleTable(change.yellow), steps);
}

void CorrectGamma(PixelView picture, const GammaCorrection& gamma, Progress* progress) {
  const Table red = GammaTable(gamma.red);
  const Table green = GammaTable(gamma.green);
  const Table blue = GammaTable(gamma.blue);
  ColumnShareProgress steps(progress, picture.Width(), picture.Height());
  MapChannels(picture, red, green, blue, steps);
}

// Every pixel is decided by its own luminance before any change, so walking
// rows gives what walking columns through the canvas gives.
void ApplyThreshold(PixelView picture, const Threshold& threshold, Progress* progress) {
  enum : std::uint8_t { kKeep, kLower, kUpper };
  std::array<std::uint8_t, 256> action{};
  for (int l = 0; l < 256; ++l) {
    if (threshold.start < l && l < threshold.break_point) {
      action[l] = kLower;
    } else if (threshold.break_point < l && l < threshold.end) {
      action[l] = kUpper;
    } else {
      action[l] = kKeep;
    }
  }
  const std::uint8_t bgr[3][3] = {
      {0, 0, 0},
      {BlueOf(threshold.lower), GreenOf(threshold.lower), RedOf(threshold.lower)},
      {BlueOf(threshold.upper), GreenOf(threshold.upper), RedOf(threshold.upper)}};
  ColumnShareProgress steps(progress, picture.Width(), picture.Height());
  const int width = picture.Width();
  std::vector<std::uint8_t> luminance(static_cast<std::size_t>(width));
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    LuminanceRow(p, width, luminance.data());
    for (int x = 0; x < width; ++x, p += 3) {
      const std::uint8_t what = action[luminance[x]];
      if (what != kKeep) {
        p[0] = bgr[what][0];
        p[1] = bgr[what][1];
        p[2] = bgr[what][2];
      }
    }
    steps.RowDone(y);
  }
}

}  // namespace kelbo
