#include "app/options_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kelbo {
namespace {

TEST(OptionsFields, ZoomConstKeepsAWholeNumberInRange) {
    EXPECT_EQ(ZoomConstFromText("150"), 150);
    EXPECT_EQ(ZoomConstFromText("1"), 1);
    EXPECT_EQ(ZoomConstFromText("255"), 255);
    EXPECT_EQ(ZoomConstFromText(" 42 "), 42);
}

TEST(OptionsFields, ZoomConstOutsideTheByteIsMovedToTheNearerEnd) {
    EXPECT_EQ(ZoomConstFromText("0"), 1) << "the zoom tool divides by it";
    EXPECT_EQ(ZoomConstFromText("-20"), 1);
    EXPECT_EQ(ZoomConstFromText("256"), 255) << "not 0, as a byte would wrap";
    EXPECT_EQ(ZoomConstFromText("1000"), 255);
}

TEST(OptionsFields, ZoomConstTextThatIsNotANumberGivesTheDefault) {
    EXPECT_EQ(ZoomConstFromText(""), 150);
    EXPECT_EQ(ZoomConstFromText("abc"), 150);
    EXPECT_EQ(ZoomConstFromText("12%"), 150);
    EXPECT_EQ(ZoomConstFromText("99999999999"), 150);
}

TEST(OptionsFields, ZoomConstCorrectionLeavesGoodTextAlone) {
    EXPECT_EQ(ZoomConstCorrection("150"), std::nullopt);
    EXPECT_EQ(ZoomConstCorrection("1"), std::nullopt);
    EXPECT_EQ(ZoomConstCorrection("255"), std::nullopt);
}

TEST(OptionsFields, ZoomConstCorrectionReplacesBadText) {
    EXPECT_EQ(ZoomConstCorrection("0"), std::optional<std::string>("1"));
    EXPECT_EQ(ZoomConstCorrection("300"), std::optional<std::string>("255"));
    EXPECT_EQ(ZoomConstCorrection(""), std::optional<std::string>("150"));
    EXPECT_EQ(ZoomConstCorrection("x"), std::optional<std::string>("150"));
}

TEST(OptionsFields, MovieIntervalRange) {
    EXPECT_EQ(MovieIntervalFromText("20"), 20);
    EXPECT_EQ(MovieIntervalFromText("9999"), 9999);
    EXPECT_EQ(MovieIntervalFromText("10000"), 9999);
    EXPECT_EQ(MovieIntervalFromText("0"), 1);
    EXPECT_EQ(MovieIntervalFromText("0000"), 1);
    EXPECT_EQ(MovieIntervalFromText(""), 20);
    EXPECT_EQ(MovieIntervalFromText("1.5"), 20);
}

TEST(OptionsFields, MovieIntervalCorrection) {
    EXPECT_EQ(MovieIntervalCorrection("1"), std::nullopt);
    EXPECT_EQ(MovieIntervalCorrection("9999"), std::nullopt);
    EXPECT_EQ(MovieIntervalCorrection("0"), std::optional<std::string>("1"));
    EXPECT_EQ(MovieIntervalCorrection("-1"), std::optional<std::string>("1"));
    EXPECT_EQ(MovieIntervalCorrection(""), std::optional<std::string>("20"));
}

TEST(OptionsFields, FieldValueUsesTheGivenBounds) {
    EXPECT_EQ(FieldValue("5", 10, 20, 15), 10);
    EXPECT_EQ(FieldValue("25", 10, 20, 15), 20);
    EXPECT_EQ(FieldValue("12", 10, 20, 15), 12);
    EXPECT_EQ(FieldValue("?", 10, 20, 15), 15);
    EXPECT_EQ(FieldCorrection("12", 10, 20, 15), std::nullopt);
    EXPECT_EQ(FieldCorrection("?", 10, 20, 15), std::optional<std::string>("15"));
}

}  // namespace
}  // namespace kelbo
