// The system clipboard's bitmap: a whole picture goes on it as a
// device-independent bitmap and comes back from it in our 24-bit layout.
#pragma once

#include <windows.h>

#include <memory>

#include "core/bitmap24.h"
#include "forms/dib.h"

namespace kelbo {

// Replaces the clipboard's content by the picture. Throws std::runtime_error
// when the clipboard cannot be opened or filled.
void PutPictureOnClipboard(HWND owner, ConstPixelView picture);

// A copy of the clipboard's bitmap, or null when it holds none (or one that
// cannot be read). Throws std::runtime_error when the clipboard is refused.
std::shared_ptr<forms::DibSection> TakePictureFromClipboard(HWND owner);

}  // namespace kelbo
