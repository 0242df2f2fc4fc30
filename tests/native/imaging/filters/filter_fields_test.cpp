// The corrections of the filter dialogs' strength fields.
#include "imaging/filters/filter_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kelbo {
namespace {

struct Case {
    const char* text;
    std::optional<std::string> corrected;
    int read;
    int value;
};

void ExpectChecks(FieldCheck (*check)(std::string_view), std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        const FieldCheck got = check(c.text);
        EXPECT_EQ(got.corrected, c.corrected) << '"' << c.text << '"';
        EXPECT_EQ(got.read, c.read) << '"' << c.text << '"';
        EXPECT_EQ(got.value, c.value) << '"' << c.text << '"';
    }
}

TEST(FilterFields, AverageRadiusResetsTextThatIsNoNumberToZero) {
    ExpectChecks(CheckAverageRadius, {
                                         {"5", std::nullopt, 5, 5},
                                         {"30", std::nullopt, 30, 30},
                                         {"0", std::nullopt, 0, 0},
                                         {"", "0", 0, 0},
                                         {"x5", "0", 0, 0},
                                         {"2.5", "0", 0, 0},
                                         // kept as typed, but no negative or
                                         // overflowing window reaches the filter
                                         {"-4", std::nullopt, -4, 0},
                                         {"2000000000", std::nullopt, 2000000000, 65535},
                                     });
}

TEST(FilterFields, MedianRadiusKeepsTwoToEighteenAndReportsTheValueAsRead) {
    ExpectChecks(CheckMedianRadius, {
                                        {"5", std::nullopt, 5, 5},
                                        {"2", std::nullopt, 2, 2},
                                        {"18", std::nullopt, 18, 18},
                                        {"16", std::nullopt, 16, 16},
                                        {"1", "2", 1, 2},
                                        {"-7", "2", -7, 2},
                                        {"abc", "2", 0, 2},
                                        {"", "2", 0, 2},
                                        {"19", "18", 19, 18},
                                        {"1000", "18", 1000, 18},
                                    });
}

TEST(FilterFields, SobelRotationKeepsOneToEight) {
    ExpectChecks(CheckSobelRotation, {
                                         {"1", std::nullopt, 1, 1},
                                         {"3", std::nullopt, 3, 3},
                                         {"8", std::nullopt, 8, 8},
                                         {"0", "1", 0, 1},
                                         {"abc", "1", 0, 1},
                                         {"", "1", 0, 1},
                                         {"-2", "1", -2, 1},
                                         {"9", "8", 9, 8},
                                         {"12", "8", 12, 8},
                                     });
}

}  // namespace
}  // namespace kelbo
