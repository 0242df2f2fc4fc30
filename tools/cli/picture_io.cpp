#include "picture_io.h"

#include <exception>
#include <span>

#include "codecs/bmp_reader.h"
#include "core/file_io.h"
#include "core/text_encoding.h"

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

int TransformFile(std::string_view command, const ParsedArgs& args, CommandIo& io,
                  const std::function<Bitmap24(Bitmap24 picture)>& transform, PixelFormat format,
                  const Palette* palette) {
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    try {
        const Bitmap24 result = transform(std::move(ReadInputPicture(in, io.codecs).bitmap));
        SavePictureFile(PathFromUtf8(out), result.View(), format,
                        palette ? std::span<const Color>(*palette) : std::span<const Color>(), io.codecs);
        io.out << "wrote " << out << " (" << result.Width() << " x " << result.Height() << ")\n";
    } catch (const std::exception& e) {
        io.err << "kelbo-cli " << command << ": " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
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

}  // namespace kelbo::cli
