#include "document/ui/picture_preview.h"

#include <exception>

#include "core/picture_fit.h"
#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/document_picture.h"

namespace kelbo {

forms::FilePreview PicturePreview(const std::string& path, int boxWidth, int boxHeight) {
    try {
        // Quantising a photo to the document's 256 colours takes most of the
        // decoding time and a thumbnail has no use for it.
        TJPEGImage jpeg;
        jpeg.SetNumOfColors(TNumOfColors::TrueColor);
        jpeg.SetDCTMethod(TDCTMethod::FastInteg);
        // Only the reduced copy outlives this call.
        forms::DibTarget target;
        const LoadedFormat loaded = ReadDocumentPicture(PathFromUtf8(path), target, PictureCodecs{jpeg});
        if (!loaded.read || !target.dib || target.dib->Empty()) return {};
        GdiFlush();
        const forms::DibSection& picture = *target.dib;
        return {ReduceToFit(picture.View(), boxWidth, boxHeight), PictureSizeText(picture.Width(), picture.Height())};
    } catch (const std::exception&) {
        // Damaged, missing, locked or too large for memory: nothing to show.
        return {};
    }
}

std::string PictureSizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

forms::FileDialog PictureFileDialog(const char* title) {
    forms::FileDialog d;
    d.title = title;
    d.filter = kPictureFileFilter;
    d.defaultExt = kPictureDefaultExt;
    d.preview = PicturePreview;
    return d;
}

}  // namespace kelbo
