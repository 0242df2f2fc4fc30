#pragma once

#include "core/bitmap24.h"

namespace kelbo {

// Where a picture file's reader puts the picture: asked once, as soon as the
// reader knows the size, for pixels of exactly that size, which it then
// fills row by row. So the picture is read straight into its final memory
// (a document's DIB section, a Bitmap24) instead of being copied there.
class PictureTarget {
public:
    virtual ~PictureTarget() = default;
    // Sides up to 65535 (0 only for an empty picture). What the pixels hold
    // on entry does not matter: a reader writes every one, unless it fails
    // part way. The view must stay valid until the reader returns. Throws
    // BitmapSizeError or std::bad_alloc when it cannot make the picture;
    // readers ask through AllocatePicture (core/picture_limits.h), which
    // checks the limits first and reports either as the reader's failure.
    virtual PixelView Allocate(int width, int height) = 0;
};

// A target that makes a Bitmap24 of the asked size.
class BitmapTarget : public PictureTarget {
public:
    PixelView Allocate(int width, int height) override {
        bitmap = Bitmap24(width, height);
        return bitmap.View();
    }

    Bitmap24 bitmap;
};

}  // namespace kelbo
