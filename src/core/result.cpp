#include "core/result.h"

namespace kelbo {

const char* FailureKindName(FailureKind kind) {
    switch (kind) {
    case FailureKind::kIo: return "input/output error";
    case FailureKind::kWrongFormat: return "wrong format";
    case FailureKind::kTruncated: return "truncated";
    case FailureKind::kInvalid: return "invalid";
    case FailureKind::kUnsupported: return "unsupported";
    }
    return "unknown";
}

}  // namespace kelbo
