#include "imaging/geometry/ui/geometry_commands.h"

#include <exception>

#include "app/commands.h"
#include "app/settings.h"
#include "document/document_view.h"
#include "document/ui/child_win.h"
#include "imaging/geometry/transforms.h"

namespace kelbo {
namespace {

using S = ConstPixelView;
using T = PixelView;

// Rotation and shear show the result growing every 10th column and the main
// window every 20th; resizing both every 20th column (or row, by nearest
// neighbour and linearly).
constexpr GrowingRepaints kTurned{10, 20};
constexpr GrowingRepaints kResized{20, 20};

}  // namespace

GeometryCommands::GeometryCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(N501, [this] { ZoomTo(50); });
    host_.BindCommand(N1001, [this] { ZoomTo(100); });
    host_.BindCommand(N2001, [this] { ZoomTo(200); });
    host_.BindCommand(N3001, [this] { ZoomTo(300); });
    host_.BindCommand(Invekos1, [this] { Invekos1Click(); });
    host_.BindCommand(Rotcia1, [this] { Rotcia1Click(); });
    host_.BindCommand(Skosenieobrzku1, [this] { Skosenieobrzku1Click(); });
    host_.BindCommand(Zmenavekosti1, [this] { Zmenavekosti1Click(); });
    host_.BindCommand(Pridajokraje1, [this] { Pridajokraje1Click(); });
    host_.BindCommand(ZrkadlonaosiX1, [this] { Mirror(&MirrorX); });
    host_.BindCommand(ZrkadlonaosiY1, [this] { Mirror(&MirrorY); });
}

GeometryCommands::~GeometryCommands() = default;

std::vector<WindowStep> GeometryCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TZoomDial", [this, owner] { zoomDial_ = std::make_unique<TZoomDial>(owner); }},
        {"TRotateDial", [this, owner] { rotateDial_ = std::make_unique<TRotateDial>(owner, host_.Imaging()); }},
        {"TShearDial", [this, owner] { shearDial_ = std::make_unique<TShearDial>(owner); }},
        {"TResizeDial", [this, owner] { resizeDial_ = std::make_unique<TResizeDial>(owner, host_.Imaging()); }},
        {"TAddBordersDial", [this, owner] { addBordersDial_ = std::make_unique<TAddBordersDial>(owner); }},
    };
}

void GeometryCommands::ZoomTo(int percent) {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    doc->SetViewSize(ZoomedView(doc->PictureSize(), percent));
}

void GeometryCommands::Invekos1Click() {
    TChildWin* doc = RunOperationDialog(host_, zoomDial_.get());
    if (!doc) return;
    const std::optional<int> percent = zoomDial_->Percent();
    if (!percent) return;
    doc->SetViewSize(ZoomedView(doc->PictureSize(), *percent));
}

void GeometryCommands::Rotcia1Click() {
    TChildWin* doc = RunOperationDialog(host_, rotateDial_.get());
    if (!doc) return;
    const std::optional<RotationOptions> options = rotateDial_->Options(host_.ProgramSettings().BgColor);
    if (!options) {
        host_.ReportError("Uhol otočenia musí byť celé číslo od -32768 do 32767.");
        return;
    }
    try {
        const Size size = RotatedBox(doc->PictureSize(), *options).size;
        host_.RenderIntoNewWindow(
            *doc, size, [o = *options](S s, T t, Progress* p) { Rotate(s, t, o, p); }, kTurned);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

void GeometryCommands::Skosenieobrzku1Click() {
    TChildWin* doc = RunOperationDialog(host_, shearDial_.get());
    if (!doc) return;
    const ShearOptions options = shearDial_->Options(host_.ProgramSettings().BgColor);
    try {
        const Size size = ShearedBox(doc->PictureSize(), options).size;
        host_.RenderIntoNewWindow(
            *doc, size, [options](S s, T t, Progress* p) { Shear(s, t, options, p); }, kTurned);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

void GeometryCommands::Zmenavekosti1Click() {
    TChildWin* doc = RunOperationDialog(host_, resizeDial_.get());
    if (!doc) return;
    const std::optional<Size> size = resizeDial_->NewSize();
    if (!size) {
        host_.ReportError("Nová veľkosť musí mať aspoň 1 bod na šírku aj na výšku.");
        return;
    }
    const ResizeMethod method = resizeDial_->Method();
    host_.RenderIntoNewWindow(
        *doc, *size, [method](S s, T t, Progress* p) { Resize(s, t, method, p); }, kResized);
}

void GeometryCommands::Pridajokraje1Click() {
    TChildWin* doc = RunOperationDialog(host_, addBordersDial_.get());
    if (!doc) return;
    const Borders borders = addBordersDial_->Values();
    try {
        const Size size = BorderedSize(doc->PictureSize(), borders);
        host_.RenderIntoNewWindow(
            *doc, size, [borders](S s, T t, Progress*) { AddBorders(s, t, borders); }, {}, FrameKind::kStandard);
    } catch (const std::exception& e) {
        host_.ReportError(e.what());
    }
}

void GeometryCommands::Mirror(void (*mirror)(PixelView, Progress*)) {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    host_.ChangeInPlace(*doc, mirror);
}

}  // namespace kelbo
