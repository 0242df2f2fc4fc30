#include "fuzz/harnesses.h"

#include <unistd.h>

#include <array>
#include <fstream>
#include <system_error>

#include "fuzz/harness_support.h"

namespace kelbo::fuzz {

PixelView LimitedTarget::Allocate(int width, int height) {
    Require(!asked, "the reader asked its target twice");
    asked = true;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxDecodedPixels) {
        throw BitmapSizeError("picture above the fuzzing limit");
    }
    bitmap = Bitmap24(width, height);
    return bitmap.View();
}

ScratchFile::ScratchFile(std::string_view tag, std::string_view extension) {
    std::string name = "kelbo-fuzz-" + std::to_string(::getpid()) + "-" + std::string(tag);
    name += extension;
    path_ = std::filesystem::temp_directory_path() / name;
}

ScratchFile::~ScratchFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

void ScratchFile::Write(std::span<const std::uint8_t> data) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write the scratch file " + path_.string());
}

namespace {

constexpr std::array kHarnesses = {
    Harness{"bmp", ".bmp", RunBmp},
    Harness{"gif", ".gif", RunGif},
    Harness{"jpeg", ".jpg", RunJpeg},
    Harness{"icon", ".ico", RunIcon},
    Harness{"png", ".png", RunPng},
    // The first byte chooses the extension, so these keep a neutral one.
    Harness{"picture-file", ".bin", RunPictureFile},
    Harness{"round-trip", ".bin", RunRoundTrip},
    Harness{"mesh", ".kmw", RunMesh},
    Harness{"ini", ".ini", RunIni},
};

}  // namespace

std::span<const Harness> Harnesses() { return kHarnesses; }

const Harness* FindHarness(std::string_view name) {
    for (const Harness& harness : kHarnesses) {
        if (harness.name == name) return &harness;
    }
    return nullptr;
}

}  // namespace kelbo::fuzz
