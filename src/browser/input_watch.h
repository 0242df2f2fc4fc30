// Which input closes the fast view and the full-screen view while shown.
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace kelbo {

// The messages the watch tells apart, with the system's numbers, so the
// window layer passes a message's number as it is.
enum class WatchedMessage : std::uint32_t {
    kActivate = 0x0006,
    kActivateApp = 0x001C,
    kNcActivate = 0x0086,
    kKeyDown = 0x0100,
    kKeyUp = 0x0101,
    kSysKeyDown = 0x0104,
    kSysKeyUp = 0x0105,
    kMouseMove = 0x0200,
    kLButtonDown = 0x0201,
    kRButtonDown = 0x0204,
    kMButtonDown = 0x0207,
};

// The position a mouse message carries: x in the low 16 bits, y in the high
// 16, each signed (left of and above the main screen is negative).
Point MessagePoint(std::uint32_t param);

// What the keys do in a view: the fast view steps by them (its own key
// handler closes it on the others), the full-screen view closes on any.
enum class ViewKeys { kStep, kClose };

// True when the message closes the view: a mouse movement more than 5
// pixels from `start` (the pointer when the view was shown) in x or in y,
// any activation, a system key, or a button pressed; with kClose any key too.
bool InputClosesView(std::uint32_t message, Point start, Point now, ViewKeys keys = ViewKeys::kStep);

}  // namespace kelbo
