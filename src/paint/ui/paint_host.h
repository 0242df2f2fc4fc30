// What the painting tools need from the main window beyond the command host
// (which sets the colours): the current tool, the stroke state, the colours.
#pragma once

#include <cstdint>

#include "app/tools.h"
#include "core/color.h"
#include "core/geometry.h"

namespace kelbo {

// A drag over a document's view, in view coordinates.
struct PaintStroke {
    bool inProgress = false;
    Point start, last;
    std::uint8_t button = 0;  // 0 left, 1 right
};

class PaintHost {
public:
    virtual ~PaintHost() = default;
    virtual ToolNumber ChosenTool() const = 0;
    virtual PaintStroke& CurrentStroke() = 0;
    virtual Color FgColor() const = 0;
    virtual Color BgColor() const = 0;
    // The main window's colour dialog for the foreground or background colour.
    virtual void ChooseColor(bool foreground) = 0;
};

}  // namespace kelbo
