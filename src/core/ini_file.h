#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelbo {

// The settings file, read and written the way the Windows profile functions
// (GetPrivateProfileString and friends) behave for this program:
//  - section and key names match without regard to case (ASCII and the
//    accented Latin letters, see ToLowerLatin); the first match wins;
//  - spaces and tabs around names and values are dropped; a value enclosed in
//    a matching pair of " or ' quotes is read without them;
//  - a missing file, section or key gives the caller's default; a key that is
//    present with an empty value reads as "";
//  - rewriting keeps comments (';'), blank and unrecognised lines as they
//    were; a written key that exists is replaced in place under its original
//    spelling; a new key goes after the last key of its section; a new
//    section goes at the end of the file.
// On disk the text is Windows-1250 with CRLF line ends (LF alone is accepted
// when reading); the interface takes and returns UTF-8.
//
// The file is read once by the constructor and written only by Save(), which
// replaces it atomically.
class IniFile {
public:
    IniFile() = default;  // empty, with no file behind it
    // Reads `path`; a file that does not exist gives an empty IniFile that
    // Save() will create. Throws FileError when the file exists but cannot be read.
    explicit IniFile(std::filesystem::path path);

    // From Windows-1250 text / to Windows-1250 text with CRLF line ends.
    static IniFile Parse(std::string_view cp1250Text);
    std::string Serialize() const;

    const std::filesystem::path& Path() const { return path_; }
    bool Modified() const { return modified_; }

    // Writes to Path() (FileError on failure, the old file left intact;
    // std::logic_error when there is no path). Clears Modified().
    void Save();

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Decimal with an optional sign; anything else, or out of int range, gives
    // the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Any integer other than 0 reads true; a non-number gives the default.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Throws std::invalid_argument for names or values that the file could not
    // hold: an empty name, line breaks, ']' in a section, '=' in a key, a key
    // starting with ';' or '['.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Removes every line of the key (or the section, its comments included).
    // Nothing happens when it is not there.
    void EraseKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    enum class LineKind { kSection, kKey, kOther };
    struct Line {
        LineKind kind = LineKind::kOther;
        std::string text;   // the whole line as it will be written (UTF-8)
        std::string name;   // section or key name, trimmed
        std::string value;  // key value, trimmed
    };
    struct Range {
        std::size_t begin;  // first line after the header
        std::size_t end;    // the next header or the end of the file
    };

    static Line ParseLine(std::string text);
    std::optional<Range> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(std::string_view section, std::string_view key) const;
    Range SectionBody(std::size_t header) const;

    std::filesystem::path path_;
    std::vector<Line> lines_;
    bool modified_ = false;
};

}  // namespace kelbo
