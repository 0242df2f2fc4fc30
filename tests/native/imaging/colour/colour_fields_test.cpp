#include "imaging/colour/colour_fields.h"

#include <gtest/gtest.h>

namespace kelbo {
namespace {

TEST(GammaText, PadsShortPositionsAndPutsThePointAfterTheFirstDigit) {
    EXPECT_EQ(GammaText(1), "0.01");
    EXPECT_EQ(GammaText(5), "0.05");
    EXPECT_EQ(GammaText(10), "0.10");
    EXPECT_EQ(GammaText(99), "0.99");
    EXPECT_EQ(GammaText(100), "1.00");
    EXPECT_EQ(GammaText(105), "1.05");
    EXPECT_EQ(GammaText(250), "2.50");
}

TEST(FieldCorrections, TextThatIsNoWholeNumberTakesTheFallback) {
    EXPECT_EQ(FieldNumber("120", 0), 120);
    EXPECT_EQ(FieldNumber("-7", 0), -7);
    EXPECT_EQ(FieldNumber("", 100), 100);
    EXPECT_EQ(FieldNumber("1.5", 100), 100);
    EXPECT_EQ(WholeNumberCorrection("42", "0"), std::nullopt);
    EXPECT_EQ(WholeNumberCorrection("", "0"), "0");
    EXPECT_EQ(WholeNumberCorrection("x", "100"), "100");
}

TEST(FieldCorrections, ColourRangeFallsBackToOneAndStopsAt255) {
    EXPECT_EQ(ColourRangeCorrection("1"), std::nullopt);
    EXPECT_EQ(ColourRangeCorrection("255"), std::nullopt);
    EXPECT_EQ(ColourRangeCorrection("0"), std::nullopt);
    EXPECT_EQ(ColourRangeCorrection("256"), "255");
    EXPECT_EQ(ColourRangeCorrection("999"), "255");
    EXPECT_EQ(ColourRangeCorrection(""), "1");
    EXPECT_EQ(ColourRangeCorrection("a"), "1");
}

TEST(ThresholdFieldOrder, EachStepSeesTheOnesBeforeIt) {
    // Ordered fields stay.
    EXPECT_EQ(OrderThresholdFields({10, 200, 50}), (ThresholdFields{10, 200, 50}));
    // End below start is raised first; the break then follows start.
    EXPECT_EQ(OrderThresholdFields({100, 20, 5}), (ThresholdFields{100, 100, 100}));
    // Break above end is lowered to end.
    EXPECT_EQ(OrderThresholdFields({0, 80, 130}), (ThresholdFields{0, 80, 80}));
    // Break below start is raised to start.
    EXPECT_EQ(OrderThresholdFields({40, 90, 10}), (ThresholdFields{40, 90, 40}));
}

TEST(IntervalCaption, NamesBothEnds) {
    EXPECT_EQ(IntervalCaption(0, 0), "Hodnota na <0,0>");
    EXPECT_EQ(IntervalCaption(12, 250), "Hodnota na <12,250>");
}

}  // namespace
}  // namespace kelbo
