#pragma once

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "codecs/bmp_info.h"
#include "codecs/jpeg_image.h"
#include "core/bitmap24.h"
#include "core/color.h"
#include "core/progress.h"

namespace kelbo {

// A picture file that could not be read or written; the message is the
// reader's or writer's reason, for the application's error box.
class PictureFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The one JPEG picture that every JPEG read and written through these
// routines passes through. Its properties keep the class defaults for the
// whole run (256 colours, two-pass Floyd-Steinberg quantisation, quality 75,
// optimised tables), so a JPEG read here has at most 256 colours. It holds
// no picture between calls. User-interface thread only, like the program's
// own shared instance.
TJPEGImage& SharedJpeg();

// The kinds LoadPictureFile reads, from the upper-cased extension.
enum class PictureFileKind { kNone, kBmp, kIcon, kGif, kJpeg };
PictureFileKind PictureKindOf(const std::filesystem::path& path);
// ".BMP", ".GIF" and so on: the extension upper-cased (ASCII letters only).
std::string UpperExtension(const std::filesystem::path& path);

// Each reads a file into a new picture. A file that cannot be read throws
// the reader's error: FileError, EJPEGException, or PictureFileError with
// the BMP, GIF or icon reader's reason.
// - LoadJpegFile decodes through `jpeg` (default SharedJpeg()) and empties
//   its picture afterwards, also when decoding fails.
// - LoadGifFile gives the first-frame bitmap of the file's animation; a file
//   with no readable image fails.
// - LoadIconFile gives the icon's largest image drawn on a white picture
//   (ReadIcon).
// Each reports its progress, when given: maximum 100, the position the
// percentage done, 0 again at the end.
Bitmap24 LoadJpegFile(const std::filesystem::path& path, TJPEGImage& jpeg,
                      Progress* progress = nullptr);
Bitmap24 LoadJpegFile(const std::filesystem::path& path);
Bitmap24 LoadGifFile(const std::filesystem::path& path, Progress* progress = nullptr);
Bitmap24 LoadIconFile(const std::filesystem::path& path, Progress* progress = nullptr);

struct LoadedPicture {
  bool read = false;  // false: the extension is none of the five, nothing was read
  Bitmap24 bitmap;
  // What saving writes back: a Windows bitmap's own format and colour table;
  // k24 for GIF, JPEG and icons, drawn onto a fresh 24-bit picture.
  BmpPixelFormat format = BmpPixelFormat::k24;
  std::vector<Color> palette;
};

// Dispatch on the upper-cased extension: ".BMP" a Windows bitmap of any
// depth, ".ICO" LoadIconFile, ".GIF" LoadGifFile, ".JPG" and ".JPEG"
// LoadJpegFile; any other extension reads nothing (read = false).
LoadedPicture LoadPictureFile(const std::filesystem::path& path, Progress* progress = nullptr);
// The routine form: the bitmap is replaced only when the file was read, so
// any other extension leaves it as it was. Returns whether it was read.
bool LoadPictureFile(Bitmap24& bitmap, const std::filesystem::path& path,
                     Progress* progress = nullptr);

// JPEG of quality 75 with optimised tables through `jpeg` (default
// SharedJpeg()), whose picture is emptied afterwards, also on failure.
void SaveJpegFile(ConstPixelView picture, const std::filesystem::path& path, TJPEGImage& jpeg);
void SaveJpegFile(ConstPixelView picture, const std::filesystem::path& path);
// A GIF89a of the picture reduced to 256 colours (WriteGif).
void SaveGifFile(ConstPixelView picture, const std::filesystem::path& path);
// An icon of one 32-bit image; pictures above 256 x 256 are refused.
void SaveIconFile(ConstPixelView picture, const std::filesystem::path& path);

// The writer Save and Save As choose by the upper-cased extension: ".GIF"
// SaveGifFile, ".JPG"/".JPEG" SaveJpegFile, ".ICO" SaveIconFile, anything
// else a Windows bitmap in `format` (with `palette`, the table it was read
// with). Throws PictureFileError or FileError; a failed write leaves any old
// file as it was.
void SavePictureFile(const std::filesystem::path& path, ConstPixelView picture,
                     BmpPixelFormat format, std::span<const Color> palette = {});

}  // namespace kelbo
