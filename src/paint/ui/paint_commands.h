// The painting tools: the tool chosen on tool bar 2, the strokes over a
// document's view, the tools window and its menu item. Rubber bands are drawn
// with NOT-XOR on the view itself, never into the picture; what a tool
// paints goes through GDI onto the document's DIB section.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "paint/paint_tools.h"
#include "paint/ui/paint_host.h"
#include "paint/ui/tools_win.h"

namespace kelbo {

class PaintCommands : public CommandModule {
public:
    // The text tool's dialog: shows it for the picture position (x, y) and
    // draws the text on "O&K"; true when it drew.
    using PlaceText = std::function<bool(TChildWin& document, int x, int y)>;

    PaintCommands(CommandHost& host, PaintHost& paint, PlaceText placeText);
    ~PaintCommands() override;

    std::vector<WindowStep> Windows() override;
    void PointerOverFrame() override;
    void DocumentClosed(TChildWin& document) override;
    void ViewPointer(TChildWin& document, const ViewPointerEvent& event) override;
    void ColorsChanged() override;

    TToolsWin* ToolsWin() const { return toolsWin_.get(); }
    // Draws a shape of the "Útvar" page on the active document.
    void DrawToolShape(const ToolShape& shape);

private:
    void ToolChosen();
    void ToolsWindowClick();
    void ShowToolsWindow(bool show);
    void Press(TChildWin& document, Point at, int button);
    void Move(TChildWin& document, Point at);
    void Release(TChildWin& document, Point at, int button);
    // The tool's outline in view coordinates, NOT-XOR on the view: drawn
    // once shows it, twice takes it away.
    void RubberBand(TChildWin& document, Point start, Point end);
    // What the tool leaves on the picture, in picture coordinates.
    void Paint(TChildWin& document, Point start, Point end);
    void PaintWhileDragging(TChildWin& document, Point at);
    void Crop(TChildWin& document, Point start, Point end);
    void Zoom(TChildWin& document, bool enlarge);
    void PickColour(TChildWin& document, Point at);
    // Invalidates the view over the picture box spanned by a and b, widened by margin.
    void RepaintPictureBox(TChildWin& document, Point a, Point b, int margin);
    DrawingAttributes Attributes() const;
    Point OnPicture(TChildWin& document, Point view) const;

    CommandHost& host_;
    PaintHost& paint_;
    PlaceText placeText_;
    std::unique_ptr<TToolsWin> toolsWin_;
    TChildWin* strokeDocument_ = nullptr;
    Point brushLast_;         // where the brush's pen rests, on the picture
    bool bandShown_ = false;  // a rubber band is on the view
};

}  // namespace kelbo
