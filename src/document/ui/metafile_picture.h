// Windows metafiles (".EMF", ".WMF") become pictures through the platform's
// own playback, into a 24-bit picture of the metafile's size; a picture
// becomes a metafile holding it as one device-independent bitmap.
#pragma once

#include <filesystem>

#include <memory>

#include "core/bitmap24.h"
#include "forms/dib.h"

namespace kelbo {

// Plays the metafile onto white. Throws PictureFileError (with the reason)
// for a file that cannot be read, is no metafile, or has an unusable size.
// A placeable Windows metafile is played at the size its header states, on
// the screen's pixels an inch.
std::shared_ptr<forms::DibSection> RenderMetafile(const std::filesystem::path& path);

// The picture as one StretchDIBits record at its own size in pixels: by the
// upper-cased extension ".EMF" an enhanced metafile framed for the screen,
// anything else a placeable Windows metafile at 96 units an inch (whose
// coordinates stop at 32767). Throws PictureFileError for what cannot be
// recorded and FileError for the write; a failed write leaves any old file
// as it was.
void SaveMetafile(ConstPixelView picture, const std::filesystem::path& path);

}  // namespace kelbo
