// Mesh files and the settings file under arbitrary bytes.
#include <string>
#include <string_view>

#include "core/ini_file.h"
#include "core/text_encoding.h"
#include "fuzz/harness_support.h"
#include "warp/mesh_check.h"
#include "warp/mesh_file.h"
#include "warp/warp.h"

namespace kelbo::fuzz {

void RunMesh(std::span<const std::uint8_t> data) {
    WarpMesh mesh;
    try {
        mesh = DecodeMesh(data);
    } catch (const MeshFileError& e) {
        Require(*e.what() != 0, "DecodeMesh refused without a reason");
        return;
    }
    const std::vector<std::uint8_t> encoded = EncodeMesh(mesh);
    Require(std::equal(encoded.begin(), encoded.end(), data.begin(), data.end()), "a loaded mesh saves to other bytes");
    NodesOutside(mesh, 64, 48);
    try {
        FoldingTriangles(mesh, 3, 1, 3);
        // Whatever the coordinates, the warp touches only the picture's pixels.
        const Bitmap24 clean(24, 16, colors::kWhite);
        WarpPicture(clean.View(), mesh);
    } catch (const MeshFullError& e) {
        Require(*e.what() != 0, "the triangulation refused without a reason");
    }
}

namespace {

bool ValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = NextCodePoint(text, pos);
        Require(pos > start, "NextCodePoint did not advance");
        if (c == kReplacementChar && text.substr(start, pos - start) != "\xEF\xBF\xBD") return false;
    }
    return true;
}

void CheckEncodings(std::string_view bytes) {
    // Every byte string survives Windows-1250 and back.
    const std::string utf8 = Cp1250ToUtf8(bytes);
    Require(ValidUtf8(utf8), "Windows-1250 decodes to invalid UTF-8");
    Require(Utf8ToCp1250(utf8) == bytes, "a Windows-1250 string does not survive a round trip");

    // Arbitrary bytes as UTF-8: what comes out is valid, and then stable.
    const std::u16string utf16 = Utf8ToUtf16(bytes);
    const std::string cleaned = Utf16ToUtf8(utf16);
    Require(ValidUtf8(cleaned), "UTF-16 encodes to invalid UTF-8");
    if (ValidUtf8(bytes)) Require(cleaned == bytes, "valid UTF-8 does not survive UTF-16");
    Require(Utf16ToUtf8(Utf8ToUtf16(cleaned)) == cleaned, "cleaned UTF-8 is not stable");
    Require(EqualsIgnoreCase(bytes, bytes), "a string differs from itself ignoring case");

    // The same bytes read as UTF-16 units, unpaired surrogates and all.
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    Require(ValidUtf8(Utf16ToUtf8(units)), "arbitrary UTF-16 encodes to invalid UTF-8");
}

}  // namespace

void RunIni(std::span<const std::uint8_t> data) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    CheckEncodings(text);

    IniFile ini = IniFile::Parse(text);
    const std::string once = ini.Serialize();
    Require(IniFile::Parse(once).Serialize() == once, "a written settings file reads back differently");
    for (const std::string& section : ini.SectionNames()) {
        for (const std::string& key : ini.KeyNames(section)) {
            const std::optional<std::string> value = ini.Find(section, key);
            Require(value.has_value(), "a listed key cannot be found");
            ini.ReadInteger(section, key, 7);
            ini.ReadBool(section, key, true);
        }
    }
    // A value written is read back as written, whatever the file held.
    const std::string value = Cp1250ToUtf8(text.substr(0, std::min<std::size_t>(text.size(), 40)));
    const bool writable = value.find_first_of("\r\n") == std::string::npos;
    if (writable) {
        ini.WriteString("Fuzz", "Value", value);
        const IniFile reread = IniFile::Parse(ini.Serialize());
        std::string expected = value;
        // Surrounding blanks and one pair of matching quotes are not kept.
        const std::size_t first = expected.find_first_not_of(" \t");
        expected = first == std::string::npos ? ""
                                              : expected.substr(first, expected.find_last_not_of(" \t") - first + 1);
        if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
            expected.back() == expected.front()) {
            expected = expected.substr(1, expected.size() - 2);
        }
        Require(reread.ReadString("Fuzz", "Value", "-") == expected, "a written value reads back differently");
    }
}

}  // namespace kelbo::fuzz
