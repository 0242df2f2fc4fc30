#include "app/tools.h"

namespace kelbo {

std::optional<ToolNumber> ToolOfButton(unsigned command) {
    switch (command) {
    case ArrowButton: return ToolNumber::kArrow;
    case ZoomButton: return ToolNumber::kZoom;
    case PickButton: return ToolNumber::kPick;
    case PenButton: return ToolNumber::kBrush;
    case LineButton: return ToolNumber::kLine;
    case FillButton: return ToolNumber::kFill;
    case ShapeButton: return ToolNumber::kShape;
    case TextButton: return ToolNumber::kText;
    case CropButton: return ToolNumber::kCrop;
    default: return std::nullopt;
    }
}

}  // namespace kelbo
