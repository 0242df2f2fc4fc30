#include "core/pixel_format.h"

namespace kelbo {

const char* PixelFormatName(PixelFormat format) {
    switch (format) {
    case PixelFormat::kDevice: return "device-dependent";
    case PixelFormat::k1: return "1 bit";
    case PixelFormat::k4: return "4 bits";
    case PixelFormat::k8: return "8 bits";
    case PixelFormat::k15: return "15 bits (5-5-5)";
    case PixelFormat::k16: return "16 bits (5-6-5)";
    case PixelFormat::k24: return "24 bits";
    case PixelFormat::k32: return "32 bits";
    case PixelFormat::kCustom: return "custom bit fields";
    }
    return "unknown";
}

}  // namespace kelbo
