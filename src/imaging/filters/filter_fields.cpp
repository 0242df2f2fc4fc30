#include "imaging/filters/filter_fields.h"

#include <algorithm>

#include "core/bitmap24.h"
#include "core/whole_number.h"

namespace kelbo {

FieldCheck CheckAverageRadius(std::string_view text) {
    FieldCheck check;
    const std::optional<int> number = ParseWholeNumber(text);
    if (!number) {
        check.corrected = "0";
        return check;
    }
    check.read = *number;
    check.value = std::clamp(*number, 0, kMaxBitmapDimension);
    return check;
}

FieldCheck CheckMedianRadius(std::string_view text) {
    FieldCheck check;
    const std::optional<int> number = ParseWholeNumber(text);
    check.read = number.value_or(0);
    check.value = std::clamp(check.read, 2, 18);
    if (!number || check.value != check.read) check.corrected = std::to_string(check.value);
    return check;
}

FieldCheck CheckSobelRotation(std::string_view text) {
    FieldCheck check;
    const std::optional<int> number = ParseWholeNumber(text);
    check.read = number.value_or(0);
    check.value = check.read > kSobelRotationMax ? kSobelRotationMax : std::max(check.read, kSobelRotationMin);
    if (!number || check.value != check.read) check.corrected = std::to_string(check.value);
    return check;
}

}  // namespace kelbo
