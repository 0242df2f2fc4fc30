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

TEST(FilterFields, AlphaFieldsHoldEightBitValues) {
    ExpectChecks(CheckAlphaValue, {{"128", std::nullopt, 128, 128},
                                   {"255", std::nullopt, 255, 255},
                                   {"256", "255", 256, 255},
                                   {"x", "0", 0, 0},
                                   {"-3", "0", -3, 0}});
    ExpectChecks(CheckIntervalStart, {{"254", std::nullopt, 254, 254}, {"255", "254", 255, 254}, {"1.5", "0", 0, 0}});
    ExpectChecks(CheckIntervalEnd, {{"255", std::nullopt, 255, 255}, {"256", "255", 256, 255}, {"", "0", 0, 0}});
}

TEST(FilterFields, IntervalFocusRulesKeepTheStartBelowTheEnd) {
    const struct {
        AlphaInterval typed;
        AlphaInterval startLeft;
        AlphaInterval endLeft;
    } cases[] = {
        {{10, 20}, {10, 20}, {10, 20}},
        {{30, 20}, {30, 31}, {19, 20}},
        {{20, 20}, {20, 21}, {19, 20}},
        {{254, 0}, {254, 255}, {0, 0}},  // no start below 0
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(StartFieldLeft(c.typed) == c.startLeft) << c.typed.start << "," << c.typed.end;
        EXPECT_TRUE(EndFieldLeft(c.typed) == c.endLeft) << c.typed.start << "," << c.typed.end;
    }
    EXPECT_EQ(IntervalInfo({3, 200}), "dĺžka intervalu <3,200>\r");
}

}  // namespace
}  // namespace kelbo
