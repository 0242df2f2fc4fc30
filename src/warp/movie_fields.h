// The rules of the animation dialog's fields: the timer's corrections and
// the names of the frames.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelbo {

// A field's whole number taken as an unsigned 16-bit value; 0 for other text.
std::uint16_t FieldWord(std::string_view text);

// The timer's corrections, applied in this order, each to the texts as the
// one before left them (N is the count's value):
// the count becomes "2" unless whole;
std::string CorrectFrameCount(std::string_view frames);
// the first becomes "0" unless whole, then N - 1 when it is N or more (0 when N is 0);
std::string CorrectFirstFrame(std::string_view first, std::string_view frames);
// the last becomes the count's text unless whole or when it is above N.
std::string CorrectLastFrame(std::string_view last, std::string_view frames);

// The caption without its extension (the dot must follow the last folder).
std::string MovieBaseName(std::string_view caption);

// base + FrameNumber(k) + extension
std::string MovieFrameName(std::string_view base, int k, std::string_view extension);

}  // namespace kelbo
