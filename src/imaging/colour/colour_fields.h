// Texts and corrections of the colour dialogs' fields, apart from the
// dialogs so that they can be checked without windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelbo {

// A gamma track bar position (1..250) as its field shows it: position / 100
// with two decimals, built from the digits ("0.05", "1.00", "2.50").
std::string GammaText(int position);

// The field's whole number, or `fallback` for any other text.
int FieldNumber(std::string_view text, int fallback);

// The text a field takes instead of `text` when it is not a whole number.
std::optional<std::string> WholeNumberCorrection(std::string_view text, std::string_view fallback);

// "Rozmedzie farby:": "1" for text that is no whole number, "255" above 255.
std::optional<std::string> ColourRangeCorrection(std::string_view text);

// The threshold's three fields brought into order, each step seeing the
// ones before it: end to start when below it, break to start when below it,
// break to end when above it.
struct ThresholdFields {
    int start = 0;
    int end = 0;
    int breakPoint = 0;
    friend bool operator==(const ThresholdFields&, const ThresholdFields&) = default;
};
ThresholdFields OrderThresholdFields(ThresholdFields fields);

// "Hodnota na <a,b>", the caption beside a threshold colour.
std::string IntervalCaption(int from, int to);

}  // namespace kelbo
