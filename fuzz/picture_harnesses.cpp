// The picture readers under arbitrary bytes. A reader may refuse an input
// only in the ways its interface documents; the harness lets those through.
#include <array>
#include <memory>
#include <string>

#include "codecs/bmp_reader.h"
#include "codecs/gif_compose.h"
#include "codecs/gif_decoder.h"
#include "codecs/icon.h"
#include "codecs/jpeg_coding.h"
#include "codecs/jpeg_image.h"
#include "codecs/picture_files.h"
#include "codecs/png_codec.h"
#include "core/file_io.h"
#include "fuzz/harness_support.h"

namespace kelbo::fuzz {

namespace {

// A successful read filled exactly the picture it asked for.
void RequireFilled(const LimitedTarget& target, int width, int height, std::string_view reader) {
    Require(target.asked, std::string(reader) + " succeeded without asking for its picture");
    Require(target.bitmap.Width() == width && target.bitmap.Height() == height,
            std::string(reader) + " reports a size other than the picture it made");
}

void RequireReason(const Failure& failure, std::string_view reader) {
    Require(!failure.message.empty(), std::string(reader) + " failed without a reason");
}

// An 8-bit JPEG picture is its palette's entries at its indices.
void RequireIndexed(ConstPixelView picture, const std::vector<std::uint8_t>& indices, const Palette& palette) {
    Require(indices.size() == static_cast<std::size_t>(picture.Width()) * picture.Height(),
            "a JPEG's indices do not cover its picture");
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* row = picture.Row(y);
        const std::uint8_t* index = indices.data() + static_cast<std::size_t>(y) * picture.Width();
        for (int x = 0; x < picture.Width(); ++x, row += 3) {
            Require(index[x] < palette.size(), "a JPEG index beyond its palette");
            const Color c = palette[index[x]];
            Require(row[0] == BlueOf(c) && row[1] == GreenOf(c) && row[2] == RedOf(c),
                    "a JPEG pixel is not its palette entry");
        }
    }
}

}  // namespace

void RunBmp(std::span<const std::uint8_t> data) {
    // From memory, and from a file, which streams uncompressed rows.
    LimitedTarget fromMemory;
    const Result<BmpFormatInfo> memory = ReadBmp(data, fromMemory);
    if (memory) {
        RequireFilled(fromMemory, memory->info.width, std::abs(memory->info.height), "ReadBmp");
    } else {
        RequireReason(memory.Error(), "ReadBmp");
    }

    const ScratchFile file("bmp", ".bmp");
    file.Write(data);
    LimitedTarget fromFile;
    const Result<BmpFormatInfo> streamed = ReadBmp(file.Path(), fromFile);
    Require(streamed.Ok() == memory.Ok(), "ReadBmp from a file and from memory disagree");
    if (streamed) {
        Require(SamePixels(fromFile.bitmap.View(), fromMemory.bitmap.View()),
                "ReadBmp from a file gives other pixels than from memory");
        Require(streamed->format == memory->format && streamed->palette == memory->palette,
                "ReadBmp from a file gives another format than from memory");
    }
}

void RunGif(std::span<const std::uint8_t> data) {
    GifDecodeOptions options;
    options.maxPixels = kMaxDecodedPixels;
    const Result<GifFile> gif = DecodeGif(data, options);
    if (!gif) {
        RequireReason(gif.Error(), "DecodeGif");
        return;
    }
    for (const GifFrame& frame : gif->frames) {
        const std::size_t pixels = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
        Require(frame.indices.size() == pixels, "a GIF frame's indices do not cover it");
        Require(frame.pixelsDecoded <= pixels, "a GIF frame decoded more pixels than it has");
    }
    try {
        ComposeGifFrames(*gif, [&](std::size_t, const GifComposer& screen) {
            Require(screen.Buffer().Width() == gif->logicalWidth && screen.Buffer().Height() == gif->logicalHeight,
                    "the composed GIF screen is not the logical screen");
        });
    } catch (const std::invalid_argument& e) {
        Require(*e.what() != 0, "ComposeGifFrames refused without a reason");
    }
    LimitedTarget first;
    if (const std::optional<Failure> failure = DrawGifFirstFrame(*gif, first)) {
        RequireReason(*failure, "DrawGifFirstFrame");
    } else {
        RequireFilled(first, gif->frames.front().width, gif->frames.front().height, "DrawGifFirstFrame");
    }

    // Walking the blocks alone finds the same frames.
    options.decodePixels = false;
    const Result<GifFile> walked = DecodeGif(data, options);
    Require(walked.Ok() && walked->frames.size() == gif->frames.size(),
            "walking a GIF's blocks finds other frames than decoding them");
}

void RunJpeg(std::span<const std::uint8_t> data) {
    const auto [choice, rest] = Choose(data);
    JpegSettings settings;
    constexpr std::array kColours = {TNumOfColors::_256, TNumOfColors::_16, TNumOfColors::TrueColor};
    constexpr std::array kMethods = {TDCTMethod::Integ, TDCTMethod::FastInteg, TDCTMethod::FloatingPoint};
    constexpr std::array kDithers = {TDither::FS, TDither::None, TDither::Ordered};
    settings.NumOfColors = kColours[choice % 3];
    settings.DCTMethod = kMethods[(choice / 3) % 3];
    settings.Dither = kDithers[(choice / 9) % 3];
    settings.GrayScale = (choice & 0x20) != 0;
    settings.OnePass = (choice & 0x40) != 0;
    settings.FastProcessing = (choice & 0x80) != 0;
    LimitedTarget target;
    std::vector<std::uint8_t> indices;
    try {
        const JpegDecodeInfo info = DecodeJpeg(rest, settings, target, {}, &indices);
        if (info.warnings > 0) return;  // the picture stops at the first warning
        if (info.format == JpegPixelFormat::k8Bit) RequireIndexed(target.bitmap.View(), indices, info.palette);
    } catch (const EJPEGException& e) {
        Require(*e.what() != 0, "DecodeJpeg refused without a reason");
        return;
    }
    // The picture class, set up through its properties, decodes the same.
    TJPEGImage jpeg;
    jpeg.SetNumOfColors(settings.NumOfColors);
    jpeg.SetDCTMethod(settings.DCTMethod);
    jpeg.SetDither(settings.Dither);
    jpeg.SetGrayScale(settings.GrayScale);
    jpeg.SetOnePass(settings.OnePass);
    jpeg.SetFastProcessing(settings.FastProcessing);
    LimitedTarget again;
    try {
        jpeg.DecodeInto(rest, again);
    } catch (const EJPEGException& e) {
        Require(*e.what() != 0, "the JPEG picture refused without a reason");
        return;
    }
    Require(SamePixels(again.bitmap.View(), target.bitmap.View()), "the JPEG picture decodes other pixels");
}

void RunIcon(std::span<const std::uint8_t> data) {
    if (const Result<IconDirectory> directory = ReadIconDirectory(data); !directory) {
        RequireReason(directory.Error(), "ReadIconDirectory");
    }
    const Result<IconPicture> icon = ReadIcon(data);
    if (!icon) {
        RequireReason(icon.Error(), "ReadIcon");
        return;
    }
    Require(icon->bitmap.Width() > 0 && icon->bitmap.Height() > 0, "ReadIcon gave an empty picture");
}

void RunPng(std::span<const std::uint8_t> data) {
    const ScratchFile file("png", ".png");
    file.Write(data);
    LimitedTarget target;
    const Result<PngFormat> png = ReadPng(file.Path(), target);
    if (!png) {
        RequireReason(png.Error(), "ReadPng");
        return;
    }
    Require(target.asked, "ReadPng succeeded without asking for its picture");
}

namespace {

constexpr std::array<std::string_view, 7> kPictureExtensions = {".bmp", ".gif",  ".jpg", ".ico",
                                                                ".png", ".jpeg", ".txt"};

// The documented refusals of LoadPictureFile; false when it refused.
bool TryLoad(const std::filesystem::path& path, LimitedTarget& target, LoadedFormat& loaded) {
    TJPEGImage jpeg;
    try {
        loaded = LoadPictureFile(path, target, PictureCodecs{jpeg});
        return true;
    } catch (const PictureFileError& e) {
        Require(*e.what() != 0, "a picture file refused without a reason");
    } catch (const FileError& e) {
        Require(*e.what() != 0, "a picture file refused without a reason");
    } catch (const EJPEGException& e) {
        Require(*e.what() != 0, "a picture file refused without a reason");
    } catch (const BitmapSizeError&) {
        // the harness target's own refusal
    }
    return false;
}

}  // namespace

// The rest of the input as a file of the extension its first byte chooses.
template <std::size_t N>
std::string_view WriteChosen(std::span<const std::uint8_t> data, const std::array<std::string_view, N>& extensions,
                             std::unique_ptr<ScratchFile>& file, std::string_view tag) {
    const auto [choice, rest] = Choose(data);
    const std::string_view extension = extensions[choice % N];
    file = std::make_unique<ScratchFile>(tag, extension);
    file->Write(rest);
    return extension;
}

void RunPictureFile(std::span<const std::uint8_t> data) {
    std::unique_ptr<ScratchFile> file;
    WriteChosen(data, kPictureExtensions, file, "picture");
    LimitedTarget target;
    LoadedFormat loaded;
    if (!TryLoad(file->Path(), target, loaded)) return;
    Require(loaded.read == (PictureKindOf(file->Path()) != PictureFileKind::kNone),
            "LoadPictureFile read a file of no picture kind, or skipped one of a kind");
    if (loaded.read) Require(target.asked, "LoadPictureFile read a picture without asking for it");
}

void RunRoundTrip(std::span<const std::uint8_t> data) {
    // JPEG is lossy and so left out: what is written must read back exactly.
    constexpr std::array<std::string_view, 4> kLossless = {".bmp", ".gif", ".png", ".ico"};
    std::unique_ptr<ScratchFile> input;
    const std::string_view extension = WriteChosen(data, kLossless, input, "round-in");
    LimitedTarget first;
    LoadedFormat loaded;
    if (!TryLoad(input->Path(), first, loaded) || !loaded.read) return;
    const ConstPixelView picture = first.bitmap.View();
    if (picture.Empty()) return;
    // An icon keeps at most 256 a side; a larger picture is refused on saving.
    if (extension == ".ico" && (picture.Width() > 256 || picture.Height() > 256)) return;

    const ScratchFile output("round-out", extension);
    TJPEGImage jpeg;
    SavePictureFile(output.Path(), picture, loaded.format, loaded.palette, PictureCodecs{jpeg});
    LimitedTarget second;
    LoadedFormat reloaded;
    Require(TryLoad(output.Path(), second, reloaded), "a saved picture cannot be read back");
    Require(SamePixels(second.bitmap.View(), picture), "a saved picture reads back with other pixels");
    // Custom bit fields are written as 24 bits, the one depth that holds them.
    const PixelFormat written = loaded.format == PixelFormat::kCustom ? PixelFormat::k24 : loaded.format;
    Require(reloaded.format == written, "a saved picture reads back at another depth");
}

}  // namespace kelbo::fuzz
