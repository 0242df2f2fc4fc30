// The class identifier of the context-menu extension, shared by KelboMenu.dll
// and the main program's first-run setup. Never change it: registrations made
// by earlier installations name it.
#pragma once

#include <cstdint>

namespace kelbo::shellext {

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

inline constexpr Guid kContextMenuClsid = {
    0x64e4780e, 0x1894, 0x4ba0, {0x83, 0x03, 0xb3, 0x74, 0x2f, 0x02, 0x68, 0x81}};

// Braced, lower-case hexadecimal: the form the main program writes.
inline constexpr char kContextMenuClsidText[] = "{64e4780e-1894-4ba0-8303-b3742f026881}";

inline constexpr char kContextMenuDescription[] = "Kelbo 2.0 Context Menu library";

}  // namespace kelbo::shellext
