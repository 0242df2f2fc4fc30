#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "help_source.h"

namespace kelbo::hlpc {

// Text Windows-1250 cannot hold, a paragraph too long for a topic block, or
// two context names with the same hash.
class HelpWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// WinHelp's hash of a context name, as |CONTEXT and jumps store it.
std::uint32_t ContextHash(std::string_view name);

// A WinHelp 3.1 file: |SYSTEM (title, contents topic, Central European
// charset), |TOPIC, |CONTEXT, |TTLBTREE and |FONT. Throws HelpWriteError.
std::vector<std::uint8_t> WriteHelpFile(const HelpBook& book);

}  // namespace kelbo::hlpc
