#include "browser/input_watch.h"

#include <cstdlib>

namespace kelbo {

Point MessagePoint(std::uint32_t param) {
    return {static_cast<std::int16_t>(param & 0xFFFF), static_cast<std::int16_t>(param >> 16)};
}

bool InputClosesView(std::uint32_t message, Point start, Point now, ViewKeys keys) {
    switch (static_cast<WatchedMessage>(message)) {
    case WatchedMessage::kKeyDown:
    case WatchedMessage::kKeyUp: return keys == ViewKeys::kClose;
    case WatchedMessage::kMouseMove: return std::abs(now.x - start.x) > 5 || std::abs(now.y - start.y) > 5;
    case WatchedMessage::kActivate:
    case WatchedMessage::kActivateApp:
    case WatchedMessage::kNcActivate:
    case WatchedMessage::kSysKeyDown:
    case WatchedMessage::kSysKeyUp:
    case WatchedMessage::kLButtonDown:
    case WatchedMessage::kRButtonDown:
    case WatchedMessage::kMButtonDown: return true;
    }
    return false;
}

}  // namespace kelbo
