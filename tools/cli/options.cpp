#include "options.h"

#include <algorithm>
#include <charconv>

namespace kelbo::cli {
namespace {

const OptionDef* FindOption(std::span<const OptionDef> defs, std::string_view name) {
    const auto it = std::find_if(defs.begin(), defs.end(), [&](const OptionDef& s) { return s.name == name; });
    return it == defs.end() ? nullptr : &*it;
}

bool LooksLikeNegativeNumber(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' &&
           std::all_of(arg.begin() + 1, arg.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

// Handles one "--name[=value]" argument; may consume the next argument.
void ParseLongOption(std::span<const std::string> args, std::size_t& i, std::span<const OptionDef> defs,
                     ParsedArgs& parsed) {
    const std::string_view body = std::string_view(args[i]).substr(2);
    const std::size_t equals = body.find('=');
    const std::string name(body.substr(0, equals));
    const OptionDef* def = FindOption(defs, name);
    if (!def) throw UsageError("unknown option --" + name);
    if (parsed.Has(name)) throw UsageError("option --" + name + " given more than once");
    if (def->valueName.empty()) {
        if (equals != std::string_view::npos) throw UsageError("option --" + name + " takes no value");
        parsed.AddOption(name, "");
        return;
    }
    if (equals != std::string_view::npos) {
        parsed.AddOption(name, std::string(body.substr(equals + 1)));
        return;
    }
    if (i + 1 >= args.size()) {
        throw UsageError("option --" + name + " needs a value (" + def->valueName + ")");
    }
    parsed.AddOption(name, args[++i]);
}

}  // namespace

bool ParsedArgs::Has(std::string_view name) const {
    return std::any_of(options_.begin(), options_.end(), [&](const auto& option) { return option.first == name; });
}

std::optional<std::string> ParsedArgs::Value(std::string_view name) const {
    for (const auto& [key, value] : options_) {
        if (key == name) return value;
    }
    return std::nullopt;
}

std::string ParsedArgs::ValueOr(std::string_view name, std::string_view fallback) const {
    return Value(name).value_or(std::string(fallback));
}

int ParsedArgs::IntValue(std::string_view name, int fallback, int min, int max) const {
    const auto text = Value(name);
    if (!text) return fallback;
    const auto number = ParseWholeNumber(*text);
    if (!number || *number < min || *number > max) {
        throw UsageError("option --" + std::string(name) + " needs a whole number from " + std::to_string(min) +
                         " to " + std::to_string(max) + ", not \"" + *text + "\"");
    }
    return static_cast<int>(*number);
}

void ParsedArgs::AddOption(std::string name, std::string value) {
    options_.emplace_back(std::move(name), std::move(value));
}

ParsedArgs ParseArgs(std::span<const std::string> args, std::span<const OptionDef> defs) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-' || LooksLikeNegativeNumber(arg)) {
            parsed.AddPositional(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h") {
            std::size_t aliasIndex = 0;
            const std::string alias[] = {"--help"};
            ParseLongOption(alias, aliasIndex, defs, parsed);
        } else if (arg.rfind("--", 0) == 0) {
            ParseLongOption(args, i, defs, parsed);
        } else {
            throw UsageError("unknown option " + arg + " (options are written --name)");
        }
    }
    return parsed;
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

Color ColourValue(const ParsedArgs& args, std::string_view option, Color fallback) {
    const std::optional<std::string> text = args.Value(option);
    if (!text) return fallback;
    std::string_view digits = *text;
    if (!digits.empty() && digits.front() == '#') digits.remove_prefix(1);
    std::uint32_t value = 0;
    bool valid = digits.size() == 6;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) valid = false;
        value = value * 16 + static_cast<std::uint32_t>(digit < 0 ? 0 : digit);
    }
    if (!valid) {
        throw UsageError("option --" + std::string(option) + " needs a colour RRGGBB in hexadecimal, not \"" + *text +
                         "\"");
    }
    return Rgb(static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value));
}

}  // namespace kelbo::cli
