// What the two dialogs that combine pictures from files share: reading a
// picture for one of their image boxes, and the boxes the main window puts
// up over them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "document/ui/command_host.h"
#include "forms/dib.h"

namespace kelbo {

// The file read as a document reads it (metafiles played). A reader's error,
// or a kind of file no reader takes, is reported; the result is then null.
std::shared_ptr<forms::DibSection> ReadInputPicture(CommandHost& host, const std::string& path);

// The main window owns the file dialogs and message boxes; while one is up
// the dialog over it is disabled, so it cannot act under the box, and it is
// active again afterwards.
void AsideDialog(HWND dialog, const std::function<void()>& show);

}  // namespace kelbo
