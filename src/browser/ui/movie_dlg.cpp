#include "browser/ui/movie_dlg.h"

#include <exception>
#include <filesystem>
#include <utility>

#include "app/settings.h"
#include "browser/fast_view_files.h"
#include "browser/ui/disk_folder.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "document/ui/command_host.h"

namespace kelbo {

namespace {

constexpr char kPicturesFilter[] =
    "Všetky podporované|*.bmp;*.gif;*.jpg;*.jpeg;*.ico;*.emf;*.wmf;|Ikony (*.ico)|*.ico|Metasúbory (*.emf)|*.emf|"
    "Metasúbory (*.wmf)|*.wmf|Bitmapové súbory (*.bmp)|*.bmp|Všetky súbory(*.*)|*.*|JPEG súbory|*.jpg|GIF súbory|*.gif";
constexpr char kListFilter[] = "Textové súbory (*.txt)|*.txt|Všetky súbory (*.*)|*.*";

}  // namespace

TMovieDlg::TMovieDlg(CommandHost& host, std::function<void(std::vector<std::string>)> play)
    : host_(host), play_(std::move(play)) {
    CreateForm(L"TMovieDlg", "Prehrať ako film", {0, 0, 480, 330}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, host.Owner());
}

void TMovieDlg::FormCreate() {
    SetClientSize(464, 292);
    GroupBox1.Create(Handle(), {8, 4, 330, 280}, "Súbory");
    FileList.Create(Handle(), {16, 22, 314, 254}, LBS_SORT | LBS_EXTENDEDSEL);
    const struct {
        forms::Button& button;
        const char* caption;
    } buttons[] = {{Button1, "Pridať"},        {Button2, "Zmazať"},        {Button3, "Zmazať všetky"},
                   {Button4, "Pridať všetky"}, {Button5, "Načítaj z TXT"}, {Button6, "Zapíš do TXT"}};
    int top = 10;
    for (const auto& b : buttons) {
        b.button.Create(Handle(), {346, top, 110, 25}, b.caption);
        top += 31;
    }
    OKBtn.Create(Handle(), {346, 222, 110, 25}, "Spustiť", true);
    Zatvor.Create(Handle(), {346, 254, 110, 25}, "Zatvor");
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { FileList.Clear(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    OKBtn.OnClick = [this] { OKBtnClick(); };
    Zatvor.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

std::vector<std::string> TMovieDlg::Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < FileList.Count(); ++i) entries.push_back(FileList.Item(i));
    return entries;
}

void TMovieDlg::Add(const std::string& path) { FileList.Add(path); }

void TMovieDlg::Button1Click() {
    forms::FileDialog dialog;
    dialog.title = "Pridanie súborov";
    dialog.filter = kPicturesFilter;
    dialog.multiSelect = true;
    if (!host_.ExecuteFileDialog(dialog, false)) return;
    if (dialog.fileNames.empty() && !dialog.fileName.empty()) dialog.fileNames.push_back(dialog.fileName);
    for (const std::string& path : dialog.fileNames) Add(path);
    if (!dialog.fileNames.empty()) lastFolder_ = PathToUtf8(PathFromUtf8(dialog.fileNames.back()).parent_path());
}

void TMovieDlg::Button2Click() {
    // From the end, so the indexes still to visit stay where they were.
    for (int i = FileList.Count() - 1; i >= 0; --i)
        if (FileList.Selected(i)) FileList.Delete(i);
}

void TMovieDlg::Button4Click() {
    if (lastFolder_.empty()) return;
    FastViewSearch search;
    search.includeSubDirs = false;
    search.showHiddenFiles = host_.ProgramSettings().ShowHiddenFiles;
    for (const std::string& path : CollectFiles(lastFolder_, ListDiskFolder, search)) Add(path);
}

void TMovieDlg::Button5Click() {
    forms::FileDialog dialog;
    dialog.filter = kListFilter;
    dialog.defaultExt = "txt";
    if (host_.ExecuteFileDialog(dialog, false)) LoadList(dialog.fileName);
}

void TMovieDlg::Button6Click() {
    forms::FileDialog dialog;
    dialog.filter = kListFilter;
    dialog.defaultExt = "txt";
    dialog.mustExist = false;
    if (host_.ExecuteFileDialog(dialog, true)) SaveList(dialog.fileName);
}

bool TMovieDlg::LoadList(const std::string& path) {
    std::vector<std::string> lines;
    try {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(PathFromUtf8(path));
        const std::string text = Cp1250ToUtf8(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(std::move(line));
            start = end + 1;
        }
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return false;
    }
    FileList.Clear();
    for (const std::string& line : lines) Add(line);
    return true;
}

bool TMovieDlg::SaveList(const std::string& path) {
    std::string text;
    for (const std::string& entry : Entries()) {
        const std::string encoded = Utf8ToCp1250(entry);
        // A name Windows-1250 cannot hold would come back as another file.
        if (Cp1250ToUtf8(encoded) != entry) {
            host_.ReportError("Meno súboru nemožno zapísať v kódovaní Windows-1250: " + entry);
            return false;
        }
        text += encoded + "\r\n";
    }
    try {
        WriteFileAtomically(PathFromUtf8(path),
                            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return false;
    }
    return true;
}

void TMovieDlg::OKBtnClick() {
    // An empty list has nothing to play.
    std::vector<std::string> entries = Entries();
    if (entries.empty() || !play_) return;
    play_(std::move(entries));
}

}  // namespace kelbo
