#include "app/options_fields.h"

#include <algorithm>

#include "core/whole_number.h"

namespace kelbo {

int FieldValue(std::string_view text, int min, int max, int fallback) {
    const std::optional<int> n = ParseWholeNumber(text);
    if (!n) return fallback;
    return std::clamp(*n, min, max);
}

std::optional<std::string> FieldCorrection(std::string_view text, int min, int max, int fallback) {
    const std::optional<int> n = ParseWholeNumber(text);
    if (n && *n >= min && *n <= max) return std::nullopt;
    return std::to_string(FieldValue(text, min, max, fallback));
}

std::uint8_t ZoomConstFromText(std::string_view text) {
    return static_cast<std::uint8_t>(FieldValue(text, kZoomConstMin, kZoomConstMax, kZoomConstFallback));
}

std::optional<std::string> ZoomConstCorrection(std::string_view text) {
    return FieldCorrection(text, kZoomConstMin, kZoomConstMax, kZoomConstFallback);
}

int MovieIntervalFromText(std::string_view text) {
    return FieldValue(text, kMovieIntervalMin, kMovieIntervalMax, kMovieIntervalFallback);
}

std::optional<std::string> MovieIntervalCorrection(std::string_view text) {
    return FieldCorrection(text, kMovieIntervalMin, kMovieIntervalMax, kMovieIntervalFallback);
}

}  // namespace kelbo
