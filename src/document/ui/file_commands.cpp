#include "document/ui/file_commands.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>

#include "app/commands.h"
#include "app/settings.h"
#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "document/picture_dialog_texts.h"
#include "document/ui/child_win.h"
#include "document/ui/document_picture.h"
#include "document/ui/picture_preview.h"
#include "forms/dialogs.h"
#include "forms/text.h"

namespace kelbo {

namespace {

// Directly under the separator that follows "&Zmaž".
constexpr UINT kRecentPosition = 17;

HMENU FileMenu(HMENU bar) { return GetSubMenu(bar, 0); }

}  // namespace

FileCommands::FileCommands(CommandHost& host) : host_(host), recent_(host.ProgramSettings().RecentFiles) {
    // The new-picture dialog does not block the main window.
    host_.BindCommand(Nov1, [this] {
        if (newWinDial_) newWinDial_->Show();
    });
    host_.BindCommand(Otvor1, [this] { Otvor1Click(); });
    host_.BindCommand(Ulo1, [this] {
        if (TChildWin* doc = host_.ActiveImageDocument()) SaveDocument(*doc);
    });
    host_.BindCommand(Uloako1, [this] {
        if (TChildWin* doc = host_.ActiveImageDocument()) SaveDocumentAs(*doc);
    });
    host_.BindCommand(Ulovetky1, [this] { Ulovetky1Click(); });
    host_.BindCommand(Zmaza1, [this] { Zmaza1Click(); });
    for (int i = 0; i < RecentFiles::kCapacity; ++i)
        host_.BindCommand(kRecentFileFirst + static_cast<UINT>(i), [this, i] { RecentFileClick(i); });
    // The list's own separator stands before "E&xit/Koniec" from the start.
    InsertMenuW(FileMenu(host_.MainMenu()), kRecentPosition, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    ShowRecentFiles();
}

FileCommands::~FileCommands() = default;

std::vector<WindowStep> FileCommands::Windows() {
    return {{"TNewWinDial", [this] { newWinDial_ = std::make_unique<TNewWinDial>(host_.Owner(), host_); }}};
}

void FileCommands::OpenPicture(const std::string& path) {
    // The window is made first and keeps whatever it holds when reading fails.
    TChildWin& doc = host_.NewImageDocument(std::make_shared<forms::DibSection>());
    doc.SetFilePath(path);
    forms::DibTarget target;  // the file is read straight into the document's picture
    try {
        LoadedFormat loaded = ReadDocumentPicture(PathFromUtf8(path), target, host_.Codecs());
        if (!loaded.read) return;  // an extension the program does not read
        doc.LoadedPixelFormat = loaded.format;
        doc.LoadedHandleType = HandleTypeId::kDib;
        doc.LoadedPalette = std::move(loaded.palette);
        doc.SetPicture(std::move(target.dib), FrameKind::kStandard);
    } catch (const std::exception& e) {
        if (target.dib) doc.SetPicture(std::move(target.dib), FrameKind::kStandard);  // what was read
        host_.ReportError(e.what());
    }
}

void FileCommands::ShowRecentFiles() {
    HMENU file = FileMenu(host_.MainMenu());
    for (int i = 0; i < RecentFiles::kCapacity; ++i)
        DeleteMenu(file, kRecentFileFirst + static_cast<UINT>(i), MF_BYCOMMAND);
    const auto& entries = recent_.Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        InsertMenuW(file, kRecentPosition + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                    kRecentFileFirst + static_cast<UINT>(i), forms::Wide(entries[i]).c_str());
    host_.ProgramSettings().RecentFiles = entries;
    DrawMenuBar(host_.Owner());
}

void FileCommands::AddRecentFile(const std::string& path) {
    SHAddToRecentDocs(SHARD_PATHW, forms::Wide(path).c_str());
    if (recent_.Add(path)) ShowRecentFiles();
}

void FileCommands::RecentFileClick(int index) {
    if (index < recent_.Count()) OpenPicture(recent_.Entries()[static_cast<size_t>(index)]);
}

void FileCommands::Otvor1Click() {
    forms::FileDialog dialog = PictureFileDialog(kOpenPictureTitle);
    if (!host_.ExecuteFileDialog(dialog, false)) return;
    OpenPicture(dialog.fileName);
    AddRecentFile(dialog.fileName);
}

bool FileCommands::WriteDocument(TChildWin& doc, const std::string& path) {
    const auto& picture = doc.Image1.Picture();
    if (!picture) return false;
    try {
        GdiFlush();
        const PixelFormat format = doc.LoadedPixelFormat;
        // Written in the format it was read in; what that format cannot hold
        // is lost in the open picture too, as in the file.
        SavePictureFile(PathFromUtf8(path), picture->View(), format, doc.LoadedPalette, host_.Codecs());
        ReduceToBmpFormat(picture->View(), format, doc.LoadedPalette);
        doc.Image1.Repaint();
        doc.Modified = false;
        return true;
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return false;
    }
}

bool FileCommands::SaveDocument(TChildWin& doc) {
    if (doc.Text() == kUnnamed) return SaveDocumentAs(doc);
    return WriteDocument(doc, doc.FileDir + doc.FileName);
}

bool FileCommands::SaveDocumentAs(TChildWin& doc) {
    forms::FileDialog dialog = PictureFileDialog(kSavePictureTitle);
    dialog.fileName = doc.FileName;
    if (!host_.ExecuteFileDialog(dialog, true)) return true;
    std::error_code ec;
    if (host_.ProgramSettings().SaveAsQuestion && std::filesystem::exists(PathFromUtf8(dialog.fileName), ec) &&
        host_.Ask(forms::FormatOne(kOverwriteQuestion, dialog.fileName), MB_YESNO) != IDYES)
        return true;
    if (!WriteDocument(doc, dialog.fileName)) return false;
    doc.SetFilePath(dialog.fileName);
    return true;
}

void FileCommands::Ulovetky1Click() {
    // From the last in the window list to the first, each made the focused one.
    const HWND client = host_.MdiClient();
    const std::vector<HWND> windows = forms::MdiChildren(client);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!IsWindow(*it)) continue;
        SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(*it), 0);
        TChildWin* doc = host_.ActiveImageDocument();
        if (doc && doc->Handle() == *it) SaveDocument(*doc);
    }
}

void FileCommands::Zmaza1Click() {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    const std::string path = doc->FileDir + doc->FileName;
    if (host_.Ask(forms::FormatOne(kDeleteQuestion, path), MB_YESNO) != IDYES) return;
    HWND window = doc->Handle();
    doc->Close();
    if (IsWindow(window)) return;  // its own question kept it open
    std::error_code ec;
    if (path.empty() || !std::filesystem::remove(PathFromUtf8(path), ec))
        host_.ReportError("I/O error: cannot delete " + path + (ec ? " (" + ec.message() + ")" : ""));
}

}  // namespace kelbo
