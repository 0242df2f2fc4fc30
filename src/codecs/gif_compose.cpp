#include "codecs/gif_compose.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

namespace kelbo {
namespace {

std::size_t Offset(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

}  // namespace

GifComposer::GifComposer(const GifFile& file) : file_(file) {
    const std::uint64_t width = static_cast<std::uint64_t>(std::max(file.logicalWidth, 0));
    const std::uint64_t height = static_cast<std::uint64_t>(std::max(file.logicalHeight, 0));
    if (auto tooLarge = PictureSizeProblem(width, height, "logical screen")) throw BitmapSizeError(*tooLarge);
    buffer_ = Bitmap24(file.logicalWidth, file.logicalHeight);
    try {
        saved_.resize(file.frames.size());
        if (file.anyTransparent) mask_.assign(static_cast<std::size_t>(width * height), 1);
    } catch (const std::bad_alloc&) {
        throw BitmapSizeError("not enough memory for the mask of a logical screen of " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels");
    }
}

void GifComposer::SaveUnder(const GifFrame& frame, Saved& saved) {
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    try {
        saved.image = Bitmap24(frame.width, frame.height);
        saved.mask.clear();
        if (HasMask())
            saved.mask.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
    } catch (const std::exception&) {
        saved = Saved{};
        return;
    }
    for (int y = 0; y < frame.height; ++y) {
        std::copy_n(buffer_.Row(frame.top + y) + static_cast<std::size_t>(frame.left) * 3, rowBytes,
                    saved.image.Row(y));
    }
    if (HasMask()) {
        for (int y = 0; y < frame.height; ++y) {
            std::copy_n(
                mask_.begin() + static_cast<std::ptrdiff_t>(Offset(frame.left, frame.top + y, file_.logicalWidth)),
                frame.width, saved.mask.begin() + static_cast<std::ptrdiff_t>(Offset(0, y, frame.width)));
        }
    }
}

void GifComposer::Compose(std::size_t index) {
    const GifFrame& frame = file_.frames.at(index);
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    if (frame.image.Width() != frame.width || frame.image.Height() != frame.height)
        throw std::invalid_argument("GIF frame " + std::to_string(index + 1) + " has no pixels");
    // Decoded files always pass; a hand-made GifFile might not.
    if (frame.left < 0 || frame.top < 0 || frame.left + frame.width > buffer_.Width() ||
        frame.top + frame.height > buffer_.Height())
        throw std::invalid_argument("GIF frame " + std::to_string(index + 1) + " lies outside the logical screen");

    if (frame.disposal == GifDisposal::kPrevious) SaveUnder(frame, saved_[index]);

    for (int y = 0; y < frame.height; ++y) {
        std::uint8_t* out = buffer_.Row(frame.top + y) + static_cast<std::size_t>(frame.left) * 3;
        const std::uint8_t* image = frame.image.Row(y);
        if (!frame.transparent) {
            std::copy_n(image, rowBytes, out);
            if (HasMask())
                std::fill_n(
                    mask_.begin() + static_cast<std::ptrdiff_t>(Offset(frame.left, frame.top + y, file_.logicalWidth)),
                    frame.width, 0);
            continue;
        }
        const std::uint8_t* frameMask = frame.mask.data() + Offset(0, y, frame.width);
        std::uint8_t* screenMask = mask_.data() + Offset(frame.left, frame.top + y, file_.logicalWidth);
        for (int x = 0; x < frame.width; ++x) {
            // Mask AND, buffer AND mask, buffer XOR image: transparent pixels of
            // the image are black, so they keep what was there.
            screenMask[x] &= frameMask[x];
            const std::uint8_t keep = frameMask[x] ? 0xFF : 0x00;
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = static_cast<std::uint8_t>((out[3 * x + c] & keep) ^ image[3 * x + c]);
        }
    }
}

void GifComposer::Dispose(std::size_t index) {
    const GifFrame& frame = file_.frames.at(index);
    if (frame.left < 0 || frame.top < 0 || frame.left + frame.width > buffer_.Width() ||
        frame.top + frame.height > buffer_.Height())
        return;  // Compose refused it, so nothing of it is on the screen
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    if (frame.disposal == GifDisposal::kBackground) {
        for (int y = 0; y < frame.height; ++y) {
            std::fill_n(buffer_.Row(frame.top + y) + static_cast<std::size_t>(frame.left) * 3, rowBytes, 0);
            if (HasMask())
                std::fill_n(
                    mask_.begin() + static_cast<std::ptrdiff_t>(Offset(frame.left, frame.top + y, file_.logicalWidth)),
                    frame.width, 1);
        }
    } else if (frame.disposal == GifDisposal::kPrevious) {
        Saved& saved = saved_[index];
        if (saved.image.Width() != frame.width || saved.image.Height() != frame.height) return;
        for (int y = 0; y < frame.height; ++y) {
            std::copy_n(saved.image.Row(y), rowBytes,
                        buffer_.Row(frame.top + y) + static_cast<std::size_t>(frame.left) * 3);
            if (HasMask() && !saved.mask.empty()) {
                std::copy_n(
                    saved.mask.begin() + static_cast<std::ptrdiff_t>(Offset(0, y, frame.width)), frame.width,
                    mask_.begin() + static_cast<std::ptrdiff_t>(Offset(frame.left, frame.top + y, file_.logicalWidth)));
            }
        }
    }
}

void ComposeGifFrames(const GifFile& file,
                      const std::function<void(std::size_t index, const GifComposer& screen)>& visit) {
    GifComposer screen(file);
    for (std::size_t i = 0; i < file.frames.size(); ++i) {
        if (i > 0) screen.Dispose(i - 1);
        screen.Compose(i);
        visit(i, screen);
    }
}

}  // namespace kelbo
