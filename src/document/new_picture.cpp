#include "document/new_picture.h"

#include <optional>

#include "core/whole_number.h"

namespace kelbo {

const std::array<NewPictureDepth, 7> kNewPictureDepths = {{
    {"2 farby (čierna a biela, 1 bit) ", PixelFormat::k1},
    {"2 rôzne farby (1 bit)", PixelFormat::k1},
    {"16 farieb  (4 bity)", PixelFormat::k4},
    {"16 odtieňov čiernej (4 bity)", PixelFormat::k4},
    {"256 farieb  (8 bitov)", PixelFormat::k8},
    {"256 odtieňov čiernej (8 bitov)", PixelFormat::k8},
    {"16.7 milióna farieb (24 bitov)", PixelFormat::k24},
}};

namespace {

constexpr int kMostPixels = 65535;

std::string NotAnInteger(std::string_view text) { return "'" + std::string(text) + "' is not a valid integer value"; }

}  // namespace

NewPictureSize ParseNewPictureSize(std::string_view width, std::string_view height) {
    const std::optional<int> w = ParseWholeNumber(width);
    if (!w) return {{}, NotAnInteger(width)};
    const std::optional<int> h = ParseWholeNumber(height);
    if (!h) return {{}, NotAnInteger(height)};
    if (*w < 0 || *h < 0) return {{}, "Obrázok nemôže mať zápornú šírku ani výšku."};
    if (*w > kMostPixels || *h > kMostPixels) return {{}, "Obrázok môže mať najviac 65535 × 65535 bodov."};
    return {{*w, *h}, {}};
}

}  // namespace kelbo
