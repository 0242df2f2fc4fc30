#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "all_commands.h"
#include "picture_io.h"
#include "strips.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/jpeg_coding.h"
#include "codecs/jpeg_image.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"

namespace kelbo::cli {
namespace {

// "keep" asks for the input's own format, as the program's Save does.
PixelFormat FormatOption(const ParsedArgs& args, PixelFormat source) {
    const std::string bits = args.ValueOr("bits", "24");
    if (bits == "keep") return source;
    if (bits == "1") return PixelFormat::k1;
    if (bits == "4") return PixelFormat::k4;
    if (bits == "8") return PixelFormat::k8;
    if (bits == "15") return PixelFormat::k15;
    if (bits == "16") return PixelFormat::k16;
    if (bits == "24") return PixelFormat::k24;
    if (bits == "32") return PixelFormat::k32;
    throw UsageError("--bits must be 1, 4, 8, 15, 16, 24, 32 or keep, not \"" + bits + "\"");
}

// What OUT was written as, for the report line.
std::string WrittenKind(const std::string& out, PixelFormat format) {
    const std::string extension = UpperExtension(PathFromUtf8(out));
    if (extension == ".GIF") return "GIF, at most 256 colours";
    if (extension == ".JPG" || extension == ".JPEG") return "JPEG, quality 75";
    if (extension == ".ICO") return "icon, 32 bits";
    if (extension == ".PNG") {
        const bool palette = format == PixelFormat::k1 || format == PixelFormat::k4 || format == PixelFormat::k8;
        return std::string("PNG, ") + PixelFormatName(palette ? format : PixelFormat::k24);
    }
    return PixelFormatName(BmpBitsPerPixel(format) == 24 ? PixelFormat::k24 : format);
}

int Wrote(CommandIo& io, const std::string& out, int width, int height, PixelFormat format) {
    io.out << "wrote " << out << " (" << width << " x " << height << ", " << WrittenKind(out, format) << ")\n";
    return kExitOk;
}

// A 24-bit bitmap copied to a bitmap goes row by row, never held whole.
// Nullopt for any other conversion.
std::optional<int> CopyBitmapRows(const std::string& in, const std::string& out, const ParsedArgs& args,
                                  CommandIo& io) {
    if (args.ValueOr("bits", "24") != "24") return std::nullopt;
    return Reported("convert", io, [&]() -> std::optional<int> {
        const Transform same = [](Bitmap24 rows) { return rows; };
        const auto size = TransformInStrips(PathFromUtf8(in), PathFromUtf8(out), same, 0);
        if (!size) return std::nullopt;
        return Wrote(io, out, size->width, size->height, PixelFormat::k24);
    });
}

// A 24-bit bitmap made a JPEG goes row by row from file to file, top row
// first as the encoder takes them. Nullopt for any other conversion.
std::optional<int> ConvertBitmapToJpeg(const std::string& in, const std::string& out, CommandIo& io) {
    if (PictureKindOf(PathFromUtf8(out)) != PictureFileKind::kJpeg) return std::nullopt;
    return Reported("convert", io, [&]() -> std::optional<int> {
        const std::unique_ptr<BmpRowReader> rows = BmpRowReader::Open(PathFromUtf8(in), BmpRowOrder::kTopDown);
        if (!rows) return std::nullopt;
        const BmpInfo& info = rows->Info();
        WriteJpeg(
            PathFromUtf8(out), info.width, info.height, [&rows](int) { return rows->NextRow(); },
            io.codecs.jpeg.Settings());
        return Wrote(io, out, info.width, info.height, PixelFormat::k24);
    });
}

// A JPEG made an 8- or 24-bit bitmap goes from its rows of indices to their
// places in the file, with the bytes the whole picture would give: neither
// the picture nor its indices are held. Nullopt for any other conversion,
// and for files the whole picture must take (true colour, CMYK, warnings,
// whose errors it reports).
std::optional<int> ConvertJpegFromIndices(const std::string& in, const std::string& out, const ParsedArgs& args,
                                          CommandIo& io) {
    const PictureFileKind outKind = PictureKindOf(PathFromUtf8(out));
    const bool toBitmap = outKind == PictureFileKind::kBmp || outKind == PictureFileKind::kNone ||
                          outKind == PictureFileKind::kMetafile;
    const std::string bits = args.ValueOr("bits", "24");
    if (PictureKindOf(PathFromUtf8(in)) != PictureFileKind::kJpeg || !toBitmap || (bits != "8" && bits != "24")) {
        return std::nullopt;
    }
    return Reported("convert", io, [&]() -> std::optional<int> {
        const std::vector<std::uint8_t> bytes = ReadJpegFile(PathFromUtf8(in));
        if (bytes.empty()) return std::nullopt;
        std::unique_ptr<BmpRowWriter> writer;  // dropped unwritten when the whole picture must take over
        BgrTable bgr{};
        std::vector<std::uint8_t> row;
        const JpegIndexRows rows{[&](int width, int height, const Palette& palette) {
                                     if (bits == "8") {
                                         writer = std::make_unique<BmpRowWriter>(PathFromUtf8(out), width, height,
                                                                                 BmpRowOrder::kTopDown, palette);
                                         return;
                                     }
                                     writer = std::make_unique<BmpRowWriter>(PathFromUtf8(out), width, height,
                                                                             BmpRowOrder::kTopDown);
                                     bgr = BgrOfPalette(palette);
                                     row.resize(3 * static_cast<std::size_t>(width));
                                 },
                                 [&](const std::uint8_t* indices) {
                                     if (bits == "8") return writer->WriteRow(indices);
                                     ExpandIndices(indices, static_cast<int>(row.size() / 3), bgr, row.data());
                                     writer->WriteRow(row.data());
                                 }};
        const std::optional<JpegIndexed> picture = DecodeJpegIndices(bytes, io.codecs.jpeg.Settings(), rows);
        if (!picture || picture->warnings > 0) return std::nullopt;
        writer->Commit();
        return Wrote(io, out, picture->width, picture->height, bits == "8" ? PixelFormat::k8 : PixelFormat::k24);
    });
}

int RunConvert(const ParsedArgs& args, CommandIo& io) {
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    if (const auto done = CopyBitmapRows(in, out, args, io)) return *done;
    if (const auto done = ConvertBitmapToJpeg(in, out, io)) return *done;
    if (const auto done = ConvertJpegFromIndices(in, out, args, io)) return *done;
    return Reported("convert", io, [&] {
        const LoadedPicture picture = ReadInputPicture(in, io.codecs);
        const PixelFormat format = FormatOption(args, picture.format);
        SavePictureFile(PathFromUtf8(out), picture.bitmap.View(), format, picture.palette, io.codecs);
        return Wrote(io, out, picture.bitmap.Width(), picture.bitmap.Height(), format);
    });
}

}  // namespace

void AddConvertCommand(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "convert",
        .summary = "convert a picture file, choosing the writer by OUT's extension",
        .arguments = "IN OUT",
        .description = "Reads IN by its extension (.bmp, .gif: the first frame, .jpg/.jpeg: reduced to\n"
                       "256 colours as the program reads them, .ico: the largest image, .png: alpha\n"
                       "composed over white, 16 bits scaled to 8; any other name\n"
                       "is read as a Windows bitmap) and writes OUT as the program's Save does: .gif a\n"
                       "GIF of 256 colours (Floyd-Steinberg dithered), .jpg/.jpeg a JPEG of quality 75,\n"
                       ".ico an icon of one 32-bit image (up to 256 x 256), .png a PNG (a palette at\n"
                       "--bits 1, 4 or 8, else RGB), anything else a Windows bitmap of --bits. Palette depths reuse "
                       "IN's colour table when it holds every\n"
                       "colour, else take the picture's own colours when they fit, else a median-cut\n"
                       "table (1 bit: black and white, white from luminance 128).",
        .options = {{"bits", "N",
                     "bits per pixel of a bitmap: 1, 4, 8, 15 (5-5-5), 16 (5-6-5), 24, 32, or keep "
                     "(IN's own; default 24); other kinds of OUT ignore it"}},
        .minPositional = 2,
        .maxPositional = 2,
        .run = RunConvert,
    });
}

}  // namespace kelbo::cli
