#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelbo {

// Text inside the program is UTF-8 std::string; files the program shares with
// its past (kelbo.ini) are Windows-1250; the Win32 layer wants UTF-16.
//
// Windows-1250 leaves 0x81, 0x83, 0x88, 0x90 and 0x98 undefined. They decode to
// the C1 control of the same value (U+0081 ...), as Windows itself does, and
// encode back to the same byte, so every byte string survives a round trip.
//
// Invalid UTF-8 (and unpaired UTF-16 surrogates) decode to U+FFFD, one per
// maximal invalid subsequence; U+FFFD and anything else Windows-1250 cannot
// hold encode to '?'.

inline constexpr char32_t kReplacementChar = 0xFFFD;

char32_t Cp1250ToCodePoint(unsigned char byte);
std::optional<unsigned char> CodePointToCp1250(char32_t codePoint);

std::string Cp1250ToUtf8(std::string_view cp1250);
std::string Utf8ToCp1250(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; these follow the platform.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Paths: std::filesystem::path(std::string) would use the ANSI code page on
// Windows, so UTF-8 text goes through these.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Simple lower-case mapping of ASCII, Latin-1 Supplement and Latin
// Extended-A letters, which covers every letter of Windows-1250. Other code
// points are returned unchanged.
char32_t ToLowerLatin(char32_t codePoint);

// Case-insensitive equality of UTF-8 strings under ToLowerLatin.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Decodes one code point at `pos` and advances past it; U+FFFD for an invalid
// sequence. `pos` must be < utf8.size().
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace kelbo
