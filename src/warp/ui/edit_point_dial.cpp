#include "warp/ui/edit_point_dial.h"

#include <string>

#include "core/whole_number.h"
#include "imaging/ui/dial_parts.h"
#include "warp/mesh_view.h"

namespace kelbo {

namespace {

// The label shows carriage returns as line breaks only with a line feed.
std::string LabelLines(const std::string& text) {
    std::string shown;
    for (char c : text) shown += c == '\r' ? std::string("\r\n") : std::string(1, c);
    return shown;
}

void SetRange(forms::UpDown& arrows, forms::TrackBar& track, int max) {
    SendMessageW(arrows.Handle(), UDM_SETRANGE32, 1, max);
    SendMessageW(track.Handle(), TBM_SETRANGEMIN, FALSE, 1);
    SendMessageW(track.Handle(), TBM_SETRANGEMAX, TRUE, max);
}

// The number field, the arrows and the track bar show one number; each
// change of the field shows its values.
void LinkNumberControls(forms::Edit& field, forms::UpDown& arrows, forms::TrackBar& track, std::function<void()> show) {
    track.OnChange = [&field, &track] {
        const std::string text = std::to_string(track.Position());
        if (field.Text() != text) field.SetText(text);
    };
    field.OnChange = [&field, &arrows, &track, show] {
        const std::optional<int> p = ParseWholeNumber(field.Text());
        if (!p) return;
        if (track.Position() != *p) track.SetPosition(*p);
        if (arrows.Position() != *p) arrows.SetPosition(*p);
        show();
    };
}

}  // namespace

TEditPointDial::TEditPointDial(HWND owner, std::function<const WarpMesh*()> mesh) : meshOf_(std::move(mesh)) {
    CreateForm(L"TEditPointDial", "Úprava siete", {0, 0, 380, 300}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TEditPointDial::FormCreate() {
    SetClientSize(364, 262);
    PageControl1.Create(Handle(), {8, 8, 348, 214}, {"Editácia spojov", "Editácia uzlov"});
    const RECT area = PageControl1.PageArea();
    const forms::Bounds page{area.left, area.top, area.right - area.left, area.bottom - area.top};
    for (forms::Panel* p : {&TabSheet1, &TabSheet2}) {
        p->Create(Handle(), page, {}, false);
        // Above the tab control, which would otherwise paint over the page.
        SetWindowPos(p->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    CreateLinkPage();
    CreateNodePage();
    OKBtn.Create(Handle(), {196, 230, 75, 25}, "OK", true);
    CancelBtn.Create(Handle(), {281, 230, 75, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    PageControl1.OnChange = [this] { ShowPage(); };
    Timer1.SetInterval(1000);
    Timer1.OnTimer = [this] { Timer1Timer(); };
    PageControl1.SetActivePage(0);
    ShowPage();
    CenterOnScreen();
}

void TEditPointDial::CreateLinkPage() {
    const HWND p = TabSheet1.Handle();
    Label5.Create(p, {8, 10, 80, 16}, "Číslo spoja :");
    CreateNumberField(Edit5, UpDown5, p, {92, 6, 60, 22}, "1", 1, 1);
    Edit5.SetReadOnly(true);
    TrackBar1.Create(p, {160, 4, 170, 28}, 1, 1, 1);
    Label3.Create(p, {8, 44, 150, 16}, "Prvý uzol");
    Edit3.Create(p, {8, 62, 60, 22}, "");
    Label1.Create(p, {8, 92, 60, 16}, "Xová os :");
    Edit1.Create(p, {72, 88, 70, 22}, "");
    Label2.Create(p, {8, 118, 60, 16}, "Yová os:");
    Edit2.Create(p, {72, 114, 70, 22}, "");
    Label4.Create(p, {170, 44, 150, 16}, "Druhý uzol");
    Edit4.Create(p, {170, 62, 60, 22}, "");
    Label6.Create(p, {170, 92, 60, 16}, "Xová os:");
    Edit6.Create(p, {234, 88, 70, 22}, "");
    Label7.Create(p, {170, 118, 60, 16}, "Yová os:");
    Edit7.Create(p, {234, 114, 70, 22}, "");
    for (forms::Edit* e : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit6, &Edit7}) e->SetReadOnly(true);
    Counts1.Create(p, {8, 146, 320, 36}, "", SS_LEFT | SS_SUNKEN);
    LinkNumberControls(Edit5, UpDown5, TrackBar1, [this] { ShowLink(); });
}

void TEditPointDial::CreateNodePage() {
    const HWND p = TabSheet2.Handle();
    Label8.Create(p, {8, 10, 80, 16}, "Číslo uzla:");
    CreateNumberField(Edit8, UpDown8, p, {92, 6, 60, 22}, "1", 1, 1);
    Edit8.SetReadOnly(true);
    TrackBar2.Create(p, {160, 4, 170, 28}, 1, 1, 1);
    GroupBox1.Create(p, {8, 40, 200, 96}, "Súradnice");
    Label9.Create(p, {18, 66, 60, 16}, "Xová os:");
    Edit9.Create(p, {82, 62, 80, 22}, "");
    Label10.Create(p, {18, 98, 60, 16}, "Yová os:");
    Edit10.Create(p, {82, 94, 80, 22}, "");
    Edit9.SetReadOnly(true);
    Edit10.SetReadOnly(true);
    Counts2.Create(p, {8, 146, 320, 36}, "", SS_LEFT | SS_SUNKEN);
    LinkNumberControls(Edit8, UpDown8, TrackBar2, [this] { ShowNode(); });
}

void TEditPointDial::ShowPage() {
    const int page = PageControl1.ActivePage();
    TabSheet1.SetVisible(page == 0);
    TabSheet2.SetVisible(page == 1);
}

void TEditPointDial::FormActivate() {
    mesh_ = meshOf_ ? meshOf_() : nullptr;
    if (mesh_) {
        const std::string counts = LabelLines(MeshCountsText(mesh_->NodeCount, mesh_->LinkCount));
        Counts1.SetText(counts);
        Counts2.SetText(counts);
        SetRange(UpDown5, TrackBar1, mesh_->LinkCount);
        SetRange(UpDown8, TrackBar2, mesh_->NodeCount);
        ShowLink();
        ShowNode();
    }
    Timer1.SetEnabled(true);
}

void TEditPointDial::FormDeactivate() {
    Timer1.SetEnabled(false);
    mesh_ = nullptr;  // the window may go while the dialog is not active
}

void TEditPointDial::Timer1Timer() {
    for (forms::Edit* field : {&Edit1, &Edit2, &Edit3, &Edit4}) ResetUnlessWhole(*field, "0");
}

void TEditPointDial::ShowLink() {
    if (!mesh_) return;
    const std::optional<int> p = ParseWholeNumber(Edit5.Text());
    if (!p || *p < 1 || *p > mesh_->LinkCount) return;
    const TMeshLink& link = mesh_->SourceLinks[static_cast<size_t>(*p - 1)];
    Edit3.SetText(std::to_string(link.Node1));
    Edit1.SetText(std::to_string(link.X1));
    Edit2.SetText(std::to_string(link.Y1));
    Edit4.SetText(std::to_string(link.Node2));
    Edit6.SetText(std::to_string(link.X2));
    Edit7.SetText(std::to_string(link.Y2));
}

void TEditPointDial::ShowNode() {
    if (!mesh_) return;
    const std::optional<int> p = ParseWholeNumber(Edit8.Text());
    if (!p) return;
    const auto position = DialogNodePosition(mesh_->InUse(MeshSide::kSource), *p - 1);
    if (!position) return;
    Edit9.SetText(std::to_string(position->x));
    Edit10.SetText(std::to_string(position->y));
}

}  // namespace kelbo
