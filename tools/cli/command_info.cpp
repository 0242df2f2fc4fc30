#include "all_commands.h"
#include "codecs/bmp_info.h"
#include "codecs/bmp_reader.h"
#include "core/text_encoding.h"
#include "gif_info.h"
#include "picture_info.h"

namespace kelbo::cli {
namespace {

void PrintBmpInfo(const BmpInfo& info, std::ostream& out) {
    out << "format: Windows bitmap\n"
        << "width: " << info.width << '\n'
        << "height: " << info.height << '\n'
        << "bits per pixel: " << info.bitsPerPixel << '\n'
        << "compression: " << BmpCompressionName(info.compression) << '\n'
        << "header: " << BmpHeaderKindName(info.headerKind) << '\n'
        << "row order: " << (info.bottomUp ? "bottom-up" : "top-down") << '\n'
        << "colours used: " << info.colorsUsed << '\n'
        << "palette entries: " << info.paletteEntries << '\n'
        << "pixel data offset: " << info.pixelOffset << '\n'
        << "pixel format: " << PixelFormatName(PixelFormatOf(info)) << '\n'
        << "image size field: " << info.imageSize << '\n'
        << "pixels per metre: " << info.xPixelsPerMeter << " x " << info.yPixelsPerMeter << '\n';
    if (info.compression == BmpCompression::kBitfields) {
        out << std::hex << std::uppercase << "red mask: 0x" << info.redMask << '\n'
            << "green mask: 0x" << info.greenMask << '\n'
            << "blue mask: 0x" << info.blueMask << '\n'
            << std::dec << std::nouppercase;
    }
}

// The colour table needs the whole file read; so does checking the pixels.
int PrintBmpPalette(const std::string& name, CommandIo& io) {
    const Result<BmpPicture> picture = ReadBmp(PathFromUtf8(name));
    if (!picture) {
        io.err << "kelbo-cli info: " << name << ": " << picture.Error().message << '\n';
        return kExitFailure;
    }
    for (std::size_t i = 0; i < picture->palette.size(); ++i) {
        const Color c = picture->palette[i];
        io.out << "palette " << i << ": " << int{RedOf(c)} << ' ' << int{GreenOf(c)} << ' ' << int{BlueOf(c)} << '\n';
    }
    return kExitOk;
}

int RunInfo(const ParsedArgs& args, CommandIo& io) {
    const std::string& name = args.Positional()[0];
    if (const auto gif = RunGifInfo(name, io)) return *gif;
    if (const auto jpeg = RunJpegInfo(name, io)) return *jpeg;
    if (const auto icon = RunIconInfo(name, io)) return *icon;
    const Result<BmpInfo> info = ReadBmpInfo(PathFromUtf8(name));
    if (!info) {
        io.err << "kelbo-cli info: " << name << ": " << info.Error().message << '\n';
        return kExitFailure;
    }
    io.out << "file: " << name << '\n';
    PrintBmpInfo(*info, io.out);
    if (args.Has("palette")) return PrintBmpPalette(name, io);
    return kExitOk;
}

}  // namespace

void AddInfoCommand(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "info",
        .summary = "print the size and format of a picture file",
        .arguments = "FILE",
        .description = "Reads only the headers (--palette and icons read the whole file). Prints one\n"
                       "\"name: value\" line per field for a Windows bitmap, GIF, JPEG or icon, known by\n"
                       "its first bytes; a file none of them can read gives the reason and exit status 1.",
        .options = {{"palette", "", "also list the colour table (red green blue); reads the whole file"}},
        .minPositional = 1,
        .maxPositional = 1,
        .run = RunInfo,
    });
}

}  // namespace kelbo::cli
