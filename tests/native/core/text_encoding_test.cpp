#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kelbo {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Cp1250, SlovakAndCzechLettersMapExactly) {
    struct Case {
        unsigned char byte;
        char32_t codePoint;
    };
    const Case cases[] = {
        {0x80, 0x20AC}, {0x8A, 0x0160}, {0x9A, 0x0161}, {0x8E, 0x017D}, {0x9E, 0x017E}, {0xC8, 0x010C},
        {0xE8, 0x010D}, {0xBE, 0x013E}, {0xBC, 0x013D}, {0xA5, 0x0104}, {0xF4, 0x00F4}, {0xE1, 0x00E1},
        {0xED, 0x00ED}, {0xFD, 0x00FD}, {0xE4, 0x00E4}, {0xF2, 0x0148}, {0xD2, 0x0147}, {0x9D, 0x0165},
        {0x8D, 0x0164}, {0xEF, 0x010F}, {0xCF, 0x010E}, {0xE0, 0x0155}, {0xC0, 0x0154}, {0xC5, 0x0139},
        {0xE5, 0x013A}, {0xD9, 0x016E}, {0xF9, 0x016F}, {0xA0, 0x00A0}, {0xFF, 0x02D9}, {0x41, 0x0041},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1250ToCodePoint(c.byte), c.codePoint) << std::hex << int{c.byte};
        EXPECT_EQ(CodePointToCp1250(c.codePoint), c.byte) << std::hex << int{c.byte};
    }
}

TEST(Cp1250, UndefinedBytesBecomeC1ControlsAndComeBack) {
    for (const unsigned char byte : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        EXPECT_EQ(Cp1250ToCodePoint(byte), char32_t{byte});
        EXPECT_EQ(CodePointToCp1250(byte), byte);
    }
}

TEST(Cp1250, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(Cp1250, ProgramTextsHaveTheseBytes) {
    EXPECT_EQ(Utf8ToCp1250("Čítaj ma"), Bytes({0xC8, 0xED, 't', 'a', 'j', ' ', 'm', 'a'}));
    EXPECT_EQ(Utf8ToCp1250("Nápoveda"), Bytes({'N', 0xE1, 'p', 'o', 'v', 'e', 'd', 'a'}));
    EXPECT_EQ(Utf8ToCp1250("nepomenovaný"), Bytes({'n', 'e', 'p', 'o', 'm', 'e', 'n', 'o', 'v', 'a', 'n', 0xFD}));
    EXPECT_EQ(Utf8ToCp1250("ľščťžýáíé"), Bytes({0xBE, 0x9A, 0xE8, 0x9D, 0x9E, 0xFD, 0xE1, 0xED, 0xE9}));
    EXPECT_EQ(Cp1250ToUtf8(Bytes({0xC8, 0xED, 't', 'a', 'j', ' ', 'm', 'a'})), "Čítaj ma");
}

TEST(Cp1250, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1250("a中b"), "a?b");
    EXPECT_EQ(Utf8ToCp1250("ø😀"), "??");       // ø is Latin-1 but not in 1250
    EXPECT_EQ(Utf8ToCp1250("x\xFFy"), "x?y");  // invalid UTF-8
}

TEST(Utf8, InvalidSequencesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");  // cut short
    EXPECT_EQ(Utf8ToUtf16("a\xE2\x82"
                          "b"),
              u"a\uFFFDb");                                                   // cut short mid-text
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong '/'
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // encoded surrogate
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // > U+10FFFF
    EXPECT_EQ(Utf8ToUtf16("\x80"), u"\uFFFD");                                // stray continuation
    EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf16, RoundTripsIncludingSupplementaryCharacters) {
    const std::string text = "Čítaj ma – 😀 €";
    const std::u16string utf16 = Utf8ToUtf16(text);
    EXPECT_EQ(utf16, u"Čítaj ma – 😀 €");
    EXPECT_EQ(Utf16ToUtf8(utf16), text);
}

TEST(Utf16, UnpairedSurrogatesBecomeReplacementCharacters) {
    const char16_t loneHigh[] = {u'a', 0xD800, u'b', 0};
    const char16_t loneLow[] = {0xDC00, 0};
    EXPECT_EQ(Utf16ToUtf8(loneHigh), "a\xEF\xBF\xBD"
                                     "b");
    EXPECT_EQ(Utf16ToUtf8(loneLow), "\xEF\xBF\xBD");
    const char16_t highAtEnd[] = {0xD83D, 0};
    EXPECT_EQ(Utf16ToUtf8(highAtEnd), "\xEF\xBF\xBD");
}

TEST(Wide, RoundTripsOnThisPlatform) {
    const std::string text = "Nápoveda 😀";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
    EXPECT_EQ(Utf8ToWide("Ľ"), std::wstring(1, static_cast<wchar_t>(0x013D)));
}

TEST(Paths, KeepUtf8Names) {
    const std::string name = "obrázky/Čítaj ma.bmp";
    EXPECT_EQ(PathToUtf8(PathFromUtf8(name)).find("Čítaj ma.bmp") != std::string::npos, true);
    EXPECT_EQ(PathToUtf8(PathFromUtf8(name).filename()), "Čítaj ma.bmp");
}

TEST(CaseFolding, LowersSlovakLettersToTheirPartners) {
    const std::pair<char32_t, char32_t> pairs[] = {
        {U'A', U'a'}, {U'Z', U'z'}, {U'Á', U'á'}, {U'Ä', U'ä'}, {U'Ô', U'ô'}, {U'Č', U'č'}, {U'Ď', U'ď'}, {U'Ĺ', U'ĺ'},
        {U'Ľ', U'ľ'}, {U'Ň', U'ň'}, {U'Ŕ', U'ŕ'}, {U'Š', U'š'}, {U'Ť', U'ť'}, {U'Ž', U'ž'}, {U'Ý', U'ý'}, {U'Ů', U'ů'},
        {U'Ł', U'ł'}, {U'Ź', U'ź'}, {U'Ż', U'ż'}, {U'Ő', U'ő'}, {U'Ÿ', U'ÿ'}, {U'Ą', U'ą'}, {U'Ş', U'ş'}, {U'Ţ', U'ţ'},
    };
    for (const auto& [upper, lower] : pairs) {
        EXPECT_EQ(ToLowerLatin(upper), lower) << std::hex << static_cast<std::uint32_t>(upper);
        EXPECT_EQ(ToLowerLatin(lower), lower) << std::hex << static_cast<std::uint32_t>(lower);
    }
}

TEST(CaseFolding, LeavesNonLettersAndSpecialCasesAlone) {
    for (const char32_t c : {U'×', U'ß', U'İ', U'ı', U'ĸ', U'ŉ', U'ſ', U'1', U'[', U'€'}) {
        EXPECT_EQ(ToLowerLatin(c), c) << std::hex << static_cast<std::uint32_t>(c);
    }
}

TEST(CaseFolding, EveryCp1250LetterFoldsToACp1250Letter) {
    for (int b = 0; b < 256; ++b) {
        const char32_t lower = ToLowerLatin(Cp1250ToCodePoint(static_cast<unsigned char>(b)));
        EXPECT_TRUE(CodePointToCp1250(lower).has_value()) << std::hex << b;
    }
}

TEST(CaseFolding, ComparesUtf8WithoutRegardToCase) {
    EXPECT_TRUE(EqualsIgnoreCase("ŠTART", "štart"));
    EXPECT_TRUE(EqualsIgnoreCase("Browser\\FastView", "BROWSER\\fastview"));
    EXPECT_FALSE(EqualsIgnoreCase("Browser", "Browsers"));
    EXPECT_FALSE(EqualsIgnoreCase("Čas", "Cas"));
    EXPECT_TRUE(EqualsIgnoreCase("", ""));
}

}  // namespace
}  // namespace kelbo
