#include "picture_info.h"

#include <vector>

#include "codecs/icon.h"
#include "core/byte_reader.h"
#include "core/file_io.h"
#include "core/text_encoding.h"

namespace kelbo::cli {
namespace {

// A JPEG's frame header is normally within the first few kilobytes; large
// EXIF or ICC segments can push it further, so read up to 1 MiB.
constexpr std::size_t kJpegHeadBytes = std::size_t{1} << 20;

std::optional<std::vector<std::uint8_t>> Head(const std::string& name, std::size_t bytes) {
    try {
        return ReadFilePrefix(PathFromUtf8(name), bytes).bytes;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

const char* JpegProcessName(std::uint8_t marker) {
    switch (marker) {
    case 0xC0: return "baseline";
    case 0xC1: return "extended sequential";
    case 0xC2: return "progressive";
    case 0xC3: return "lossless";
    default: return marker >= 0xC9 ? "arithmetic-coded" : "hierarchical";
    }
}

}  // namespace

std::optional<int> RunJpegInfo(const std::string& name, CommandIo& io) {
    const auto head = Head(name, kJpegHeadBytes);
    if (!head || head->size() < 2 || (*head)[0] != 0xFF || (*head)[1] != 0xD8) return std::nullopt;
    ByteReader r(*head);
    r.Skip(2);
    int comments = 0;
    while (!r.Overrun()) {
        std::uint8_t marker = r.U8();
        if (marker != 0xFF) break;
        while (marker == 0xFF && !r.Overrun()) marker = r.U8();
        if (r.Overrun() || marker == 0xD9 || marker == 0xDA) break;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;
        const std::uint16_t length = r.U16Be();
        if (length < 2) break;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (marker == 0xFE) ++comments;
        if (!frame) {
            r.Skip(length - 2u);
            continue;
        }
        const std::uint8_t precision = r.U8();
        const std::uint16_t height = r.U16Be();
        const std::uint16_t width = r.U16Be();
        const std::uint8_t components = r.U8();
        if (r.Overrun()) break;
        io.out << "file: " << name << '\n'
               << "format: JPEG\n"
               << "width: " << width << '\n'
               << "height: " << height << '\n'
               << "components: " << int{components} << '\n'
               << "bits per sample: " << int{precision} << '\n'
               << "process: " << JpegProcessName(marker) << '\n'
               << "comments before the frame: " << comments << '\n';
        return kExitOk;
    }
    io.err << "kelbo-cli info: " << name << ": JPEG file without a readable frame header\n";
    return kExitFailure;
}

std::optional<int> RunIconInfo(const std::string& name, CommandIo& io) {
    const auto head = Head(name, 4);
    if (!head || head->size() < 4 || (*head)[0] != 0 || (*head)[1] != 0 || (*head)[3] != 0 ||
        ((*head)[2] != 1 && (*head)[2] != 2)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(PathFromUtf8(name));
    } catch (const FileError&) {
        return std::nullopt;
    }
    const Result<IconDirectory> directory = ReadIconDirectory(bytes);
    if (!directory) {
        io.err << "kelbo-cli info: " << name << ": " << directory.Error().message << '\n';
        return kExitFailure;
    }
    io.out << "file: " << name << '\n'
           << "format: " << (directory->type == 1 ? "icon" : "cursor") << '\n'
           << "images: " << directory->entries.size() << '\n';
    for (std::size_t i = 0; i < directory->entries.size(); ++i) {
        const IconDirEntry& e = directory->entries[i];
        io.out << "image " << i + 1 << ": " << e.width << " x " << e.height << ", " << e.bitCount << " bits, "
               << e.bytes << " bytes at " << e.offset << '\n';
    }
    const Result<IconPicture> picture = ReadIcon(bytes);
    if (!picture) {
        io.err << "kelbo-cli info: " << name << ": " << picture.Error().message << '\n';
        return kExitFailure;
    }
    io.out << "read: image " << picture->entry + 1 << " (" << picture->bitmap.Width() << " x "
           << picture->bitmap.Height() << ", " << picture->bitsPerPixel << " bits)\n";
    return kExitOk;
}

}  // namespace kelbo::cli
