#include "core/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kelbo {
namespace {

TEST(Round, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(1.5L), 2);
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(-1.5L), -2);
    EXPECT_EQ(Round(-2.5L), -2);
}

TEST(Round, NonHalvesGoToTheNearest) {
    EXPECT_EQ(Round(0.0L), 0);
    EXPECT_EQ(Round(0.49L), 0);
    EXPECT_EQ(Round(0.51L), 1);
    EXPECT_EQ(Round(2.4999L), 2);
    EXPECT_EQ(Round(-2.6L), -3);
    EXPECT_EQ(Round(-0.4L), 0);
    EXPECT_EQ(Round(254.7L), 255);
}

TEST(Round, JustBelowAHalfRoundsDown) {
    // The largest long double below 2.5 must not be mistaken for a half.
    const long double below = std::nextafter(2.5L, 0.0L);
    EXPECT_EQ(Round(below), 2);
    EXPECT_EQ(Round(std::nextafter(3.5L, 0.0L)), 3);
    EXPECT_EQ(Round(std::nextafter(3.5L, 4.0L)), 4);
}

TEST(Round, LargeValuesStayExact) {
    EXPECT_EQ(Round(4503599627370496.5L), 4503599627370496);  // 2^52 + 0.5
    EXPECT_EQ(Round(-9007199254740993.0L), -9007199254740993);
}

TEST(Round, RejectsValuesWithoutAnIntegerResult) {
    EXPECT_THROW(Round(std::numeric_limits<long double>::quiet_NaN()), std::overflow_error);
    EXPECT_THROW(Round(std::numeric_limits<long double>::infinity()), std::overflow_error);
    EXPECT_THROW(Round(1e30L), std::overflow_error);
    EXPECT_THROW(Round(-1e30L), std::overflow_error);
    EXPECT_THROW(Round(9223372036854775807.5L), std::overflow_error);  // would be 2^63
    EXPECT_EQ(Round(9223372036854775806.5L), 9223372036854775806);
    EXPECT_EQ(Round(-9223372036854775807.5L), std::numeric_limits<std::int64_t>::min());
}

TEST(Trunc, DropsTheFractionTowardZero) {
    EXPECT_EQ(Trunc(0.5L), 0);
    EXPECT_EQ(Trunc(1.99L), 1);
    EXPECT_EQ(Trunc(-1.99L), -1);
    EXPECT_EQ(Trunc(-0.5L), 0);
    EXPECT_EQ(Trunc(7.0L), 7);
    EXPECT_THROW(Trunc(std::numeric_limits<long double>::quiet_NaN()), std::overflow_error);
}

}  // namespace
}  // namespace kelbo
