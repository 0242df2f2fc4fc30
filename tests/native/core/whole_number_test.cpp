#include "core/whole_number.h"

#include <gtest/gtest.h>

#include <optional>

namespace kelbo {
namespace {

TEST(WholeNumber, PlainDigits) {
    EXPECT_EQ(ParseWholeNumber("100"), 100);
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    EXPECT_EQ(ParseWholeNumber("007"), 7);
}

TEST(WholeNumber, SpacesAroundAreAllowed) {
    EXPECT_EQ(ParseWholeNumber(" 42 "), 42);
    EXPECT_EQ(ParseWholeNumber("   5"), 5);
    EXPECT_EQ(ParseWholeNumber("5   "), 5);
}

TEST(WholeNumber, OneOptionalSign) {
    EXPECT_EQ(ParseWholeNumber("+7"), 7);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    EXPECT_EQ(ParseWholeNumber(" -3 "), -3);
    EXPECT_EQ(ParseWholeNumber("-0"), 0);
}

TEST(WholeNumber, RejectsTextThatIsNotAWholeNumber) {
    EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("   "), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("abc"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("12a"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("a12"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("1 2"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("1.5"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("+"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("-"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("- 3"), std::nullopt);
}

TEST(WholeNumber, RejectsMoreThanOneSign) {
    EXPECT_EQ(ParseWholeNumber("++7"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("--7"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("-+7"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("+-7"), std::nullopt);
}

TEST(WholeNumber, LimitsOfInt) {
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseWholeNumber("2147483648"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("99999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace kelbo
