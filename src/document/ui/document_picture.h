// Reading a picture file the way documents open it: the reader chosen by the
// file's kind, metafiles played by the platform, straight into a DIB section.
#pragma once

#include <filesystem>

#include "codecs/picture_files.h"
#include "forms/dib.h"

namespace kelbo {

// The picture goes to `target.dib`; a file of a kind no reader takes reads
// nothing (read = false, no dib). A reader's failure is thrown, and what it
// had read by then stays in `target.dib`.
LoadedFormat ReadDocumentPicture(const std::filesystem::path& path, forms::DibTarget& target,
                                 const PictureCodecs& codecs);

}  // namespace kelbo
