#include "document/ui/picture_reader.h"

#include "document/ui/metafile_picture.h"

namespace kelbo {

LoadedPicture ReadPicture(const std::filesystem::path& path) {
    if (!IsMetafileExtension(UpperExtension(path))) return LoadPictureFile(path);
    LoadedPicture picture;
    picture.bitmap = RenderMetafile(path);
    picture.read = true;
    return picture;
}

LoadedPicture ReadPicture(const std::filesystem::path& path, TJPEGImage& jpeg) {
    if (PictureKindOf(path) != PictureFileKind::kJpeg) return ReadPicture(path);
    LoadedPicture picture;
    picture.bitmap = LoadJpegFile(path, jpeg);
    picture.read = true;
    return picture;
}

}  // namespace kelbo
