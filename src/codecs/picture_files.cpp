#include "codecs/picture_files.h"

#include <algorithm>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/gif_decoder.h"
#include "codecs/gif_encoder.h"
#include "codecs/icon.h"
#include "codecs/png_codec.h"
#include "core/file_io.h"
#include "core/picture_limits.h"
#include "core/text_encoding.h"

namespace kelbo {
namespace {

[[noreturn]] void Throw(const std::filesystem::path& path, const Failure& failure) {
    throw PictureFileError(PathToUtf8(path) + ": " + failure.message);
}

// The depth and table a reader of BMP or PNG files found, for saving back.
template <class Format>
void KeepFormat(const std::filesystem::path& path, Result<Format> read, LoadedFormat& loaded) {
    if (!read) Throw(path, read.Error());
    Format format = std::move(read).Value();
    loaded.format = format.format;
    loaded.palette = std::move(format.palette);
}

}  // namespace

std::string UpperExtension(const std::filesystem::path& path) {
    std::string extension = PathToUtf8(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return extension;
}

PictureFileKind PictureKindOf(const std::filesystem::path& path) {
    const std::string extension = UpperExtension(path);
    if (extension == ".BMP") return PictureFileKind::kBmp;
    if (extension == ".ICO") return PictureFileKind::kIcon;
    if (extension == ".GIF") return PictureFileKind::kGif;
    if (extension == ".JPG" || extension == ".JPEG") return PictureFileKind::kJpeg;
    if (extension == ".PNG") return PictureFileKind::kPng;
    if (extension == ".EMF" || extension == ".WMF") return PictureFileKind::kMetafile;
    return PictureFileKind::kNone;
}

Palette LoadJpegFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs) {
    const std::vector<std::uint8_t> bytes = ReadJpegFile(path);  // its errors name the file
    const std::string name = PathToUtf8(path);
    // The class takes empty data for no picture; a file routine is asked for one.
    if (bytes.empty()) throw EJPEGException(name + ": the file is empty");
    try {
        JpegDecodeInfo info = codecs.jpeg.DecodeInto(bytes, target, codecs.progress);
        return info.format == JpegPixelFormat::k8Bit ? std::move(info.palette) : Palette{};
    } catch (const EJPEGException& e) {
        throw EJPEGException(name + ": " + e.what());
    }
}

void LoadGifFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs) {
    const ProgressScope scope(codecs.progress, 100);
    GifDecodeOptions options;
    if (codecs.progress) {
        options.onProgress = [&scope](std::size_t, std::size_t, int percent, bool&) { scope.Set(percent); };
    }
    const Result<GifFile> file = ReadGifFile(path, options);
    if (!file) Throw(path, file.Error());
    if (file->frames.empty()) {
        throw PictureFileError(PathToUtf8(path) + ": the GIF file holds no readable image" +
                               (file->stopDetail.empty() ? "" : " (" + file->stopDetail + ")"));
    }
    if (auto bad = DrawGifFirstFrame(*file, target)) Throw(path, *bad);
    // Data that merely ran out keeps its pixels quietly; damage is said.
    const std::string& damage = file->frames.front().pixelError;
    if (!damage.empty()) throw PictureFileError(PathToUtf8(path) + ": image 1: " + damage);
    scope.Set(100);
}

void LoadIconFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs) {
    Result<IconPicture> icon = ReadIcon(path, codecs.progress);
    if (!icon) Throw(path, icon.Error());
    // At most 256 x 256 pixels: the copy costs nothing worth avoiding.
    const Bitmap24& bitmap = icon->bitmap;
    const Result<PixelView> pixels = AllocatePicture(target, bitmap.Width(), bitmap.Height());
    if (!pixels) Throw(path, pixels.Error());
    CopyPixels(*pixels, bitmap.View());
}

LoadedFormat LoadPictureFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs) {
    LoadedFormat loaded;
    switch (PictureKindOf(path)) {
    case PictureFileKind::kNone:
    case PictureFileKind::kMetafile: return loaded;
    case PictureFileKind::kBmp: KeepFormat(path, ReadBmp(path, target, codecs.progress), loaded); break;
    case PictureFileKind::kPng: KeepFormat(path, ReadPng(path, target, codecs.progress), loaded); break;
    case PictureFileKind::kIcon: LoadIconFile(path, target, codecs); break;
    case PictureFileKind::kGif: LoadGifFile(path, target, codecs); break;
    case PictureFileKind::kJpeg: loaded.palette = LoadJpegFile(path, target, codecs); break;
    }
    loaded.read = true;
    return loaded;
}

LoadedPicture LoadPictureFile(const std::filesystem::path& path, const PictureCodecs& codecs) {
    BitmapTarget target;
    LoadedPicture loaded;
    static_cast<LoadedFormat&>(loaded) = LoadPictureFile(path, target, codecs);
    loaded.bitmap = std::move(target.bitmap);
    return loaded;
}

bool LoadPictureFile(Bitmap24& bitmap, const std::filesystem::path& path, const PictureCodecs& codecs) {
    LoadedPicture loaded = LoadPictureFile(path, codecs);
    if (loaded.read) bitmap = std::move(loaded.bitmap);
    return loaded.read;
}

void SaveJpegFile(ConstPixelView picture, const std::filesystem::path& path, const PictureCodecs& codecs) {
    codecs.jpeg.EncodeToFile(picture, path);
}

void SaveGifFile(ConstPixelView picture, const std::filesystem::path& path) {
    try {
        WriteGif(path, picture);
    } catch (const std::invalid_argument& e) {
        throw PictureFileError(PathToUtf8(path) + ": " + e.what());
    }
}

void SaveIconFile(ConstPixelView picture, const std::filesystem::path& path) {
    try {
        WriteIcon(path, picture);
    } catch (const std::invalid_argument& e) {
        throw PictureFileError(PathToUtf8(path) + ": " + e.what());
    }
}

void SavePictureFile(const std::filesystem::path& path, ConstPixelView picture, PixelFormat format,
                     std::span<const Color> palette, const PictureCodecs& codecs) {
    const std::string extension = UpperExtension(path);
    if (extension == ".GIF") return SaveGifFile(picture, path);
    if (extension == ".JPG" || extension == ".JPEG") return SaveJpegFile(picture, path, codecs);
    if (extension == ".ICO") return SaveIconFile(picture, path);
    if (extension == ".PNG") {
        try {
            return WritePng(path, picture, format, palette);
        } catch (const FileError&) {
            throw;
        } catch (const std::runtime_error& e) {
            throw PictureFileError(e.what());  // libpng's reason, after the file's name already
        } catch (const std::exception& e) {
            throw PictureFileError(PathToUtf8(path) + ": " + e.what());
        }
    }
    try {
        WriteBmp(path, picture, format, palette);
    } catch (const std::invalid_argument& e) {
        throw PictureFileError(PathToUtf8(path) + ": " + e.what());
    } catch (const std::length_error& e) {
        throw PictureFileError(PathToUtf8(path) + ": " + e.what());
    }
}

}  // namespace kelbo
