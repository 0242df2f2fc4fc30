#include "document/ui/picture_preview.h"

#include <exception>

#include "core/picture_fit.h"
#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/picture_reader.h"

namespace kelbo {

forms::FilePreview PicturePreview(const std::string& path, int boxWidth, int boxHeight) {
    try {
        // Quantising a photo to the document's 256 colours takes most of the
        // decoding time and a thumbnail has no use for it.
        TJPEGImage jpeg;
        jpeg.SetNumOfColors(TNumOfColors::TrueColor);
        jpeg.SetDCTMethod(TDCTMethod::FastInteg);
        // Only the reduced copy outlives this call.
        const LoadedPicture loaded = ReadPicture(PathFromUtf8(path), jpeg);
        if (!loaded.read || loaded.bitmap.Empty()) return {};
        const Bitmap24& picture = loaded.bitmap;
        return {ReduceToFit(picture.ConstView(), boxWidth, boxHeight),
                PictureSizeText(picture.Width(), picture.Height())};
    } catch (const std::exception&) {
        // Damaged, missing, locked or too large for memory: nothing to show.
        return {};
    }
}

std::string PictureSizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

forms::FileDialog PictureFileDialog(const char* title) {
    forms::FileDialog d;
    d.title = title;
    d.filter = kPictureFileFilter;
    d.defaultExt = kPictureDefaultExt;
    d.preview = PicturePreview;
    return d;
}

}  // namespace kelbo
