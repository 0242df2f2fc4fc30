#include "imaging/filters/ui/picture_inputs.h"

#include <exception>

#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/document_picture.h"
#include "forms/dialogs.h"

namespace kelbo {

std::shared_ptr<forms::DibSection> ReadInputPicture(CommandHost& host, const std::string& path) {
    forms::DibTarget target;
    try {
        const LoadedFormat loaded = ReadDocumentPicture(PathFromUtf8(path), target, host.Codecs());
        if (!loaded.read || !target.dib || target.dib->Empty()) {
            host.ReportError(forms::FormatOne(kNotAPicture, path));
            return nullptr;
        }
        GdiFlush();
        return std::move(target.dib);
    } catch (const std::exception& e) {
        host.ReportError(e.what());
        return nullptr;
    }
}

void AsideDialog(HWND dialog, const std::function<void()>& show) {
    const bool wasEnabled = IsWindowEnabled(dialog) != FALSE;
    EnableWindow(dialog, FALSE);
    try {
        show();
    } catch (...) {
        EnableWindow(dialog, wasEnabled);
        throw;
    }
    EnableWindow(dialog, wasEnabled);
    if (IsWindowVisible(dialog)) SetActiveWindow(dialog);
}

}  // namespace kelbo
