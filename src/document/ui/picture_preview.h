// The preview of picture files in the open and save dialogs.
#pragma once

#include <string>

#include "forms/dialogs.h"

namespace kelbo {

// The file read as a document would read it, reduced to fit the box (never
// enlarged), with its own size as "640 x 480". Anything that is not a
// readable picture gives an empty preview: the user is only browsing.
forms::FilePreview PicturePreview(const std::string& path, int boxWidth, int boxHeight);

std::string PictureSizeText(int width, int height);

// The open or save dialog for pictures: `title`, the pictures' filter and
// default extension, and the preview beside the list.
forms::FileDialog PictureFileDialog(const char* title);

}  // namespace kelbo
