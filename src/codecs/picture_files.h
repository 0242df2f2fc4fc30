#pragma once

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "codecs/jpeg_image.h"
#include "core/bitmap24.h"
#include "core/color.h"
#include "core/picture_target.h"
#include "core/pixel_format.h"
#include "core/progress.h"

namespace kelbo {

// A picture file that could not be read or written; the message is the
// reader's or writer's reason, for the application's error box.
class PictureFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What reading and writing picture files needs from whoever runs the
// program (the main window and kelbo-cli each own their own):
// - `jpeg`: the program's one JPEG picture. Every JPEG read and written here
//   uses its settings, which keep the class defaults for the whole run (256
//   colours by two-pass Floyd-Steinberg quantisation, quality 75, optimised
//   tables), so a JPEG read here has at most 256 colours. It is never given
//   a picture or a file's bytes.
// - `progress`: where reading reports, none when null: maximum 100, the
//   position the percentage done, 0 again at the end.
struct PictureCodecs {
    TJPEGImage& jpeg;
    Progress* progress = nullptr;
};

// The kinds of picture file, from the upper-cased extension: the one place
// that knows which extension is which. LoadPictureFile reads all but
// metafiles, which only the platform can play (documents do that).
enum class PictureFileKind { kNone, kBmp, kIcon, kGif, kJpeg, kPng, kMetafile };
PictureFileKind PictureKindOf(const std::filesystem::path& path);
// ".BMP", ".GIF" and so on: the extension upper-cased (ASCII letters only).
std::string UpperExtension(const std::filesystem::path& path);

// Each reads a file straight into `target`, which is asked once, for the
// picture's size, when the file's header has been read. A file that cannot be
// read throws the reader's error: FileError, EJPEGException (naming the
// file), or PictureFileError with the BMP, GIF or icon reader's reason. A
// reader that fails part way may leave part of the picture in the target.
// - LoadJpegFile decodes with `codecs.jpeg`'s settings; an empty file is an
//   error, not an empty picture.
// - LoadGifFile gives the first-frame bitmap of the file's animation; a file
//   with no readable image fails, and so does a first image whose pixels
//   stop short for any reason but the end of the data (after it was drawn).
// - LoadIconFile gives the icon's largest image drawn on a white picture
//   (ReadIcon).
// LoadJpegFile returns the table the picture was reduced to (empty for
// true colour), so that a save at 8 bits can keep it and its order.
Palette LoadJpegFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs);
void LoadGifFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs);
void LoadIconFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs);

// What saving writes a picture read from a file back as.
struct LoadedFormat {
    bool read = false;  // false: the extension is none of the five, nothing was read
    // A Windows bitmap's own format and colour table; k24 for GIF, JPEG and
    // icons, drawn onto a fresh 24-bit picture, a JPEG's table kept all the
    // same (it holds every colour of the picture).
    PixelFormat format = PixelFormat::k24;
    Palette palette;
};

// Dispatch on the upper-cased extension: ".BMP" a Windows bitmap of any
// depth, ".ICO" LoadIconFile, ".GIF" LoadGifFile, ".JPG" and ".JPEG"
// LoadJpegFile, ".PNG" ReadPng (a palette file keeps its depth and table);
// any other extension reads nothing and leaves the target unasked (read =
// false).
LoadedFormat LoadPictureFile(const std::filesystem::path& path, PictureTarget& target, const PictureCodecs& codecs);

// The same into a new Bitmap24.
struct LoadedPicture : LoadedFormat {
    Bitmap24 bitmap;
};
LoadedPicture LoadPictureFile(const std::filesystem::path& path, const PictureCodecs& codecs);
// The routine form: the bitmap is replaced only when the file was read, so
// any other extension, and any failure, leaves it as it was. Returns whether
// it was read.
bool LoadPictureFile(Bitmap24& bitmap, const std::filesystem::path& path, const PictureCodecs& codecs);

// JPEG with `codecs.jpeg`'s settings (quality 75, optimised tables), encoded
// from the picture's rows as they are.
void SaveJpegFile(ConstPixelView picture, const std::filesystem::path& path, const PictureCodecs& codecs);
// A GIF89a of the picture reduced to 256 colours (WriteGif).
void SaveGifFile(ConstPixelView picture, const std::filesystem::path& path);
// An icon of one 32-bit image; pictures above 256 x 256 are refused.
void SaveIconFile(ConstPixelView picture, const std::filesystem::path& path);

// The writer Save and Save As choose by the upper-cased extension: ".GIF"
// SaveGifFile, ".JPG"/".JPEG" SaveJpegFile, ".ICO" SaveIconFile, ".PNG"
// WritePng (a palette at 1, 4 and 8 bits, else RGB), anything
// else a Windows bitmap in `format` (with `palette`, the table it was read
// with), written row by row. Throws PictureFileError or FileError; a failed
// write leaves any old file as it was.
void SavePictureFile(const std::filesystem::path& path, ConstPixelView picture, PixelFormat format,
                     std::span<const Color> palette, const PictureCodecs& codecs);

}  // namespace kelbo
