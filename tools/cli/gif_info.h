#pragma once

#include <optional>
#include <string>

#include "commands.h"

namespace kelbo::cli {

// The GIF part of `info`: for a file that starts with "GIF", prints its
// fields and returns the exit code; for any other file (or one that cannot
// be opened) returns nullopt and leaves the file to the other readers.
std::optional<int> RunGifInfo(const std::string& name, CommandIo& io);

}  // namespace kelbo::cli
