#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelbo::cli {
namespace {

const std::vector<OptionDef> kOptions = {{"angle", "DEG", "angle"}, {"width", "W", "width"}, {"verbose", "", "flag"}};

ParsedArgs Parse(std::vector<std::string> args) { return ParseArgs(args, kOptions); }

TEST(ParseArgs, ValuesInBothSpellingsFlagsAndPositionals) {
    const ParsedArgs p = Parse({"in.bmp", "--angle", "30", "--width=12", "--verbose", "out.bmp"});
    EXPECT_EQ(p.Value("angle"), "30");
    EXPECT_EQ(p.Value("width"), "12");
    EXPECT_TRUE(p.Has("verbose"));
    EXPECT_FALSE(p.Has("missing"));
    EXPECT_EQ(p.Positional(), (std::vector<std::string>{"in.bmp", "out.bmp"}));
}

TEST(ParseArgs, NegativeNumbersAreValuesAndPositionals) {
    const ParsedArgs p = Parse({"--angle", "-30", "-5", "-"});
    EXPECT_EQ(p.IntValue("angle", 0, -360, 360), -30);
    EXPECT_EQ(p.Positional(), (std::vector<std::string>{"-5", "-"}));
}

TEST(ParseArgs, DoubleDashEndsOptions) {
    const ParsedArgs p = Parse({"--", "--angle", "-x"});
    EXPECT_FALSE(p.Has("angle"));
    EXPECT_EQ(p.Positional(), (std::vector<std::string>{"--angle", "-x"}));
}

TEST(ParseArgs, EqualsWithEmptyValue) { EXPECT_EQ(Parse({"--angle="}).Value("angle"), ""); }

TEST(ParseArgs, UsageErrors) {
    EXPECT_THROW(Parse({"--bogus"}), UsageError);
    EXPECT_THROW(Parse({"-x"}), UsageError);
    EXPECT_THROW(Parse({"--angle"}), UsageError);                    // value missing
    EXPECT_THROW(Parse({"--verbose=1"}), UsageError);                // flag with a value
    EXPECT_THROW(Parse({"--angle", "1", "--angle=2"}), UsageError);  // repeated
    EXPECT_THROW(Parse({"-h"}), UsageError);                         // no help option in this table
    try {
        Parse({"--widht", "3"});
    } catch (const UsageError& e) {
        EXPECT_EQ(std::string(e.what()), "unknown option --widht");
    }
}

TEST(ParsedArgs, IntValueChecksNumberAndRange) {
    const ParsedArgs p = Parse({"--width", "abc", "--angle", "400"});
    EXPECT_THROW(p.IntValue("width", 1, 1, 10), UsageError);
    EXPECT_THROW(p.IntValue("angle", 1, -360, 360), UsageError);
    EXPECT_EQ(p.IntValue("missing", 7, 1, 10), 7);
    try {
        p.IntValue("angle", 0, -360, 360);
    } catch (const UsageError& e) {
        EXPECT_EQ(std::string(e.what()), "option --angle needs a whole number from -360 to 360, not \"400\"");
    }
}

TEST(ParseWholeNumber, AcceptsOnlyWholeDecimalNumbers) {
    EXPECT_EQ(ParseWholeNumber("42"), 42);
    EXPECT_EQ(ParseWholeNumber("-7"), -7);
    EXPECT_EQ(ParseWholeNumber("+7"), 7);
    EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("+-7"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("1.5"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("12 "), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("99999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace kelbo::cli
