#include "imaging/filters/ui/alfa_dial.h"

#include <algorithm>
#include <exception>
#include <string>

#include "imaging/filters/combine.h"
#include "imaging/filters/filter_fields.h"
#include "imaging/filters/ui/picture_inputs.h"
#include "imaging/ui/dial_parts.h"

namespace kelbo {
namespace {

constexpr char kFilter[] =
    "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
    "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
constexpr char kTwoPictures[] = "Na miešanie treba dva obrázky: vyberte prvý aj druhý súbor.";
constexpr char kHelp[] =
    "Alfa miešanie zmieša dva obrázky zo súborov (Prvý súbor a Druhý súbor) do nového okna. Výsledok má "
    "veľkosť spoločnej časti oboch obrázkov od ľavého horného rohu.\r\n"
    "Alfa hodnota 255 dá prvý obrázok, 0 druhý, hodnoty medzi nimi ich zmes.\r\n"
    "Postupnosť obrázkov otvorí toľko okien, koľko je Počet obrázkov: prvé má alfa hodnotu začiatku "
    "intervalu a každé ďalšie o krok viac, kde krok je (koniec - začiatok) div počet.";

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 322;

ConstPixelView TopLeft(ConstPixelView v, int width, int height) { return {v.Row(0), width, height, v.Stride()}; }

}  // namespace

TAlfaDial::TAlfaDial(HWND owner, CommandHost& host) : host_(host) {
    CreateForm(L"TAlfaDial", "Alfa miešanie...", {0, 0, 500, 360}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TAlfaDial::FormCreate() {
    SetClientSize(kClientWidth, kClientHeight);
    const HWND h = Handle();
    GroupBox1.Create(h, {8, 4, 464, 84}, "Vstupné súbory");
    Label1.Create(h, {18, 28, 84, 16}, "Prvý súbor:");
    Edit1.Create(h, {104, 24, 266, 22}, "", ES_READONLY);
    Button1.Create(h, {378, 23, 86, 24}, "Nájdi...");
    Label2.Create(h, {18, 58, 84, 16}, "Druhý súbor:");
    Edit2.Create(h, {104, 54, 266, 22}, "", ES_READONLY);
    Button2.Create(h, {378, 53, 86, 24}, "Nájdi...");

    Label3.Create(h, {8, 100, 150, 16}, "Alfa hodnota pre obrázok:");
    TrackBar1.Create(h, {160, 94, 220, 28}, 0, 255, 128);
    SendMessageW(TrackBar1.Handle(), TBM_SETLINESIZE, 0, 5);
    const LONG_PTR style = GetWindowLongPtrW(TrackBar1.Handle(), GWL_STYLE);
    SetWindowLongPtrW(TrackBar1.Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(TBS_AUTOTICKS)) | TBS_NOTICKS);
    SendMessageW(TrackBar1.Handle(), TBM_CLEARTICS, TRUE, 0);
    CreateNumberField(Edit3, UpDown1, h, {388, 97, 56, 22}, "128", 0, 255);

    GroupBox2.Create(h, {8, 128, 464, 150}, "Obrázky");
    Image1.Create(h, {18, 148, 144, 120});
    Image2.Create(h, {168, 148, 144, 120});
    Image3.Create(h, {318, 148, 144, 120});
    Image3.SetPicture(std::make_shared<forms::DibSection>(144, 120));

    OKBtn.Create(h, {8, 288, 120, 26}, "Generuj obrázok", true);
    SequenceBtn.Create(h, {134, 288, 140, 26}, "Postupnosť obrázkov");
    CancelBtn.Create(h, {306, 288, 80, 26}, "Zrušiť");
    HelpBtn.Create(h, {392, 288, 80, 26}, "Pomoc");
    CreatePanel();

    OpenDialog.filter = kFilter;
    OpenDialog.mustExist = true;
    Button1.OnClick = [this] { FindClick(Edit1); };
    Button2.OnClick = [this] { FindClick(Edit2); };
    Edit1.OnChange = [this] { FileChanged(Edit1, Image1); };
    Edit2.OnChange = [this] { FileChanged(Edit2, Image2); };
    TrackBar1.OnChange = [this] { TrackBar1Change(); };
    Edit3.OnChange = [this] { Edit3Change(); };
    OKBtn.OnClick = [this] { OKBtnClick(); };
    SequenceBtn.OnClick = [this] { SequenceBtnClick(); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    HelpBtn.OnClick = [this] { HelpBtnClick(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    CenterOnScreen();
}

void TAlfaDial::CreatePanel() {
    // Below the client area until "Postupnosť obrázkov" grows the dialog.
    Panel1.Create(Handle(), {8, kClientHeight + 2, 464, kPanelHeight - 8});
    const HWND p = Panel1.Handle();
    Label4.Create(p, {10, 12, 100, 16}, "Počet obrázkov");
    CreateNumberField(Edit4, UpDown2, p, {116, 8, 52, 22}, "0", 0, 255, 3);
    Label5.Create(p, {10, 42, 104, 16}, "Začiatok intervalu:");
    Edit5.Create(p, {116, 38, 52, 22}, "0");
    Label6.Create(p, {10, 72, 104, 16}, "Koniec intervalu :");
    Edit6.Create(p, {116, 68, 52, 22}, "0");
    GenerateSequenceBtn.Create(p, {298, 8, 156, 26}, "Generuj postupnosť");
    InfoLabel.Create(p, {186, 44, 268, 46}, "<0,255>", SS_LEFT | SS_SUNKEN);
    Edit5.OnChange = [this] { Edit5Change(); };
    Edit6.OnChange = [this] { Edit6Change(); };
    Edit5.OnExit = [this] { Edit5Exit(); };
    Edit6.OnExit = [this] { Edit6Exit(); };
    GenerateSequenceBtn.OnClick = [this] { GenerateSequenceBtnClick(); };
    EnablePanel(false);
}

void TAlfaDial::EnablePanel(bool enabled) {
    forms::Control* const controls[] = {
        &Label4, &Edit4, &UpDown2, &Label5, &Edit5, &Label6, &Edit6, &GenerateSequenceBtn, &InfoLabel};
    for (forms::Control* c : controls) c->SetEnabled(enabled);
}

void TAlfaDial::FormActivate() {
    active_ = true;
    sequence_.clear();
    Timer1.SetEnabled(true);
}

void TAlfaDial::FormDeactivate() {
    active_ = false;
    Timer1.SetEnabled(false);
}

void TAlfaDial::Timer1Timer() {
    if (outOfDate_) UpdatePreview();
}

void TAlfaDial::UpdatePreview() {
    outOfDate_ = false;
    const std::shared_ptr<forms::DibSection> a = Image1.Picture();
    const std::shared_ptr<forms::DibSection> b = Image2.Picture();
    const std::shared_ptr<forms::DibSection> preview = Image3.Picture();
    if (!a || !b || !preview || a->Empty() || b->Empty() || preview->Empty()) return;
    GdiFlush();
    const int width = std::min({a->Width(), b->Width(), preview->Width()});
    const int height = std::min({a->Height(), b->Height(), preview->Height()});
    try {
        const Bitmap24 mixed = AlphaMix(TopLeft(a->View(), width, height), TopLeft(b->View(), width, height), Alpha(),
                                        &host_.StatusProgress());
        const PixelView out = preview->View();
        CopyPixels(PixelView(out.Row(0), width, height, out.Stride()), mixed.View());
    } catch (const std::exception& e) {
        Report(e.what());
    }
    Image3.Repaint();
}

void TAlfaDial::FindClick(forms::Edit& field) {
    OpenDialog.fileName = field.Text();
    bool chosen = false;
    AsideDialog(Handle(), [&] { chosen = host_.ExecuteFileDialog(OpenDialog, false); });
    if (chosen) field.SetText(OpenDialog.fileName);
}

void TAlfaDial::FileChanged(forms::Edit& field, forms::PictureView& image) {
    const std::string path = field.Text();
    if (path.empty()) return;
    std::shared_ptr<forms::DibSection> picture;
    AsideDialog(Handle(), [&] { picture = ReadInputPicture(host_, path); });
    if (!picture) return;
    image.SetPicture(std::move(picture));
    UpdatePreview();
}

void TAlfaDial::TrackBar1Change() {
    if (syncing_) return;
    syncing_ = true;
    Edit3.SetText(std::to_string(TrackBar1.Position()));
    syncing_ = false;
    Changed();
}

void TAlfaDial::Edit3Change() {
    if (syncing_) return;
    Timer1.SetEnabled(false);
    const FieldCheck check = CheckAlphaValue(Edit3.Text());
    syncing_ = true;
    if (check.corrected) Edit3.SetText(*check.corrected);
    TrackBar1.SetPosition(check.value);
    syncing_ = false;
    Changed();
}

void TAlfaDial::Changed() {
    Timer1.SetEnabled(false);
    outOfDate_ = true;
    Timer1.SetEnabled(active_);
}

void TAlfaDial::Edit5Change() {
    if (auto corrected = CheckIntervalStart(Edit5.Text()).corrected) Edit5.SetText(*corrected);
    InfoLabel.SetText(IntervalInfo({FieldValue(Edit5, 0), FieldValue(Edit6, 0)}));
}

void TAlfaDial::Edit6Change() {
    if (auto corrected = CheckIntervalEnd(Edit6.Text()).corrected) Edit6.SetText(*corrected);
    InfoLabel.SetText(IntervalInfo({FieldValue(Edit5, 0), FieldValue(Edit6, 0)}));
}

void TAlfaDial::Edit5Exit() {
    const AlphaInterval typed{FieldValue(Edit5, 0), FieldValue(Edit6, 0)};
    const AlphaInterval kept = StartFieldLeft(typed);
    if (kept.end != typed.end) Edit6.SetText(std::to_string(kept.end));
}

void TAlfaDial::Edit6Exit() {
    const AlphaInterval typed{FieldValue(Edit5, 0), FieldValue(Edit6, 0)};
    const AlphaInterval kept = EndFieldLeft(typed);
    if (kept.start != typed.start) Edit5.SetText(std::to_string(kept.start));
}

void TAlfaDial::SequenceBtnClick() {
    panelShown_ = !panelShown_;
    const int grow = panelShown_ ? kPanelHeight : -kPanelHeight;
    const forms::Bounds b = GetBounds();
    SetBounds({b.left, b.top - grow / 2, b.width, b.height + grow});
    EnablePanel(panelShown_);
}

bool TAlfaDial::HavePictures() {
    const std::shared_ptr<forms::DibSection> a = Image1.Picture();
    const std::shared_ptr<forms::DibSection> b = Image2.Picture();
    if (a && b && !a->Empty() && !b->Empty()) return true;
    Report(kTwoPictures);
    return false;
}

void TAlfaDial::OKBtnClick() {
    if (HavePictures()) SetModalResult(forms::mrOk);
}

void TAlfaDial::GenerateSequenceBtnClick() {
    if (!HavePictures()) return;
    try {
        sequence_ = AlphaSequence(FieldValue(Edit4, 0), FieldValue(Edit5, 0), FieldValue(Edit6, 0));
    } catch (const std::exception& e) {
        sequence_.clear();
        Report(e.what());
        return;
    }
    SetModalResult(kSequenceResult);
}

void TAlfaDial::HelpBtnClick() {
    AsideDialog(Handle(), [this] { host_.ShowInformation(kHelp); });
}

void TAlfaDial::Report(std::string_view message) {
    AsideDialog(Handle(), [&] { host_.ReportError(message); });
}

}  // namespace kelbo
