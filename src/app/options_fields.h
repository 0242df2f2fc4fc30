// Checks and corrections of the options dialog's number fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelbo {

// The zoom tool divides by the factor and the setting is one byte.
inline constexpr int kZoomConstMin = 1;
inline constexpr int kZoomConstMax = 255;
inline constexpr int kZoomConstFallback = 150;
// The field holds at most four digits.
inline constexpr int kMovieIntervalMin = 1;
inline constexpr int kMovieIntervalMax = 9999;
inline constexpr int kMovieIntervalFallback = 20;

// A field's whole number brought into [min, max]: a number outside is moved
// to the nearer end, text that is not a whole number gives `fallback`.
int FieldValue(std::string_view text, int min, int max, int fallback);

// The text a field should show instead of `text`, or nothing when `text`
// already holds a whole number in [min, max].
std::optional<std::string> FieldCorrection(std::string_view text, int min, int max, int fallback);

std::uint8_t ZoomConstFromText(std::string_view text);
std::optional<std::string> ZoomConstCorrection(std::string_view text);

int MovieIntervalFromText(std::string_view text);
std::optional<std::string> MovieIntervalCorrection(std::string_view text);

}  // namespace kelbo
