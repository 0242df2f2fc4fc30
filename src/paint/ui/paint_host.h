// What the painting tools need from the main window beyond the command host:
// the current tool, the stroke state and the two colours.
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
    virtual void SetFgColor(Color color) = 0;
    virtual void SetBgColor(Color color) = 0;
    // The main window's colour dialog for the foreground or background colour.
    virtual void ChooseColor(bool foreground) = 0;
};

}  // namespace kelbo
