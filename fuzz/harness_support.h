// What the harnesses share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/bitmap24.h"
#include "core/picture_target.h"
#include "fuzz/harnesses.h"

namespace kelbo::fuzz {

inline void Require(bool condition, std::string_view what) {
    if (!condition) throw HarnessFailure(std::string(what));
}

// A Bitmap24 target that refuses, as a failing allocation would, pictures
// above the harnesses' pixel limit.
class LimitedTarget : public PictureTarget {
public:
    PixelView Allocate(int width, int height) override;
    bool asked = false;
    Bitmap24 bitmap;
};

// A file of this process's own in the temporary folder, removed again by
// the destructor; readers that take only a path read the input from it.
class ScratchFile {
public:
    ScratchFile(std::string_view tag, std::string_view extension);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    void Write(std::span<const std::uint8_t> data) const;

private:
    std::filesystem::path path_;
};

// One byte of the input chooses a variant; the rest is the data.
struct Chosen {
    std::uint8_t choice = 0;
    std::span<const std::uint8_t> rest;
};
inline Chosen Choose(std::span<const std::uint8_t> data) {
    if (data.empty()) return {};
    return {data[0], data.subspan(1)};
}

void RunBmp(std::span<const std::uint8_t> data);
void RunGif(std::span<const std::uint8_t> data);
void RunJpeg(std::span<const std::uint8_t> data);
void RunIcon(std::span<const std::uint8_t> data);
void RunPng(std::span<const std::uint8_t> data);
void RunPictureFile(std::span<const std::uint8_t> data);
void RunRoundTrip(std::span<const std::uint8_t> data);
void RunMesh(std::span<const std::uint8_t> data);
void RunIni(std::span<const std::uint8_t> data);

}  // namespace kelbo::fuzz
