#include "codecs/picture_files.h"

#include <algorithm>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/gif_decoder.h"
#include "codecs/gif_encoder.h"
#include "codecs/icon.h"
#include "core/text_encoding.h"

namespace kelbo {
namespace {

[[noreturn]] void Throw(const std::filesystem::path& path, const Failure& failure) {
  throw PictureFileError(PathToUtf8(path) + ": " + failure.message);
}

// Empties the shared JPEG object on every way out of a load or save, so it
// never keeps a picture (or a file's bytes) between calls.
class JpegEmptier {
 public:
  explicit JpegEmptier(TJPEGImage& jpeg) : jpeg_(jpeg) {}
  ~JpegEmptier() {
    try {
      jpeg_.SetFileName("");
    } catch (...) {
      jpeg_.ClearPicture();
    }
  }
  JpegEmptier(const JpegEmptier&) = delete;
  JpegEmptier& operator=(const JpegEmptier&) = delete;

 private:
  TJPEGImage& jpeg_;
};

}  // namespace

TJPEGImage& SharedJpeg() {
  static TJPEGImage jpeg;
  return jpeg;
}

std::string UpperExtension(const std::filesystem::path& path) {
  std::string extension = PathToUtf8(path.extension());
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return extension;
}

PictureFileKind PictureKindOf(const std::filesystem::path& path) {
  const std::string extension = UpperExtension(path);
  if (extension == ".BMP") return PictureFileKind::kBmp;
  if (extension == ".ICO") return PictureFileKind::kIcon;
  if (extension == ".GIF") return PictureFileKind::kGif;
  if (extension == ".JPG" || extension == ".JPEG") return PictureFileKind::kJpeg;
  return PictureFileKind::kNone;
}

// Lends the shared object's progress notification to one load and gives the
// old handler back on every way out.
class JpegProgressLoan {
 public:
  JpegProgressLoan(TJPEGImage& jpeg, const ProgressScope& scope)
      : jpeg_(jpeg), saved_(jpeg.OnProgress()) {
    jpeg_.SetOnProgress([&scope](TCustomJPEGImage& sender) { scope.Set(sender.ProgressPercent()); });
  }
  ~JpegProgressLoan() { jpeg_.SetOnProgress(std::move(saved_)); }
  JpegProgressLoan(const JpegProgressLoan&) = delete;
  JpegProgressLoan& operator=(const JpegProgressLoan&) = delete;

 private:
  TJPEGImage& jpeg_;
  TJPEGNotifyEvent saved_;
};

Bitmap24 LoadJpegFile(const std::filesystem::path& path, TJPEGImage& jpeg, Progress* progress) {
  const JpegEmptier emptier(jpeg);
  const ProgressScope scope(progress, 100);
  try {
    const JpegProgressLoan loan(jpeg, scope);
    jpeg.LoadFromFile(path);
  } catch (const EJPEGException& e) {
    throw EJPEGException(PathToUtf8(path) + ": " + e.what());
  }
  // The class takes empty data for no picture; a file routine is asked for one.
  if (jpeg.JpegData().empty()) throw EJPEGException(PathToUtf8(path) + ": the file is empty");
  scope.Set(100);
  return jpeg.Picture().bitmap;
}

Bitmap24 LoadJpegFile(const std::filesystem::path& path) { return LoadJpegFile(path, SharedJpeg()); }

Bitmap24 LoadGifFile(const std::filesystem::path& path, Progress* progress) {
  const ProgressScope scope(progress, 100);
  GifDecodeOptions options;
  if (progress) {
    options.on_progress = [&scope](std::size_t, std::size_t, int percent, bool&) {
      scope.Set(percent);
    };
  }
  const Result<GifFile> file = ReadGifFile(path, options);
  if (!file) Throw(path, file.Error());
  if (file->frames.empty()) {
    throw PictureFileError(PathToUtf8(path) + ": the GIF file holds no readable image" +
                           (file->stop_detail.empty() ? "" : " (" + file->stop_detail + ")"));
  }
  Result<Bitmap24> first = GifFirstFrameBitmap(*file);
  if (!first) Throw(path, first.Error());
  // Data that merely ran out keeps its pixels quietly; damage is said.
  const std::string& damage = file->frames.front().pixelError;
  if (!damage.empty()) throw PictureFileError(PathToUtf8(path) + ": image 1: " + damage);
  scope.Set(100);
  return std::move(first).Value();
}

Bitmap24 LoadIconFile(const std::filesystem::path& path, Progress* progress) {
  Result<IconPicture> icon = ReadIcon(path, progress);
  if (!icon) Throw(path, icon.Error());
  return std::move(icon).Value().bitmap;
}

LoadedPicture LoadPictureFile(const std::filesystem::path& path, Progress* progress) {
  LoadedPicture loaded;
  switch (PictureKindOf(path)) {
    case PictureFileKind::kNone:
      return loaded;
    case PictureFileKind::kBmp: {
      Result<BmpPicture> bmp = ReadBmp(path, progress);
      if (!bmp) Throw(path, bmp.Error());
      BmpPicture picture = std::move(bmp).Value();
      loaded.bitmap = std::move(picture.bitmap);
      loaded.format = picture.format;
      loaded.palette = std::move(picture.palette);
      break;
    }
    case PictureFileKind::kIcon:
      loaded.bitmap = LoadIconFile(path, progress);
      break;
    case PictureFileKind::kGif:
      loaded.bitmap = LoadGifFile(path, progress);
      break;
    case PictureFileKind::kJpeg:
      loaded.bitmap = LoadJpegFile(path, SharedJpeg(), progress);
      break;
  }
  loaded.read = true;
  return loaded;
}

bool LoadPictureFile(Bitmap24& bitmap, const std::filesystem::path& path, Progress* progress) {
  LoadedPicture loaded = LoadPictureFile(path, progress);
  if (loaded.read) bitmap = std::move(loaded.bitmap);
  return loaded.read;
}

void SaveJpegFile(ConstPixelView picture, const std::filesystem::path& path, TJPEGImage& jpeg) {
  const JpegEmptier emptier(jpeg);
  jpeg.SetPictureBitmap(Bitmap24::CopyOf(picture));
  jpeg.SaveToFile(path);
}

void SaveJpegFile(ConstPixelView picture, const std::filesystem::path& path) {
  SaveJpegFile(picture, path, SharedJpeg());
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

void SavePictureFile(const std::filesystem::path& path, ConstPixelView picture,
                     BmpPixelFormat format, std::span<const Color> palette) {
  const std::string extension = UpperExtension(path);
  if (extension == ".GIF") return SaveGifFile(picture, path);
  if (extension == ".JPG" || extension == ".JPEG") return SaveJpegFile(picture, path);
  if (extension == ".ICO") return SaveIconFile(picture, path);
  try {
    WriteBmp(path, picture, format, palette);
  } catch (const std::invalid_argument& e) {
    throw PictureFileError(PathToUtf8(path) + ": " + e.what());
  } catch (const std::length_error& e) {
    throw PictureFileError(PathToUtf8(path) + ": " + e.what());
  }
}

}  // namespace kelbo
