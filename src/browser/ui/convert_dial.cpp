#include "browser/ui/convert_dial.h"

#include <array>
#include <exception>
#include <memory>
#include <string_view>

#include "controls/close_panel.h"
#include "core/picture_fit.h"
#include "core/text_encoding.h"
#include "document/ui/command_host.h"
#include "document/ui/document_picture.h"
#include "document/ui/metafile_picture.h"

namespace kelbo {

namespace {

struct OutputFormat {
    std::string_view item;
    std::string_view extension;
};

// ComboBox1's items in order, and the extension of each.
constexpr std::array<OutputFormat, 6> kOutputFormats{{
    {"Bitmapový obrázok (*.bmp)", "bmp"},
    {"GIF súbor (*.gif|", "gif"},
    {"JPG súbor (*.jpg)", "jpg"},
    {"Ikona (*.ico)", "ico"},
    {"Windows Meta súbor (*.wmf)", "wmf"},
    {"Enhaced Windows Meta súbor (*.emf)", "emf"},
}};

constexpr char kOpenFilter[] =
    "Všetky podporované|*.bmp;*.gif,*.jpg,*.jpeg|Bitmapové súbory (*.bmp)|*.bmp|GIF súbory (*.gif)|*.gif|"
    "JPEG súbory|*.jpg,*.jpeg|Všetky (*.*)|*.*";
constexpr char kUnknownKind[] = "Tento súbor program nevie prečítať ako obrázok: ";

constexpr forms::Bounds kImageArea{2, 2, 277, 141};

// "...": the button that opens the file dialog.
// clang-format off
constexpr controls::GlyphArt kEllipsisArt{"", 10, 7,
                                          {"..........",
                                           "..........",
                                           "..........",
                                           "..........",
                                           "##..##..##",
                                           "##..##..##",
                                           ".........."}};
// clang-format on

}  // namespace

TConvertDial::TConvertDial(CommandHost& host) : host_(host) {
    CreateForm(L"TConvertDial", "Konvertovanie obrázkov", {0, 0, 314, 386},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
               host.Owner());
}

void TConvertDial::FormCreate() {
    SetClientSize(298, 348);
    const HWND h = Handle();
    Label1.Create(h, {8, 8, 100, 16}, "Vstup:");
    Edit1.Create(h, {8, 26, 254, 22}, "", ES_READONLY);
    SpeedButton1.Create(h, {267, 25, 23, 23});
    SpeedButton1.SetGlyph(controls::DrawGlyph(kEllipsisArt));
    Label2.Create(h, {8, 58, 100, 16}, "Výstup:");
    ComboBox1.Create(h, {8, 76, 282, 200});
    for (const OutputFormat& format : kOutputFormats) ComboBox1.Add(format.item);
    ComboBox1.SetItemIndex(1);
    InfoText.Create(h, {8, 108, 282, 20}, "", SS_CENTER | SS_SUNKEN | SS_PATHELLIPSIS);
    Panel1.Create(h, {8, 138, 281, 145});
    Panel1.SetBevelEdges(BDR_RAISEDINNER | BDR_SUNKENOUTER);
    Image1.Create(Panel1.Handle(), kImageArea);
    OKBtn.Create(h, {48, 308, 90, 25}, "Konvertuj", true);
    CancelBtn.Create(h, {160, 308, 90, 25}, "Zatvor");
    OpenDialog1.title = "Otvor súbor";
    OpenDialog1.defaultExt = "bmp";
    OpenDialog1.filterIndex = 2;
    OpenDialog1.filter = kOpenFilter;
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    Edit1.OnChange = [this] { Edit1Change(); };
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    OKBtn.OnClick = [this] { OKBtnClick(); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    CenterOnScreen();
}

std::string TConvertDial::OutputPath() const {
    const int index = ComboBox1.ItemIndex();
    if (index < 0 || index >= static_cast<int>(kOutputFormats.size())) return {};
    std::filesystem::path path = PathFromUtf8(Edit1.Text());
    path.replace_extension("." + std::string(kOutputFormats[index].extension));
    return PathToUtf8(path);
}

void TConvertDial::SpeedButton1Click() {
    if (host_.ExecuteFileDialog(OpenDialog1, false)) Edit1.SetText(OpenDialog1.fileName);
}

void TConvertDial::Edit1Change() {
    // The output follows the input, or it would name the previous file's.
    ComboBox1Change();
    Image1.SetPicture(nullptr);
    Image1.SetBounds(kImageArea);
    const std::string input = Edit1.Text();
    if (input.empty()) return;
    try {
        forms::DibTarget target;
        const LoadedFormat loaded = ReadDocumentPicture(PathFromUtf8(input), target, host_.Codecs());
        if (!loaded.read || !target.dib) return;
        GdiFlush();
        const Bitmap24 reduced = ReduceToFit(target.dib->View(), kImageArea.width, kImageArea.height);
        Image1.SetBounds({kImageArea.left + (kImageArea.width - reduced.Width()) / 2,
                          kImageArea.top + (kImageArea.height - reduced.Height()) / 2, reduced.Width(),
                          reduced.Height()});
        Image1.SetPicture(std::make_shared<forms::DibSection>(reduced.View()));
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

void TConvertDial::ComboBox1Change() { InfoText.SetText(OutputPath()); }

void TConvertDial::OKBtnClick() {
    const std::string input = Edit1.Text();
    const std::string output = OutputPath();
    if (input.empty() || output.empty()) return;
    // A failure keeps the dialog open, so another file or format can be tried.
    if (Convert(PathFromUtf8(input), PathFromUtf8(output))) SetModalResult(forms::mrOk);
}

bool TConvertDial::Convert(const std::filesystem::path& input, const std::filesystem::path& output) {
    try {
        // Read anew: the file is what gets converted, not the reduced preview.
        forms::DibTarget target;
        const LoadedFormat loaded = ReadDocumentPicture(input, target, host_.Codecs());
        if (!loaded.read || !target.dib) throw PictureFileError(kUnknownKind + PathToUtf8(input));
        GdiFlush();
        WriteOutput(target.dib->View(), loaded, output);
        return true;
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
        return false;
    }
}

void TConvertDial::WriteOutput(ConstPixelView picture, const LoadedFormat& loaded,
                               const std::filesystem::path& output) {
    const std::string_view extension = kOutputFormats[ComboBox1.ItemIndex()].extension;
    if (extension == "bmp") {
        // A bitmap keeps the depth and colour table it was read with.
        SavePictureFile(output, picture, loaded.format, loaded.palette, host_.Codecs());
    } else if (extension == "gif") {
        SaveGifFile(picture, output);
    } else if (extension == "jpg") {
        SaveJpegFile(picture, output, host_.Codecs());
    } else if (extension == "ico") {
        SaveIconFile(picture, output);
    } else {
        SaveMetafile(picture, output);
    }
}

}  // namespace kelbo
