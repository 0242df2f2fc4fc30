#include "core/ini_file.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "core/whole_number.h"

namespace kelbo {
namespace {

namespace fs = std::filesystem;

std::string_view Trim(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

void CheckSectionName(std::string_view section) {
    if (section.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos) {
        throw std::invalid_argument("ini: invalid section name \"" + std::string(section) + "\"");
    }
}

void CheckKeyName(std::string_view key) {
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos || key.front() == ';' ||
        key.front() == '[') {
        throw std::invalid_argument("ini: invalid key name \"" + std::string(key) + "\"");
    }
}

}  // namespace

IniFile::IniFile(fs::path path) : path_(std::move(path)) {
    std::error_code ec;
    const fs::file_status status = fs::status(path_, ec);
    if (status.type() == fs::file_type::not_found) return;
    if (ec) throw FileError("Cannot open file " + PathToUtf8(path_) + ": " + ec.message(), path_);
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path_);
    IniFile parsed = Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    lines_ = std::move(parsed.lines_);
}

IniFile IniFile::Parse(std::string_view cp1250Text) {
    IniFile ini;
    const std::string text = Cp1250ToUtf8(cp1250Text);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ini.lines_.push_back(ParseLine(std::move(line)));
        start = end + 1;
    }
    return ini;
}

IniFile::Line IniFile::ParseLine(std::string text) {
    Line line;
    const std::string_view trimmed = Trim(text);
    if (!trimmed.empty() && trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::kSection;
            line.name = Trim(trimmed.substr(1, close - 1));
        }
    } else if (!trimmed.empty() && trimmed.front() != ';') {
        const std::size_t equals = trimmed.find('=');
        if (equals != std::string_view::npos && !Trim(trimmed.substr(0, equals)).empty()) {
            line.kind = LineKind::kKey;
            line.name = Trim(trimmed.substr(0, equals));
            line.value = Trim(trimmed.substr(equals + 1));
        }
    }
    line.text = std::move(text);
    return line;
}

std::string IniFile::Serialize() const {
    std::string utf8;
    for (const Line& line : lines_) {
        utf8 += line.text;
        utf8 += "\r\n";
    }
    return Utf8ToCp1250(utf8);
}

void IniFile::Save() {
    if (path_.empty()) throw std::logic_error("ini: Save called on an IniFile without a file");
    const std::string bytes = Serialize();
    WriteFileAtomically(path_, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    modified_ = false;
}

IniFile::Range IniFile::SectionBody(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::kSection) ++end;
    return {header + 1, end};
}

std::optional<IniFile::Range> IniFile::FindSection(std::string_view section) const {
    section = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::kSection && EqualsIgnoreCase(lines_[i].name, section)) {
            return SectionBody(i);
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKeyLine(std::string_view section, std::string_view key) const {
    const auto body = FindSection(section);
    if (!body) return std::nullopt;
    key = Trim(key);
    for (std::size_t i = body->begin; i < body->end; ++i) {
        if (lines_[i].kind == LineKind::kKey && EqualsIgnoreCase(lines_[i].name, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    const auto line = FindKeyLine(section, key);
    if (!line) return std::nullopt;
    return std::string(Unquote(lines_[*line].value));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return Find(section, key).value_or(std::string(defaultValue));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const auto text = Find(section, key);
    if (!text) return defaultValue;
    return ParseWholeNumber(*text).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    CheckSectionName(section);
    CheckKeyName(key);
    if (HasLineBreak(value)) {
        throw std::invalid_argument("ini: the value of \"" + std::string(key) + "\" has a line break");
    }
    modified_ = true;
    if (const auto existing = FindKeyLine(section, key)) {
        Line& line = lines_[*existing];
        line.value = Trim(value);
        line.text = line.name + "=" + std::string(value);
        return;
    }
    Line line = ParseLine(std::string(key) + "=" + std::string(value));
    if (const auto body = FindSection(section)) {
        std::size_t insertAt = body->begin;
        for (std::size_t i = body->begin; i < body->end; ++i) {
            if (lines_[i].kind == LineKind::kKey) insertAt = i + 1;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
        return;
    }
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(ParseLine(""));
    std::string header = "[";  // built by appending: "[" + string trips a GCC 12 -Wrestrict bug
    header.append(section).append("]");
    lines_.push_back(ParseLine(std::move(header)));
    lines_.push_back(std::move(line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section).has_value(); }

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return FindKeyLine(section, key).has_value();
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind != LineKind::kSection) continue;
        bool seen = false;
        for (const std::string& name : names) seen = seen || EqualsIgnoreCase(name, line.name);
        if (!seen) names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const auto body = FindSection(section);
    if (!body) return names;
    for (std::size_t i = body->begin; i < body->end; ++i) {
        if (lines_[i].kind != LineKind::kKey) continue;
        bool seen = false;
        for (const std::string& name : names) seen = seen || EqualsIgnoreCase(name, lines_[i].name);
        if (!seen) names.push_back(lines_[i].name);
    }
    return names;
}

void IniFile::EraseKey(std::string_view section, std::string_view key) {
    const auto body = FindSection(section);
    if (!body) return;
    key = Trim(key);
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(body->begin);
    const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(body->end);
    const auto keptEnd = std::remove_if(
        first, last, [&](const Line& line) { return line.kind == LineKind::kKey && EqualsIgnoreCase(line.name, key); });
    if (keptEnd == last) return;
    lines_.erase(keptEnd, last);
    modified_ = true;
}

void IniFile::EraseSection(std::string_view section) {
    while (const auto body = FindSection(section)) {
        const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(body->begin - 1);
        const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(body->end);
        lines_.erase(first, last);
        modified_ = true;
    }
}

}  // namespace kelbo
