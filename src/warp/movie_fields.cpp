#include "warp/movie_fields.h"

#include "core/whole_number.h"
#include "warp/morph.h"

namespace kelbo {

std::uint16_t FieldWord(std::string_view text) {
    return static_cast<std::uint16_t>(ParseWholeNumber(text).value_or(0));
}

std::string CorrectFrameCount(std::string_view frames) { return ParseWholeNumber(frames) ? std::string(frames) : "2"; }

std::string CorrectFirstFrame(std::string_view first, std::string_view frames) {
    const std::uint16_t n = FieldWord(frames);
    std::string f = ParseWholeNumber(first) ? std::string(first) : "0";
    // With no frames there is no last one to fall back to.
    if (FieldWord(f) >= n) f = std::to_string(n == 0 ? 0 : n - 1);
    return f;
}

std::string CorrectLastFrame(std::string_view last, std::string_view frames) {
    if (!ParseWholeNumber(last) || FieldWord(frames) < FieldWord(last)) return std::string(frames);
    return std::string(last);
}

std::string MovieBaseName(std::string_view caption) {
    const size_t dot = caption.find_last_of('.');
    const size_t folder = caption.find_last_of("\\/:");
    if (dot == std::string_view::npos || (folder != std::string_view::npos && dot < folder))
        return std::string(caption);
    return std::string(caption.substr(0, dot));
}

std::string MovieFrameName(std::string_view base, int k, std::string_view extension) {
    return std::string(base) + FrameNumber(k) + std::string(extension);
}

}  // namespace kelbo
