#include "core/file_io.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <system_error>

#include "core/text_encoding.h"

namespace kelbo {
namespace {

namespace fs = std::filesystem;

FileError OpenError(const fs::path& path, const std::string& why) {
  return FileError("Cannot open file " + PathToUtf8(path) + (why.empty() ? "" : ": " + why), path);
}

FileError CreateError(const fs::path& path, const std::string& why) {
  return FileError("Cannot create file " + PathToUtf8(path) + (why.empty() ? "" : ": " + why),
                   path);
}

// Opening a directory with ifstream succeeds on some platforms; refuse early.
void CheckRegularFile(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) throw OpenError(path, "no such file");
  if (fs::is_directory(status)) throw OpenError(path, "it is a directory");
}

std::uint64_t SizeOf(const fs::path& path) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) throw OpenError(path, ec.message());
  return size;
}

void ReadInto(std::ifstream& in, std::vector<std::uint8_t>& bytes, const fs::path& path) {
  if (bytes.empty()) return;
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  const std::streamsize got = in.gcount();
  if (got < 0 || static_cast<std::size_t>(got) != bytes.size()) {
    if (!in.eof()) throw OpenError(path, "read error");
    bytes.resize(static_cast<std::size_t>(got));  // the file shrank meanwhile
  }
}

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const fs::path& path) {
  FilePrefix all = ReadFilePrefix(path, static_cast<std::size_t>(-1));
  return std::move(all.bytes);
}

FilePrefix ReadFilePrefix(const fs::path& path, std::size_t max_bytes) {
  CheckRegularFile(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw OpenError(path, "");
  FilePrefix prefix;
  prefix.file_size = SizeOf(path);
  const std::uint64_t wanted = std::min<std::uint64_t>(prefix.file_size, max_bytes);
  try {
    prefix.bytes.resize(static_cast<std::size_t>(wanted));
  } catch (const std::bad_alloc&) {
    throw OpenError(path, "not enough memory");
  } catch (const std::length_error&) {
    throw OpenError(path, "file too large");
  }
  ReadInto(in, prefix.bytes, path);
  return prefix;
}

fs::path AtomicTempPath(const fs::path& target) {
  fs::path temp = target;
  temp += ".kelbo-tmp";
  return temp;
}

AtomicFileWriter::AtomicFileWriter(fs::path path)
    : path_(std::move(path)), temp_(AtomicTempPath(path_)) {
  std::error_code ec;
  if (fs::is_directory(path_, ec)) throw CreateError(path_, "it is a directory");
  // Renaming over a file replaces it whatever its own permissions say (and a
  // privileged user may write anything), so a file marked read-only is
  // refused here rather than silently replaced.
  const fs::file_status existing = fs::status(path_, ec);
  if (!ec && fs::is_regular_file(existing) &&
      (existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
    throw CreateError(path_, "the file is read-only");
  }
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_) throw CreateError(path_, "cannot write " + PathToUtf8(temp_));
}

AtomicFileWriter::~AtomicFileWriter() {
  if (done_) return;
  out_.close();
  std::error_code ec;
  fs::remove(temp_, ec);
}

void AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
  out_.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!out_) throw CreateError(path_, "write error (disk full?)");
}

void AtomicFileWriter::Commit() {
  out_.close();
  if (!out_) throw CreateError(path_, "write error (disk full?)");
  std::error_code ec;
  fs::rename(temp_, path_, ec);
  if (ec) throw CreateError(path_, ec.message());
  done_ = true;
}

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  AtomicFileWriter writer(path);
  writer.Write(bytes);
  writer.Commit();
}

}  // namespace kelbo
