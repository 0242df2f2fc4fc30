#include "picture_io.h"

#include <span>

#include "codecs/bmp_reader.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "strips.h"

namespace kelbo::cli {

LoadedPicture ReadInputPicture(const std::string& in, const PictureCodecs& codecs) {
    const std::filesystem::path path = PathFromUtf8(in);
    LoadedPicture picture = LoadPictureFile(path, codecs);
    if (picture.read) return picture;
    Result<BmpPicture> bmp = ReadBmp(path);
    if (!bmp) throw PictureFileError(in + ": " + bmp.Error().message);
    BmpPicture read = std::move(bmp).Value();
    picture.read = true;
    picture.bitmap = std::move(read.bitmap);
    picture.format = read.format;
    picture.palette = std::move(read.palette);
    return picture;
}

int WroteSize(CommandIo& io, const std::string& out, int width, int height) {
    io.out << "wrote " << out << " (" << width << " x " << height << ")\n";
    return kExitOk;
}

namespace {

// TransformFile, whose strips use `fill` when it is given.
int RunFile(std::string_view command, const ParsedArgs& args, CommandIo& io, const Transform& transform,
            PixelFormat format, const Palette* palette, int stripReach, const StripFill* fill) {
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    const int threads = stripReach >= 0 ? ThreadsOf(args) : 1;
    return Reported(command, io, [&] {
        if (stripReach >= 0 && format == PixelFormat::k24 && !palette) {
            const auto size = fill ? FillInStrips(PathFromUtf8(in), PathFromUtf8(out), *fill, stripReach, 0, threads)
                                   : TransformInStrips(PathFromUtf8(in), PathFromUtf8(out), transform, stripReach, 0,
                                                       threads);
            if (size) {
                return WroteSize(io, out, size->width, size->height);
            }
        }
        const Bitmap24 result = stripReach >= 0 ? TransformInBands(ReadInputPicture(in, io.codecs).bitmap, transform,
                                                                   stripReach, threads)
                                                : transform(std::move(ReadInputPicture(in, io.codecs).bitmap));
        SavePictureFile(PathFromUtf8(out), result.View(), format,
                        palette ? std::span<const Color>(*palette) : std::span<const Color>(), io.codecs);
        return WroteSize(io, out, result.Width(), result.Height());
    });
}

}  // namespace

int TransformFile(std::string_view command, const ParsedArgs& args, CommandIo& io,
                  const std::function<Bitmap24(Bitmap24 picture)>& transform, PixelFormat format,
                  const Palette* palette, int stripReach) {
    return RunFile(command, args, io, transform, format, palette, stripReach, nullptr);
}

int FillFile(std::string_view command, const ParsedArgs& args, CommandIo& io, const StripFill& fill, int stripReach) {
    return RunFile(command, args, io, WholeFill(fill), PixelFormat::k24, nullptr, stripReach, &fill);
}

FrameFiles::~FrameFiles() {
    for (const auto& [temp, name] : files_) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
    }
}

std::filesystem::path FrameFiles::Add(const std::string& name) {
    const std::filesystem::path final = PathFromUtf8(name);
    std::filesystem::path temp = final;
    temp.replace_filename(".kelbo-" + PathToUtf8(final.stem()) + ".part" + PathToUtf8(final.extension()));
    files_.emplace_back(temp, final);
    return temp;
}

void FrameFiles::PutInPlace() {
    // What can be foreseen fails before the first file is replaced.
    for (const auto& [temp, name] : files_) {
        std::error_code ignored;
        if (std::filesystem::is_directory(name, ignored))
            throw FileError("Cannot write file " + PathToUtf8(name) + ": it is a folder", name);
    }
    for (const auto& [temp, name] : files_) {
        std::error_code error;
        std::filesystem::rename(temp, name, error);
        if (error) throw FileError("Cannot write file " + PathToUtf8(name) + ": " + error.message(), name);
    }
    files_.clear();
}

const char kInOutFiles[] = "IN is read by its extension (.bmp, .gif, .jpg/.jpeg, .ico, .png; any other name\n"
                           "as a Windows bitmap); OUT is written by its extension as Save does, a bitmap at 24\n"
                           "bits for any other name. A failed run writes no OUT.";

std::vector<OptionDef> WithThreads(std::vector<OptionDef> options, int stripReach) {
    if (stripReach >= 0) options.push_back(kThreadsOption);
    return options;
}

void AddTransformCommand(CommandRegistry& registry, std::string name, std::string summary, std::string description,
                         std::vector<OptionDef> options, std::function<Transform(const ParsedArgs&)> make,
                         int stripReach) {
    const std::string command = name;
    registry.Add(Command{
        .name = std::move(name),
        .summary = std::move(summary),
        .arguments = "IN OUT",
        .description = std::move(description) + kInOutFiles,
        .options = WithThreads(std::move(options), stripReach),
        .minPositional = 2,
        .maxPositional = 2,
        .run =
            [command, make, stripReach](const ParsedArgs& args, CommandIo& io) {
                return TransformFile(command, args, io, make(args), PixelFormat::k24, nullptr, stripReach);
            },
        .transform = make,
        .stripReach = stripReach,
    });
}

namespace {

int RowsFile(std::string_view command, const ParsedArgs& args, CommandIo& io, const RowsOf& rowsOf) {
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    const int threads = ThreadsOf(args);
    return Reported(command, io, [&] {
        const Bitmap24 source = ReadInputPicture(in, io.codecs).bitmap;
        const ResultRows rows = rowsOf(source.View());
        if (!WriteRowsInBands(PathFromUtf8(out), rows, threads)) {
            SavePictureFile(PathFromUtf8(out), WholeResult(rows).View(), PixelFormat::k24, {}, io.codecs);
        }
        return WroteSize(io, out, rows.size.width, rows.size.height);
    });
}

}  // namespace

void AddRowsCommand(CommandRegistry& registry, std::string name, std::string summary, std::string description,
                    std::vector<OptionDef> options, std::function<RowsOf(const ParsedArgs&)> make) {
    const std::string command = name;
    options.push_back(kThreadsOption);
    registry.Add(Command{
        .name = std::move(name),
        .summary = std::move(summary),
        .arguments = "IN OUT",
        .description = std::move(description) + kInOutFiles,
        .options = std::move(options),
        .minPositional = 2,
        .maxPositional = 2,
        .run = [command, make](const ParsedArgs& args,
                               CommandIo& io) { return RowsFile(command, args, io, make(args)); },
        .transform = [make](const ParsedArgs& args) -> Transform {
            return [rowsOf = make(args)](Bitmap24 picture) { return WholeResult(rowsOf(picture.View())); };
        },
    });
}

std::optional<int> OptionalInt(const ParsedArgs& args, std::string_view name, int min, int max) {
    if (!args.Has(name)) return std::nullopt;
    return args.IntValue(name, 0, min, max);
}

}  // namespace kelbo::cli
