// One libFuzzer program per harness; KELBO_FUZZ_HARNESS names it.
#include <cstdio>
#include <cstdlib>

#include "fuzz/harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const kelbo::fuzz::Harness* const harness = kelbo::fuzz::FindHarness(KELBO_FUZZ_HARNESS);
    if (!harness) {
        std::fprintf(stderr, "no harness named %s\n", KELBO_FUZZ_HARNESS);
        std::abort();
    }
    if (size > kelbo::fuzz::kMaxInputBytes) return -1;  // not added to the corpus
    // A HarnessFailure or any undocumented exception escapes: libFuzzer
    // reports it as a crash and keeps the input.
    harness->run(std::span(data, size));
    return 0;
}
