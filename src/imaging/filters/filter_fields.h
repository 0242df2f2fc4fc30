// The corrections of the filter dialogs' strength fields. A field holds a
// whole number typed as text; what is not one never reaches a filter.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelbo {

struct FieldCheck {
    std::optional<std::string> corrected;  // the field's new text, when it changes
    int read = 0;                          // the number as read, 0 for text that is none
    int value = 0;                         // the number the field holds after the correction
};

// "Obyčajná filtrácia": text that is not a whole number becomes "0".
// `value` is the radius the filter gets: never negative, and no wider than
// a picture can be, so the window's ends cannot overflow.
FieldCheck CheckAverageRadius(std::string_view text);

// "Filtrovanie mediánom...": below 2 (text that is no number counts as 0)
// becomes "2", above 18 becomes "18".
FieldCheck CheckMedianRadius(std::string_view text);

// "Filtrovanie sobelovým operátorom...": text that is no number, and 0,
// become "1"; above 8 becomes "8". A negative number becomes "1" as well:
// the track bar cannot hold it and would write its own minimum back.
FieldCheck CheckSobelRotation(std::string_view text);

inline constexpr int kSobelRotationMin = 1;
inline constexpr int kSobelRotationMax = 8;

// "Alfa miešanie...": text that is no number becomes "0"; the alpha (Edit3)
// above 255 becomes "255", the interval's start (Edit5) above 254 "254" and
// its end (Edit6) above 255 "255". A negative number becomes "0" in all
// three: the fields hold 8-bit values.
FieldCheck CheckAlphaValue(std::string_view text);
FieldCheck CheckIntervalStart(std::string_view text);
FieldCheck CheckIntervalEnd(std::string_view text);

struct AlphaInterval {
    int start = 0;
    int end = 0;
    bool operator==(const AlphaInterval&) const = default;
};
// When the start field loses the focus and start >= end, the end becomes
// start + 1; when the end field does, the start becomes end - 1 (not below 0).
AlphaInterval StartFieldLeft(AlphaInterval interval);
AlphaInterval EndFieldLeft(AlphaInterval interval);
// "dĺžka intervalu <start,end>" and a carriage return.
std::string IntervalInfo(AlphaInterval interval);

}  // namespace kelbo
