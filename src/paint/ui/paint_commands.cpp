#include "paint/ui/paint_commands.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "app/commands.h"
#include "app/settings.h"
#include "document/ui/child_win.h"
#include "forms/dib.h"
#include "forms/handle.h"
#include "forms/menu.h"
#include "paint/ui/tool_cursors.h"

namespace kelbo {
namespace {

// A colour value is already in COLORREF order.
COLORREF Ref(Color c) { return static_cast<COLORREF>(c); }

// A pen and a brush selected into a DC for one drawing, with its mode.
class DrawingTools {
public:
    DrawingTools(HDC dc, int penStyle, int width, Color pen, bool solidBrush, Color brush, int mode)
        : dc_(dc),
          pen_(CreatePen(penStyle, std::max(width, 1), Ref(pen))),
          brush_(solidBrush ? CreateSolidBrush(Ref(brush)) : nullptr),
          usePen_(dc, pen_.get()),
          useBrush_(dc, solidBrush ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH)),
          oldMode_(SetROP2(dc, mode)) {}
    ~DrawingTools() { SetROP2(dc_, oldMode_); }
    DrawingTools(const DrawingTools&) = delete;
    DrawingTools& operator=(const DrawingTools&) = delete;

private:
    HDC dc_;
    forms::UniquePen pen_;
    forms::UniqueBrush brush_;  // none for the clear brush
    forms::SelectGuard usePen_, useBrush_;
    int oldMode_;
};

void DrawShape(HDC dc, ShapeKind kind, Point s, Point e) {
    const Point equal = EqualSidesCorner(s, e);
    switch (kind) {
    case ShapeKind::kEllipse: Ellipse(dc, s.x, s.y, e.x, e.y); return;
    case ShapeKind::kCircle: Ellipse(dc, s.x, s.y, equal.x, equal.y); return;
    case ShapeKind::kRectangle: Rectangle(dc, s.x, s.y, e.x, e.y); return;
    case ShapeKind::kSquare: Rectangle(dc, s.x, s.y, equal.x, equal.y); return;
    case ShapeKind::kRoundRectangle:
    case ShapeKind::kRoundSquare: {
        const Point corner = kind == ShapeKind::kRoundRectangle ? e : equal;
        const Size round = RoundCorner(s, corner);
        RoundRect(dc, s.x, s.y, corner.x, corner.y, std::abs(round.width), std::abs(round.height));
        return;
    }
    }
}

void Line(HDC dc, Point from, Point to) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

// The crop tool's frame: yellowish, dash-dot-dot, not filled.
constexpr Color kCropFrame = Rgb(255, 255, 15);

}  // namespace

PaintCommands::PaintCommands(CommandHost& host, PaintHost& paint, PlaceText placeText)
    : host_(host), paint_(paint), placeText_(std::move(placeText)) {
    for (UINT button :
         {ArrowButton, ZoomButton, PickButton, PenButton, LineButton, FillButton, ShapeButton, CropButton, TextButton})
        host_.BindCommand(button, [this] { ToolChosen(); });
    host_.BindCommand(Nradie1, [this] { ToolsWindowClick(); });
}

PaintCommands::~PaintCommands() = default;

std::vector<WindowStep> PaintCommands::Windows() {
    return {{"TToolsWin", [this] {
                 toolsWin_ = std::make_unique<TToolsWin>(host_.Owner(), host_.ProgramSettings());
                 toolsWin_->FgColor = [this] { return paint_.FgColor(); };
                 toolsWin_->BgColor = [this] { return paint_.BgColor(); };
                 toolsWin_->FgColorClick = [this] { paint_.ChooseColor(true); };
                 toolsWin_->BgColorClick = [this] { paint_.ChooseColor(false); };
                 toolsWin_->OnClosed = [this] {
                     host_.SetItemChecked(Nradie1, false);
                     host_.ProgramSettings().ToolsVisible = false;
                 };
                 toolsWin_->OnDrawShape = [this](const ToolShape& shape) { DrawToolShape(shape); };
                 ShowToolsWindow(host_.ProgramSettings().ToolsVisible);
             }}};
}

void PaintCommands::ToolsWindowClick() { ShowToolsWindow(!host_.ItemChecked(Nradie1)); }

void PaintCommands::ShowToolsWindow(bool show) {
    host_.SetItemChecked(Nradie1, show);
    host_.ProgramSettings().ToolsVisible = show;
    if (toolsWin_) toolsWin_->SetVisible(show);
}

void PaintCommands::ToolChosen() {
    const ToolNumber tool = paint_.ChosenTool();
    if (TChildWin* document = host_.ActiveImageDocument()) document->Image1.SetCursor(ToolCursor(tool));
    if (tool == ToolNumber::kShape && host_.ProgramSettings().AutoOpenTools && toolsWin_ && !toolsWin_->Visible())
        ShowToolsWindow(true);
}

void PaintCommands::PointerOverFrame() {
    // The host has ended the stroke; the band on the view goes with it.
    if (strokeDocument_ && bandShown_) strokeDocument_->Image1.Repaint();
    strokeDocument_ = nullptr;
    bandShown_ = false;
    if (toolsWin_) toolsWin_->PointerOverFrame();
}

void PaintCommands::DocumentClosed(TChildWin& document) {
    if (strokeDocument_ != &document) return;
    strokeDocument_ = nullptr;
    paint_.CurrentStroke().inProgress = false;
}

void PaintCommands::ColorsChanged() {
    if (!toolsWin_) return;
    toolsWin_->RepaintFgColor();
    toolsWin_->RepaintBgColor();
}

DrawingAttributes PaintCommands::Attributes() const {
    return toolsWin_ ? toolsWin_->Attributes() : DrawingAttributes{};
}

Point PaintCommands::OnPicture(TChildWin& document, Point view) const {
    return ViewToPicture(view, document.ViewSize(), document.PictureSize());
}

void PaintCommands::ViewPointer(TChildWin& document, const ViewPointerEvent& event) {
    if (!document.Image1.Picture()) return;
    switch (event.kind) {
    case ViewPointerEvent::Kind::kDown: Press(document, event.at, event.button); return;
    case ViewPointerEvent::Kind::kMove: Move(document, event.at); return;
    case ViewPointerEvent::Kind::kUp: Release(document, event.at, event.button); return;
    }
}

void PaintCommands::Press(TChildWin& document, Point at, int button) {
    if (button > 1) return;
    const ToolNumber tool = paint_.ChosenTool();
    if (tool == ToolNumber::kZoom) return;
    PaintStroke& stroke = paint_.CurrentStroke();
    stroke = {true, at, at, static_cast<std::uint8_t>(button)};
    strokeDocument_ = &document;
    bandShown_ = false;
    brushLast_ = OnPicture(document, at);
    // What the brush and the fill paint while dragging is undone with the stroke.
    if (tool == ToolNumber::kBrush || tool == ToolNumber::kFill) {
        document.TakeUndoSnapshot();
        host_.UpdateMenuItems();
    }
}

void PaintCommands::Move(TChildWin& document, Point at) {
    PaintStroke& stroke = paint_.CurrentStroke();
    if (!stroke.inProgress || strokeDocument_ != &document) return;
    if (bandShown_) RubberBand(document, stroke.start, stroke.last);
    stroke.last = at;
    RubberBand(document, stroke.start, stroke.last);
    PaintWhileDragging(document, at);
}

void PaintCommands::Release(TChildWin& document, Point at, int button) {
    PaintStroke& stroke = paint_.CurrentStroke();
    const ToolNumber tool = paint_.ChosenTool();
    if (stroke.inProgress && strokeDocument_ == &document) {
        if (tool != ToolNumber::kBrush && tool != ToolNumber::kFill) document.TakeUndoSnapshot();
        if (bandShown_) RubberBand(document, stroke.start, stroke.last);
        bandShown_ = false;
        stroke.inProgress = false;
        strokeDocument_ = nullptr;
        document.Modified = true;
        Paint(document, stroke.start, at);
        host_.UpdateMenuItems();
    }
    if (tool == ToolNumber::kZoom && button <= 1) Zoom(document, button == 0);
}

void PaintCommands::RubberBand(TChildWin& document, Point start, Point end) {
    const ToolNumber tool = paint_.ChosenTool();
    if (tool != ToolNumber::kLine && tool != ToolNumber::kShape && tool != ToolNumber::kCrop) return;
    const forms::WindowDc view(document.Image1.Handle());
    const HDC dc = view.get();
    if (!dc) return;
    const DrawingAttributes a = Attributes();
    const bool left = paint_.CurrentStroke().button == 0;
    const Color pen = left ? paint_.FgColor() : paint_.BgColor();
    const Color brush = left ? paint_.BgColor() : paint_.FgColor();
    if (tool == ToolNumber::kCrop) {
        const DrawingTools tools(dc, PS_DASHDOTDOT, 1, kCropFrame, false, brush, R2_NOTXORPEN);
        Rectangle(dc, start.x, start.y, end.x, end.y);
    } else if (tool == ToolNumber::kLine) {
        const DrawingTools tools(dc, PS_SOLID, a.penWidth, pen, false, brush, R2_NOTXORPEN);
        Line(dc, start, end);
    } else {
        const DrawingTools tools(dc, static_cast<int>(a.lineStyle), a.penWidth, pen, a.fill, brush, R2_NOTXORPEN);
        DrawShape(dc, a.shape, start, end);
    }
    bandShown_ = !bandShown_;
}

void PaintCommands::PaintWhileDragging(TChildWin& document, Point at) {
    const ToolNumber tool = paint_.ChosenTool();
    if (tool == ToolNumber::kPick) PickColour(document, at);
    if (tool != ToolNumber::kBrush && tool != ToolNumber::kFill) return;
    document.Modified = true;
    Paint(document, paint_.CurrentStroke().start, at);
}

void PaintCommands::Paint(TChildWin& document, Point start, Point end) {
    const ToolNumber tool = paint_.ChosenTool();
    if (tool == ToolNumber::kPick) {
        PickColour(document, end);
        return;
    }
    if (tool == ToolNumber::kCrop) {
        Crop(document, start, end);
        return;
    }
    const Point s = OnPicture(document, start);
    const Point e = OnPicture(document, end);
    if (tool == ToolNumber::kText) {
        if (placeText_) placeText_(document, e.x & 0xFFFF, e.y & 0xFFFF);
        return;
    }
    if (tool != ToolNumber::kBrush && tool != ToolNumber::kLine && tool != ToolNumber::kFill &&
        tool != ToolNumber::kShape)
        return;
    const std::shared_ptr<forms::DibSection>& picture = document.Image1.Picture();
    const DrawingAttributes a = Attributes();
    const bool left = paint_.CurrentStroke().button == 0;
    const Color pen = left ? paint_.FgColor() : paint_.BgColor();
    const Color brush = left ? paint_.BgColor() : paint_.FgColor();
    {
        const forms::DibCanvas canvas(*picture);
        const HDC dc = canvas.dc();
        switch (tool) {
        case ToolNumber::kBrush: {
            const DrawingTools tools(dc, PS_SOLID, a.penWidth, pen, a.fill, brush, R2_COPYPEN);
            Line(dc, brushLast_, e);
            break;
        }
        case ToolNumber::kLine: {
            const DrawingTools tools(dc, PS_SOLID, a.penWidth, pen, a.fill, brush, R2_COPYPEN);
            Line(dc, s, e);
            break;
        }
        case ToolNumber::kFill:
            if (a.fill) {
                const DrawingTools tools(dc, PS_SOLID, a.penWidth, pen, true, brush, R2_COPYPEN);
                ExtFloodFill(dc, e.x, e.y, Ref(pen), FLOODFILLSURFACE);
            }
            break;
        default: {
            const DrawingTools tools(dc, static_cast<int>(a.lineStyle), a.penWidth, pen, a.fill, brush, R2_COPYPEN);
            DrawShape(dc, a.shape, s, e);
            break;
        }
        }
    }
    if (tool == ToolNumber::kBrush) {
        // A stroke on a large picture keeps up: only the segment is painted again.
        RepaintPictureBox(document, brushLast_, e, a.penWidth);
        brushLast_ = e;
    } else {
        document.Image1.Repaint();
    }
}

void PaintCommands::RepaintPictureBox(TChildWin& document, Point a, Point b, int margin) {
    const Size view = document.ViewSize();
    const Size picture = document.PictureSize();
    if (picture.width <= 0 || picture.height <= 0) return;
    const auto toView = [](int v, int viewSide, int pictureSide) {
        return static_cast<int>(static_cast<long long>(v) * viewSide / pictureSide);
    };
    const int grow = margin + 2;
    RECT r{toView(std::min(a.x, b.x) - grow, view.width, picture.width),
           toView(std::min(a.y, b.y) - grow, view.height, picture.height),
           toView(std::max(a.x, b.x) + grow + 1, view.width, picture.width) + 1,
           toView(std::max(a.y, b.y) + grow + 1, view.height, picture.height) + 1};
    InvalidateRect(document.Image1.Handle(), &r, FALSE);
}

void PaintCommands::PickColour(TChildWin& document, Point at) {
    const Point p = OnPicture(document, at);
    const std::shared_ptr<forms::DibSection>& picture = document.Image1.Picture();
    if (p.x < 0 || p.y < 0 || p.x >= picture->Width() || p.y >= picture->Height()) return;
    GdiFlush();
    const Color c = picture->View().Pixel(p.x, p.y);
    if (paint_.CurrentStroke().button == 0) {
        host_.SetFgColor(c);
    } else {
        host_.SetBgColor(c);
    }
}

void PaintCommands::Crop(TChildWin& document, Point start, Point end) {
    const CropBox box = CropRectangle(OnPicture(document, start), OnPicture(document, end), document.PictureSize());
    if (box.Empty()) {
        document.Image1.Repaint();
        return;
    }
    const std::shared_ptr<forms::DibSection>& picture = document.Image1.Picture();
    GdiFlush();
    const Size size = box.Result();
    auto cropped = std::make_shared<forms::DibSection>(size.width, size.height);
    const ConstPixelView from = std::as_const(*picture).View();
    const PixelView to = cropped->View();
    for (int y = 0; y < size.height; ++y)
        std::copy_n(from.Row(box.top + y) + 3 * box.left, 3 * static_cast<std::size_t>(size.width), to.Row(y));
    document.SetPicture(std::move(cropped), FrameKind::kStandard);
    document.Image1.Repaint();
}

void PaintCommands::Zoom(TChildWin& document, bool enlarge) {
    document.SetViewSize(ZoomStep(document.ViewSize(), host_.ProgramSettings().ZoomConst, enlarge));
}

void PaintCommands::DrawToolShape(const ToolShape& shape) {
    TChildWin* document = host_.ActiveImageDocument();
    if (!document || !document->Image1.Picture()) return;
    document->TakeUndoSnapshot();
    document->Modified = true;
    const DrawingAttributes a = Attributes();
    {
        const forms::DibCanvas canvas(*document->Image1.Picture());
        const HDC dc = canvas.dc();
        const DrawingTools tools(dc, static_cast<int>(a.lineStyle), a.penWidth, paint_.FgColor(), a.fill,
                                 paint_.BgColor(), R2_COPYPEN);
        switch (shape.kind) {
        case ToolShape::Kind::kEllipse:
            Ellipse(dc, shape.a.x - shape.b.x, shape.a.y - shape.b.y, shape.a.x + shape.b.x, shape.a.y + shape.b.y);
            break;
        case ToolShape::Kind::kRectangle: Rectangle(dc, shape.a.x, shape.a.y, shape.b.x, shape.b.y); break;
        case ToolShape::Kind::kLine: Line(dc, shape.a, shape.b); break;
        case ToolShape::Kind::kPoint: SetPixelV(dc, shape.a.x, shape.a.y, Ref(paint_.FgColor())); break;
        }
    }
    document->Image1.Repaint();
    host_.UpdateMenuItems();
}

}  // namespace kelbo
