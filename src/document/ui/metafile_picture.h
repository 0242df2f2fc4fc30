// Windows metafiles (".EMF", ".WMF") become pictures through the platform's
// own playback, into a 24-bit picture of the metafile's size.
#pragma once

#include <filesystem>

#include "core/bitmap24.h"

namespace kelbo {

// True for the extensions read this way.
bool IsMetafileExtension(const std::string& upperExtension);

// Plays the metafile onto white. Throws PictureFileError (with the reason)
// for a file that cannot be read, is no metafile, or has an unusable size.
Bitmap24 RenderMetafile(const std::filesystem::path& path);

}  // namespace kelbo
