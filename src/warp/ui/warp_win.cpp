#include "warp/ui/warp_win.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "app/commands.h"
#include "document/document_view.h"
#include "forms/controls.h"
#include "forms/window.h"
#include "forms/handle.h"
#include "forms/text.h"
#include "warp/mesh_view.h"

namespace kelbo {

namespace {

const wchar_t kClassName[] = L"TWarpWin";
constexpr char kDesignCaption[] = "Warping";

COLORREF Ref(Color c) { return static_cast<COLORREF>(c); }

}  // namespace

// One GDI drawing pass on Image2's DIB; never two at once, as a DIB section
// can be selected into one DC only.
class TWarpWin::Painter {
public:
    explicit Painter(TWarpWin& w)
        : w_(w), canvas_(*w.Image2.Picture()), dc_(canvas_.dc()), font_(dc_, forms::DefaultFont()) {
        SetBkMode(dc_, TRANSPARENT);
    }
    ~Painter() {
        GdiFlush();
        w_.Image2.Repaint();
    }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void Mark(MeshPoint p, Color colour, int node) {
        SetROP2(dc_, R2_COPYPEN);
        {
            forms::UniquePen pen(CreatePen(PS_SOLID, 1, Ref(colour)));
            forms::SelectGuard usePen(dc_, pen.get());
            forms::SelectGuard useBrush(dc_, GetStockObject(w_.brushCleared_ ? NULL_BRUSH : WHITE_BRUSH));
            Ellipse(dc_, p.x - 3, p.y - 3, p.x + 3, p.y + 3);
        }
        w_.brushCleared_ = true;
        if (w_.settings_.WriteNode) {
            const Size size = w_.PictureSize();
            const LabelOffset o = NodeLabelOffset(p.x, p.y, size.width, size.height);
            const std::wstring text = std::to_wstring(node);
            SetTextColor(dc_, Ref(w_.settings_.NWTextColor));
            TextOutW(dc_, p.x + o.dx, p.y + o.dy, text.c_str(), static_cast<int>(text.size()));
        }
        SetROP2(dc_, R2_NOTXORPEN);
    }

    void Line(MeshPoint a, MeshPoint b, int mode) {
        SetROP2(dc_, mode);
        forms::UniquePen pen(CreatePen(PS_SOLID, 1, Ref(w_.settings_.NWLineColor)));
        forms::SelectGuard usePen(dc_, pen.get());
        MoveToEx(dc_, a.x, a.y, nullptr);
        LineTo(dc_, b.x, b.y);
    }

private:
    TWarpWin& w_;
    forms::DibCanvas canvas_;
    HDC dc_;
    forms::SelectGuard font_;
};

TWarpWin::TWarpWin(WarpHost& host, const Settings& settings, WarpGesture& gesture,
                   std::function<void(TWarpWin&)> closed)
    : host_(host), settings_(settings), gesture_(gesture), closed_(std::move(closed)) {
    CreateHandle(kClassName, WS_EX_MDICHILD,
                 WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN,
                 kDesignCaption, {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, host.MdiClient(),
                 nullptr, forms::WindowKind::kMdiChild);
}

TWarpWin::~TWarpWin() = default;

void TWarpWin::FormCreate() {
    Image1.Create(Handle(), {0, 0, 0, 0});
    Image1.SetVisible(false);
    Image2.Create(Handle(), {0, 0, 0, 0});
    // Only the left button draws: the right one belongs to the context menu.
    Image2.OnMouseDown = [this](forms::MouseButton b, WPARAM, int x, int y) {
        if (b == forms::MouseButton::kLeft) Image2MouseDown(x, y);
    };
    Image2.OnMouseMove = [this](WPARAM, int x, int y) { Image2MouseMove(x, y); };
    Image2.OnMouseUp = [this](forms::MouseButton b, WPARAM, int x, int y) {
        if (b == forms::MouseButton::kLeft) Image2MouseUp(x, y);
    };
    hints_.Add(Handle(), Image2.Handle(), "");
    hints_.SetActive(false);
}

void TWarpWin::SetPicture(std::shared_ptr<forms::DibSection> clean) {
    if (!clean || clean->Empty()) throw std::invalid_argument("A warp window needs a picture");
    GdiFlush();
    const Size size{clean->Width(), clean->Height()};
    Image2.SetPicture(std::make_shared<forms::DibSection>(std::as_const(*clean).View()));
    Image1.SetPicture(std::move(clean));
    Image1.SetBounds({0, 0, size.width, size.height});
    Image2.SetBounds({0, 0, size.width, size.height});
    SetWindowPos(Handle(), nullptr, 0, 0, size.width + 8, size.height + 27, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollRanges();
    Mesh = RectangleMesh(size.width, size.height);
    brushCleared_ = false;
    DrawMesh(MeshSide::kSource);
    host_.SetStatusPanel(2, SizeText(size));
}

Size TWarpWin::PictureSize() const {
    const auto& p = Image1.Picture();
    return p ? Size{p->Width(), p->Height()} : Size{};
}

bool TWarpWin::WarpMode() const { return host_.WarpToolBar().Down(WarpButton); }

WarpTool TWarpWin::Tool() const {
    const forms::ToolBar& bar = host_.WarpToolBar();
    if (bar.Down(EditButton)) return WarpTool::kMove;
    if (bar.Down(DelButton)) return WarpTool::kDelete;
    return WarpTool::kAdd;
}

void TWarpWin::Redraw() {
    const auto& clean = Image1.Picture();
    const auto& shown = Image2.Picture();
    if (!clean || !shown) return;
    GdiFlush();
    CopyPixels(shown->View(), std::as_const(*clean).View());
    brushCleared_ = false;
    DrawMesh(CurrentSide());
}

void TWarpWin::DrawMesh(MeshSide side) {
    if (!Image2.Picture()) return;
    if (side == MeshSide::kTarget) MakeTarget(Mesh);
    Painter paint(*this);
    for (const TMeshLink& link : Mesh.InUse(side)) {
        const MeshPoint first{link.X1, link.Y1};
        const MeshPoint second{link.X2, link.Y2};
        paint.Mark(first, settings_.NWColor, link.Node1);
        paint.Mark(second, settings_.NWColor, link.Node2);
        paint.Line(first, second, R2_COPYPEN);
    }
}

void TWarpWin::DrawRubberBand() {
    Painter paint(*this);
    paint.Line(gesture_.start, gesture_.end, R2_NOTXORPEN);
}

void TWarpWin::MakeTargetForMouse() {
    if (Mesh.TargetValid || !WarpMode()) return;
    MakeTarget(Mesh);
    Mesh.TargetValid = true;
}

void TWarpWin::Image2MouseDown(int x, int y) {
    if (!Image2.Picture()) return;
    MakeTargetForMouse();
    const MeshPoint point{x, y};
    if (WarpMode()) {
        if (Tool() != WarpTool::kMove) return;
        if (const auto found = FindNode(Mesh, MeshSide::kTarget, point)) {
            Mesh.CurrentNode = found->node;
            gesture_.start = gesture_.end = found->point;
            gesture_.pressed = true;
        }
        return;
    }
    const auto found = FindNode(Mesh, MeshSide::kSource, point);
    if (Tool() == WarpTool::kAdd) {
        Mesh.CurrentNode = found ? found->node : -1;
        gesture_.start = gesture_.end = found ? found->point : point;
        gesture_.pressed = true;
        Mesh.TargetValid = false;
    } else if (found) {
        Mesh.CurrentNode = found->node;
        // The rubber band of a deletion starts empty, not at the last gesture's end.
        gesture_.start = gesture_.end = found->point;
        gesture_.pressed = true;
        Mesh.TargetValid = false;
    }
}

void TWarpWin::Image2MouseMove(int x, int y) {
    if (!Image2.Picture()) return;
    MakeTargetForMouse();
    MeshPoint point{x, y};
    const bool warp = WarpMode();
    const WarpTool tool = Tool();
    if (gesture_.pressed && !warp && tool == WarpTool::kMove) {
        MoveNode(Mesh, MeshSide::kSource, Mesh.CurrentNode, point);
        Redraw();
    } else if (gesture_.pressed && !warp) {
        DrawRubberBand();
        gesture_.end = point;
        DrawRubberBand();
    } else if (gesture_.pressed && tool == WarpTool::kMove) {
        MoveNode(Mesh, MeshSide::kTarget, Mesh.CurrentNode, point);
        Redraw();
    }
    ShowHover(point);
    host_.SetStatusPanel(0, PositionText(point.x, point.y));
    const auto& clean = Image1.Picture();
    if (clean && point.x >= 0 && point.y >= 0 && point.x < clean->Width() && point.y < clean->Height()) {
        GdiFlush();
        const std::uint8_t* pixel = std::as_const(*clean).View().Row(point.y) + 3 * point.x;
        host_.ShowColorInfo(Rgb(pixel[2], pixel[1], pixel[0]));
    }
}

void TWarpWin::ShowHover(MeshPoint& point) {
    const MeshSide side = CurrentSide();
    if (const auto found = FindNode(Mesh, side, point)) {
        point = found->point;
        HoverShown = true;
        host_.ShowWarpInfo(NodeInfoText(found->node, point));
        hints_.Update(Handle(), Image2.Handle(), NodeHintText(found->node));
        hints_.SetActive(true);
        Painter paint(*this);
        paint.Mark(point, settings_.LWColor, found->node);
        return;
    }
    if (!HoverShown) return;
    HoverShown = false;
    host_.ShowWarpInfo("");
    hints_.Update(Handle(), Image2.Handle(), "");
    hints_.SetActive(false);
    if (side == MeshSide::kTarget) MakeTarget(Mesh);
    Painter paint(*this);
    for (const TMeshLink& link : Mesh.InUse(side)) {
        paint.Mark({link.X1, link.Y1}, settings_.NWColor, link.Node1);
        paint.Mark({link.X2, link.Y2}, settings_.NWColor, link.Node2);
    }
}

void TWarpWin::Image2MouseUp(int x, int y) {
    if (!Image2.Picture()) return;
    MakeTargetForMouse();
    if (!gesture_.pressed) return;
    const MeshPoint point{x, y};
    if (!WarpMode() && Tool() == WarpTool::kAdd) {
        AddLinkAtRelease(point);
        return;
    }
    gesture_.pressed = false;
    if (!WarpMode() && Tool() == WarpTool::kDelete) {
        if (Mesh.LinkCount > 1) {
            if (const auto found = FindNode(Mesh, MeshSide::kSource, point))
                DeleteLink(Mesh, Mesh.CurrentNode, found->node);
        }
        // Also when nothing was deleted: the rubber band goes.
        Redraw();
    }
}

void TWarpWin::AddLinkAtRelease(MeshPoint point) {
    // The copy line replaces the rubber band, whose end may differ from the snapped end.
    DrawRubberBand();
    gesture_.pressed = false;
    int nodes = Mesh.NodeCount;
    const int startNode = Mesh.CurrentNode == -1 ? nodes++ : Mesh.CurrentNode;
    MeshPoint end = point;
    int endNode = 0;
    if (const auto found = FindNode(Mesh, MeshSide::kSource, point)) {
        endNode = found->node;
        end = found->point;
    } else {
        endNode = nodes++;
    }
    // A full mesh throws here, before the node count changes.
    AddLink(Mesh, gesture_.start, startNode, end, endNode);
    Mesh.CurrentNode = startNode;
    Mesh.NodeCount = static_cast<std::uint16_t>(nodes);
    gesture_.end = end;
    Painter paint(*this);
    paint.Line(gesture_.start, end, R2_COPYPEN);
    paint.Mark(gesture_.start, settings_.NWColor, startNode);
    paint.Mark(end, settings_.NWColor, endNode);
}

void TWarpWin::FormShow() {
    host_.SetStatusPanel(2, SizeText(PictureSize()));
    host_.ShowWarpToolBar();
}

void TWarpWin::FormActivate() {
    host_.ShowWarpToolBar();
    host_.SetStatusPanel(2, SizeText(PictureSize()));
    host_.WarpWindowActivated();
    host_.ResetProgress();
    host_.SetMainTitle(SplitFilePath(Text()).name);
}

void TWarpWin::FormClose() {
    host_.SetMainTitle("");
    host_.SetStatusPanel(2, "");
    SendMessageW(host_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
}

void TWarpWin::UpdateScrollRanges() {
    // A warp window's ranges are the picture's width and height themselves.
    const Size size = PictureSize();
    forms::SetScrollRanges(Handle(), size.width, size.height);
}

void TWarpWin::ScrollView(int bar, WORD code) {
    const std::optional<int> pos = forms::ScrollBarTo(Handle(), bar, code);
    if (!pos) return;
    for (forms::PictureView* view : {&Image1, &Image2}) {
        const forms::Bounds b = view->GetBounds();
        view->SetBounds({bar == SB_HORZ ? -*pos : b.left, bar == SB_VERT ? -*pos : b.top, b.width, b.height});
    }
}

LRESULT TWarpWin::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == Handle()) FormActivate();
        break;
    case WM_HSCROLL:
        if (lParam == 0) {
            ScrollView(SB_HORZ, LOWORD(wParam));
            return 0;
        }
        break;
    case WM_VSCROLL:
        if (lParam == 0) {
            ScrollView(SB_VERT, LOWORD(wParam));
            return 0;
        }
        break;
    case WM_SIZE: UpdateScrollRanges(); break;
    case WM_NCDESTROY: {
        const LRESULT r = Form::HandleMessage(msg, wParam, lParam);
        if (closed_) closed_(*this);  // may free this object later, never now
        return r;
    }
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace kelbo
