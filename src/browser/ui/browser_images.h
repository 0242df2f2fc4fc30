// The browser tree's eight 16 x 16 images, drawn for the program: closed and
// open folder, computer, removable disk, hard disk, drive, network drive, CD.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "forms/dib.h"

namespace kelbo {

// The caller destroys the list (ImageList_Destroy).
HIMAGELIST MakeBrowserImages();

// The glyph of a thumbnail whose file could not be read: a crossed-out picture.
std::shared_ptr<forms::DibSection> MakeBrokenPictureGlyph();

}  // namespace kelbo
