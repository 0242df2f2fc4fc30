#include "browser/picture_names.h"

#include <algorithm>
#include <string_view>

#include "codecs/picture_files.h"
#include "core/text_encoding.h"

namespace kelbo {
namespace {

// The base letter of each lower-case letter of U+00E0..U+017F (and ß); a
// space for those with none (÷, þ).
constexpr std::string_view kLatin1Bases = "aaaaaaaceeeeiiiidnooooo ouuuuy y";
constexpr std::string_view kExtendedABases =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuu"
    "uuuuwwyyyzzzzzzs";
static_assert(kLatin1Bases.size() == 32 && kExtendedABases.size() == 128);

char32_t BaseLetter(char32_t lower) {
    char base = lower == 0xDF ? 's' : ' ';
    if (lower >= 0xE0 && lower <= 0xFF) base = kLatin1Bases[lower - 0xE0];
    if (lower >= 0x100 && lower <= 0x17F) base = kExtendedABases[lower - 0x100];
    return base == ' ' ? lower : static_cast<char32_t>(base);
}

enum class Level { kBase, kFolded, kExact };

char32_t Key(char32_t codePoint, Level level) {
    if (level == Level::kExact) return codePoint;
    const char32_t lower = ToLowerLatin(codePoint);
    return level == Level::kFolded ? lower : BaseLetter(lower);
}

int Compare(std::string_view a, std::string_view b, Level level) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = Key(NextCodePoint(a, i), level);
        const char32_t y = Key(NextCodePoint(b, j), level);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

}  // namespace

bool IsPictureFile(std::string_view name) {
    switch (PictureKindOf(PathFromUtf8(name))) {
    case PictureFileKind::kBmp:
    case PictureFileKind::kIcon:
    case PictureFileKind::kGif:
    case PictureFileKind::kJpeg: return true;
    default: return false;
    }
}

bool PictureNameLess(std::string_view a, std::string_view b) {
    for (const Level level : {Level::kBase, Level::kFolded, Level::kExact}) {
        const int order = Compare(a, b, level);
        if (order != 0) return order < 0;
    }
    return false;
}

void SortPictureNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return PictureNameLess(a, b); });
}

}  // namespace kelbo
