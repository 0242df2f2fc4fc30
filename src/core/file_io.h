#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
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

// Writes a file piece by piece into a temporary file beside it, renamed over
// it by Commit(), so a writer need not hold the whole file in memory. Until
// Commit() succeeds nothing at `path` changes; a writer destroyed without
// it (an exception on the way) removes the temporary file. Every failure
// throws FileError naming `path`.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void Write(std::span<const std::uint8_t> bytes);
  void Commit();

 private:
  std::filesystem::path path_;
  std::filesystem::path temp_;
  std::ofstream out_;
  bool done_ = false;
};

// The whole file through an AtomicFileWriter: on failure any old file at
// `path` is untouched.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace kelbo
