#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelbo {

// A file could not be opened, read or written. The message names the file
// ("Cannot open file ...", "Cannot create file ...") and, where known, why.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& message, std::filesystem::path path)
      : std::runtime_error(message), path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole file. Throws FileError.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// At most `max_bytes` from the start of the file, and the file's full size,
// for cheap header reads. Throws FileError.
struct FilePrefix {
  std::vector<std::uint8_t> bytes;
  std::uint64_t file_size = 0;
};
FilePrefix ReadFilePrefix(const std::filesystem::path& path, std::size_t max_bytes);

// The name of the temporary file WriteFileAtomically writes before renaming:
// beside the target, so the rename never crosses file systems.
std::filesystem::path AtomicTempPath(const std::filesystem::path& target);

// Writes the bytes to a temporary file beside `path`, then renames it over
// `path`. On failure throws FileError, removes the temporary file and leaves
// any old file at `path` untouched.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace kelbo
