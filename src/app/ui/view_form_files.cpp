// The File menu's commands on pictures: open, save, save as, save all,
// delete, and the recent-files list.
#include <windows.h>
#include <shlobj.h>

#include <filesystem>

#include "app/ui/view_form.h"
#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "forms/dialogs.h"
#include "forms/menu.h"
#include "forms/text.h"

namespace kelbo {

namespace {

// Directly under the separator that follows "&Zmaž".
constexpr UINT kRecentPosition = 17;

HMENU FileMenu(HMENU bar) { return GetSubMenu(bar, 0); }

forms::FileDialog PictureDialog(const char* title) {
    forms::FileDialog d;
    d.title = title;
    d.filter = kPictureFileFilter;
    d.defaultExt = kPictureDefaultExt;
    return d;
}

}  // namespace

void TViewForm::BindFileCommands() {
    for (Command c : {Otvor1}) OnCommand(c, [this] { Otvor1Click(); });
    OnCommand(Ulo1, [this] { Ulo1Click(); });
    OnCommand(Uloako1, [this] { Uloako1Click(); });
    OnCommand(Ulovetky1, [this] { Ulovetky1Click(); });
    OnCommand(Zmaza1, [this] { Zmaza1Click(); });
    for (int i = 0; i < RecentFiles::kCapacity; ++i)
        OnCommand(kRecentFileFirst + static_cast<UINT>(i), [this, i] { RecentFileClick(i); });
    // The list's own separator stands before "E&xit/Koniec" from the start.
    InsertMenuW(FileMenu(MainMenu1.get()), kRecentPosition, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void TViewForm::ShowRecentFiles() {
    HMENU file = FileMenu(MainMenu1.get());
    for (int i = 0; i < RecentFiles::kCapacity; ++i) DeleteMenu(file, kRecentFileFirst + static_cast<UINT>(i), MF_BYCOMMAND);
    const auto& entries = recent_.Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        InsertMenuW(file, kRecentPosition + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                    kRecentFileFirst + static_cast<UINT>(i), forms::Wide(entries[i]).c_str());
    Options.RecentFiles = entries;
    DrawMenuBar(Handle());
}

void TViewForm::AddRecentFile(const std::string& path) {
    SHAddToRecentDocs(SHARD_PATHW, forms::Wide(path).c_str());
    if (recent_.Add(path)) ShowRecentFiles();
}

void TViewForm::RecentFileClick(int index) {
    if (index < recent_.Count()) OpenPicture(recent_.Entries()[static_cast<size_t>(index)]);
}

bool TViewForm::ExecuteFileDialog(forms::FileDialog& dialog, bool save) {
    if (FileDialogRunner) return FileDialogRunner(dialog, save);
    return save ? dialog.ExecuteSave(Handle()) : dialog.ExecuteOpen(Handle());
}

void TViewForm::Otvor1Click() {
    forms::FileDialog dialog = PictureDialog(kOpenPictureTitle);
    if (!ExecuteFileDialog(dialog, false)) return;
    OpenPicture(dialog.fileName);
    AddRecentFile(dialog.fileName);
}

bool TViewForm::WriteDocument(TChildWin& doc, const std::string& path) {
    const auto& picture = doc.Image1.Picture();
    if (!picture) return false;
    try {
        GdiFlush();
        const PixelFormat format = doc.LoadedPixelFormat;
        // Written in the format it was read in; what that format cannot hold
        // is lost in the open picture too, as in the file.
        SavePictureFile(PathFromUtf8(path), picture->View(), format, doc.LoadedPalette, PictureCodecs{SharedJpeg});
        ReduceToBmpFormat(picture->View(), format, doc.LoadedPalette);
        doc.Image1.Repaint();
        doc.Modified = false;
        return true;
    } catch (const std::exception& e) {
        ReportError(e.what());
        return false;
    }
}

void TViewForm::SaveDocument(TChildWin& doc) {
    if (doc.Text() == kUnnamed) {
        SaveDocumentAs(doc);
        return;
    }
    WriteDocument(doc, doc.FileDir + doc.FileName);
}

void TViewForm::SaveDocumentAs(TChildWin& doc) {
    forms::FileDialog dialog = PictureDialog(kSavePictureTitle);
    dialog.fileName = doc.FileName;
    if (!ExecuteFileDialog(dialog, true)) return;
    std::error_code ec;
    if (Options.SaveAsQuestion && std::filesystem::exists(PathFromUtf8(dialog.fileName), ec) &&
        Ask(forms::FormatOne(kOverwriteQuestion, dialog.fileName), MB_YESNO) != IDYES)
        return;
    if (!WriteDocument(doc, dialog.fileName)) return;
    doc.SetFilePath(dialog.fileName);
}

void TViewForm::Ulo1Click() {
    if (TChildWin* doc = ActiveImageDocument()) SaveDocument(*doc);
}

void TViewForm::Uloako1Click() {
    if (TChildWin* doc = ActiveImageDocument()) SaveDocumentAs(*doc);
}

void TViewForm::Ulovetky1Click() {
    // From the last in the window list to the first, each made the focused one.
    std::vector<HWND> windows;
    for (HWND h = GetWindow(mdiClient_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (!GetWindow(h, GW_OWNER)) windows.push_back(h);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        for (const auto& d : documents_) {
            if (d->Handle() != *it) continue;
            SendMessageW(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(*it), 0);
            SaveDocument(*d);
        }
    }
}

void TViewForm::Zmaza1Click() {
    TChildWin* doc = ActiveImageDocument();
    if (!doc || ActiveKind != WindowKindId::kImage) return;
    const std::string path = doc->FileDir + doc->FileName;
    if (Ask(forms::FormatOne(kDeleteQuestion, path), MB_YESNO) != IDYES) return;
    HWND window = doc->Handle();
    doc->Close();
    if (IsWindow(window)) return;  // its own question kept it open
    std::error_code ec;
    if (path.empty() || !std::filesystem::remove(PathFromUtf8(path), ec))
        ReportError("I/O error: cannot delete " + path + (ec ? " (" + ec.message() + ")" : ""));
}

}  // namespace kelbo
