// The fuzzing harnesses: one function per reader, fed arbitrary bytes. Each
// lets every refusal the reader documents pass and throws HarnessFailure for
// anything a reader must never do (a wrong round trip, an undocumented
// exception); memory errors are the sanitizers' to catch. The libFuzzer
// programs and the native tests' replay of kept inputs call the same
// functions, so an input that once failed is checked the same way forever.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace kelbo::fuzz {

class HarnessFailure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// As libjpeg-turbo's own fuzzers bound them: larger inputs are skipped, and
// no harness lets a reader make a picture of more pixels.
inline constexpr std::size_t kMaxInputBytes = std::size_t{1} << 20;
inline constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 20;

struct Harness {
    std::string_view name;       // the fuzzer's and the regression folder's name
    std::string_view extension;  // given to kept inputs, for people opening them
    void (*run)(std::span<const std::uint8_t> data);
};

std::span<const Harness> Harnesses();
// Null when no harness has that name.
const Harness* FindHarness(std::string_view name);

}  // namespace kelbo::fuzz
