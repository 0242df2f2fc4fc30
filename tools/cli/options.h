#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"

namespace kelbo::cli {

// The command line was wrong: exit code 2 and a usage hint.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionDef {
    std::string name;       // without the leading "--"
    std::string valueName;  // empty for a flag, e.g. "W" for "--width W"
    std::string help;       // one line, with the default if there is one
};

class ParsedArgs {
public:
    bool Has(std::string_view name) const;
    std::optional<std::string> Value(std::string_view name) const;
    std::string ValueOr(std::string_view name, std::string_view fallback) const;
    // A whole number in [min, max]; throws UsageError naming the option otherwise.
    int IntValue(std::string_view name, int fallback, int min, int max) const;
    const std::vector<std::string>& Positional() const { return positional_; }

    void AddOption(std::string name, std::string value);
    void AddPositional(std::string arg) { positional_.push_back(std::move(arg)); }

private:
    std::vector<std::pair<std::string, std::string>> options_;  // flags hold ""
    std::vector<std::string> positional_;
};

// Long options "--name value" and "--name=value", flags "--name", "-h" as
// "--help", "--" ends the options, and "-" or a negative number is a
// positional argument. Unknown or repeated options throw UsageError.
ParsedArgs ParseArgs(std::span<const std::string> args, std::span<const OptionDef> defs);

// The option's colour, "RRGGBB" (or "#RRGGBB") in hexadecimal, as colours
// are written on the web; `fallback` when it is not given.
Color ColourValue(const ParsedArgs& args, std::string_view option, Color fallback);

// Parses text as a whole decimal number (optional sign); nullopt otherwise.
std::optional<long long> ParseWholeNumber(std::string_view text);

}  // namespace kelbo::cli
