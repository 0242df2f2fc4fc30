// Reading a picture file the way image documents read it.
#pragma once

#include <filesystem>

#include "codecs/jpeg_image.h"
#include "codecs/picture_files.h"

namespace kelbo {

// Windows metafiles through the platform's playback (a 24-bit picture),
// every other kind through LoadPictureFile; an extension neither reads gives
// read = false. A file that cannot be read throws the reader's error.
LoadedPicture ReadPicture(const std::filesystem::path& path);
// The same with JPEG files decoded through `jpeg` and its settings instead
// of the program's shared JPEG picture.
LoadedPicture ReadPicture(const std::filesystem::path& path, TJPEGImage& jpeg);

}  // namespace kelbo
