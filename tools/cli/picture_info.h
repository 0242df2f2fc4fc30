#pragma once

#include <optional>
#include <string>

#include "commands.h"

namespace kelbo::cli {

// The JPEG and icon parts of `info`, like RunGifInfo: for a file of that
// kind (by its first bytes) print its fields and return the exit code; for
// any other file (or one that cannot be opened) return nullopt.
std::optional<int> RunJpegInfo(const std::string& name, CommandIo& io);
std::optional<int> RunIconInfo(const std::string& name, CommandIo& io);

}  // namespace kelbo::cli
