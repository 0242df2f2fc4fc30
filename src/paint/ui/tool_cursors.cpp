#include "paint/ui/tool_cursors.h"

#include <array>

namespace kelbo {

HCURSOR ToolCursor(ToolNumber tool) {
    // The resource of each tool 0 … 8: the program's table puts resources
    // 1 … 9 at the pointer indexes -2, 2, 4, 5, 6, 3, 7, 8, 9 and the tools
    // take the indexes -2, 2, 3, 4, 5, 6, 7, 8, 9.
    static constexpr std::array<int, 9> kResource = {1, 2, 6, 3, 4, 5, 7, 8, 9};
    static const std::array<HCURSOR, 9> cursors = [] {
        std::array<HCURSOR, 9> loaded{};
        const HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const HCURSOR own = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kResource[i]));
            loaded[i] = own ? own : arrow;
        }
        return loaded;
    }();
    const auto index = static_cast<std::size_t>(tool);
    return index < cursors.size() ? cursors[index] : cursors[0];
}

}  // namespace kelbo
