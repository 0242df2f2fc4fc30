#include "document/ui/document_picture.h"

#include "document/ui/metafile_picture.h"

namespace kelbo {

LoadedFormat ReadDocumentPicture(const std::filesystem::path& path, forms::DibTarget& target,
                                 const PictureCodecs& codecs) {
    if (PictureKindOf(path) != PictureFileKind::kMetafile) return LoadPictureFile(path, target, codecs);
    target.dib = RenderMetafile(path);
    LoadedFormat loaded;
    loaded.read = true;
    return loaded;  // remembered as 24 bits, like every picture not read from a bitmap
}

}  // namespace kelbo
