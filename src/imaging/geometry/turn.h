// Turning points by whole degrees about a centre. The angle in radians is
// r = A · π · (1/180) with π and 1/180 as extended-precision constants, and
// every step is done in long double: at 90°, 180° and 270° the cosine or sine
// is about 1e-20, not 0 nor the 6e-17 of double precision, and which side of
// a border a pixel falls on depends on it.
#pragma once

#include <cstdint>

namespace kelbo {

// The sine and cosine of r, computed the same way on every platform (the
// reduction carries π/2 to 170 bits, so a multiple of 90° keeps its tiny
// remainder).
struct TurnAngle {
    long double cos = 1.0L;
    long double sin = 0.0L;
};
TurnAngle TurnAngleOf(int degrees);

struct RealPoint {
    long double x = 0.0L;
    long double y = 0.0L;
};

struct WholePoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const WholePoint&, const WholePoint&) = default;
};

// The pixel form: x' = cos·dx − sin·dy + cx, y' = sin·dx + cos·dy + cy with
// dx = x − cx, dy = y − cy, kept as real numbers.
RealPoint TurnPoint(long double x, long double y, long double cx, long double cy, const TurnAngle& angle);

// The corner form: each of the two sums taken to the nearest integer (halves
// to even) before cx and cy are added.
WholePoint TurnCorner(std::int64_t x, std::int64_t y, std::int64_t cx, std::int64_t cy, const TurnAngle& angle);

}  // namespace kelbo
