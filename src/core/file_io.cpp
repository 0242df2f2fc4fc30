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

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const fs::path temp = AtomicTempPath(path);
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw CreateError(path, "it is a directory");
  // Renaming over a file replaces it whatever its own permissions say (and a
  // privileged user may write anything), so a file marked read-only is
  // refused here rather than silently replaced.
  const fs::file_status existing = fs::status(path, ec);
  if (!ec && fs::is_regular_file(existing) &&
      (existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
    throw CreateError(path, "the file is read-only");
  }
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw CreateError(path, "cannot write " + PathToUtf8(temp));
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temp, ec);
      throw CreateError(path, "write error (disk full?)");
    }
  }
  fs::rename(temp, path, ec);
  if (ec) {
    const std::string why = ec.message();
    fs::remove(temp, ec);
    throw CreateError(path, why);
  }
}

}  // namespace kelbo
