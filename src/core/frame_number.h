// The number in the names of a series of pictures: k in decimal with a "0"
// in front when k < 10 ("00" ... "09", "10", ...).
#pragma once

#include <string>

namespace kelbo {

inline std::string FrameNumber(int k) { return (k >= 0 && k < 10 ? "0" : "") + std::to_string(k); }

}  // namespace kelbo
