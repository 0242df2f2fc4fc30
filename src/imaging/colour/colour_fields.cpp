#include "imaging/colour/colour_fields.h"

#include <cstdlib>

#include "core/whole_number.h"

namespace kelbo {

std::string GammaText(int position) {
    // The track bar never leaves 1..250; a sign would land among the digits.
    std::string digits = std::to_string(std::abs(position));
    if (digits.size() == 1) {
        digits.insert(0, "00");
    } else if (digits.size() == 2) {
        digits.insert(0, "0");
    }
    digits.insert(1, ".");
    return position < 0 ? "-" + digits : digits;
}

int FieldNumber(std::string_view text, int fallback) { return ParseWholeNumber(text).value_or(fallback); }

std::optional<std::string> WholeNumberCorrection(std::string_view text, std::string_view fallback) {
    if (ParseWholeNumber(text)) return std::nullopt;
    return std::string(fallback);
}

std::optional<std::string> ColourRangeCorrection(std::string_view text) {
    const std::optional<int> value = ParseWholeNumber(text);
    if (!value) return "1";
    if (*value > 255) return "255";
    return std::nullopt;
}

ThresholdFields OrderThresholdFields(ThresholdFields f) {
    if (f.end < f.start) f.end = f.start;
    if (f.breakPoint < f.start) f.breakPoint = f.start;
    if (f.end < f.breakPoint) f.breakPoint = f.end;
    return f;
}

std::string IntervalCaption(int from, int to) {
    return "Hodnota na <" + std::to_string(from) + "," + std::to_string(to) + ">";
}

}  // namespace kelbo
