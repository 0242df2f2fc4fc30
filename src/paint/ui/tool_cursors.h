// The pointers of the painting tools, loaded once from the program's cursor
// resources; the standard arrow where a tool has none.
#pragma once

#include <windows.h>

#include "app/tools.h"

namespace kelbo {

HCURSOR ToolCursor(ToolNumber tool);

}  // namespace kelbo
