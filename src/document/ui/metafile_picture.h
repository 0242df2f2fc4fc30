// Windows metafiles (".EMF", ".WMF") become pictures through the platform's
// own playback, into a 24-bit picture of the metafile's size.
#pragma once

#include <filesystem>

#include <memory>

#include "forms/dib.h"

namespace kelbo {

// Plays the metafile onto white. Throws PictureFileError (with the reason)
// for a file that cannot be read, is no metafile, or has an unusable size.
std::shared_ptr<forms::DibSection> RenderMetafile(const std::filesystem::path& path);

}  // namespace kelbo
