#include "imaging/filters/filter_fields.h"

#include <algorithm>

#include "core/bitmap24.h"
#include "core/whole_number.h"

namespace kelbo {
namespace {

FieldCheck CheckEightBit(std::string_view text, int max) {
    FieldCheck check;
    const std::optional<int> number = ParseWholeNumber(text);
    check.read = number.value_or(0);
    check.value = std::clamp(check.read, 0, max);
    if (!number || check.value != check.read) check.corrected = std::to_string(check.value);
    return check;
}

}  // namespace

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

FieldCheck CheckAlphaValue(std::string_view text) { return CheckEightBit(text, 255); }

FieldCheck CheckIntervalStart(std::string_view text) { return CheckEightBit(text, 254); }

FieldCheck CheckIntervalEnd(std::string_view text) { return CheckEightBit(text, 255); }

AlphaInterval StartFieldLeft(AlphaInterval interval) {
    if (interval.start >= interval.end) interval.end = interval.start + 1;
    return interval;
}

AlphaInterval EndFieldLeft(AlphaInterval interval) {
    if (interval.start >= interval.end) interval.start = std::max(0, interval.end - 1);
    return interval;
}

std::string IntervalInfo(AlphaInterval interval) {
    return "dĺžka intervalu <" + std::to_string(interval.start) + "," + std::to_string(interval.end) + ">\r";
}

}  // namespace kelbo
