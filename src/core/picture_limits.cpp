#include "core/picture_limits.h"

#include <new>

namespace kelbo {
namespace {

std::string SizeText(std::uint64_t width, std::uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// Rounded up, so a picture just over the limit does not seem to fit it.
std::uint64_t MiB(std::uint64_t bytes) { return (bytes + (std::uint64_t{1} << 20) - 1) >> 20; }

}  // namespace

std::uint64_t PictureBytes(std::uint64_t width, std::uint64_t height) {
    // Sides below 2^31, all any format's fields can state, cannot overflow.
    return (width * 3 + 3) / 4 * 4 * height;
}

std::optional<std::string> PictureSizeProblem(std::uint64_t width, std::uint64_t height, std::string_view what) {
    const auto side = static_cast<std::uint64_t>(kMaxPictureSide);
    if (width > side || height > side) {
        return std::string(what) + " too large: " + SizeText(width, height) + ", at most " + std::to_string(side) +
               " pixels a side";
    }
    const std::uint64_t bytes = PictureBytes(width, height);
    if (bytes > kMaxPictureBytes) {
        return std::string(what) + " too large: " + SizeText(width, height) + " need " + std::to_string(MiB(bytes)) +
               " MiB, at most " + std::to_string(kMaxPictureBytes >> 20) + " MiB";
    }
    return std::nullopt;
}

Result<PixelView> AllocatePicture(PictureTarget& target, int width, int height) {
    if (width < 0 || height < 0) {
        return Failure{FailureKind::kInvalid, "picture of " + std::to_string(width) + " x " + std::to_string(height) +
                                                  " pixels: a side is negative"};
    }
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    if (auto problem = PictureSizeProblem(w, h)) return Failure{FailureKind::kUnsupported, std::move(*problem)};
    try {
        return target.Allocate(width, height);
    } catch (const BitmapSizeError& e) {
        return Failure{FailureKind::kUnsupported, e.what()};
    } catch (const std::bad_alloc&) {
        return Failure{FailureKind::kUnsupported, "not enough memory for a picture of " + SizeText(w, h)};
    }
}

}  // namespace kelbo
