#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fstream>
#include <new>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

#include "core/text_encoding.h"

namespace kelbo {
namespace {

namespace fs = std::filesystem;

FileError OpenError(const fs::path& path, const std::string& why) {
    return FileError("Cannot open file " + PathToUtf8(path) + (why.empty() ? "" : ": " + why), path);
}

FileError CreateError(const fs::path& path, const std::string& why) {
    return FileError("Cannot create file " + PathToUtf8(path) + (why.empty() ? "" : ": " + why), path);
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

std::string Reason(int error) { return std::generic_category().message(error); }

// Links in the last component, followed to the end: the rename has to
// replace the file the chain ends in, and the links stay links.
fs::path FollowLinks(const fs::path& path) {
    fs::path real = path;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(real, ec))) return real;
        if (hops == 40) {
            throw CreateError(path, std::make_error_code(std::errc::too_many_symbolic_link_levels).message());
        }
        const fs::path next = fs::read_symlink(real, ec);
        if (ec) throw CreateError(path, ec.message());
        real = next.is_absolute() ? next : real.parent_path() / next;
    }
}

// Short whatever the target's name, so a name near the length limit can
// still be saved. Guessing it gains nothing: it is only ever created anew.
fs::path TempName() {
    thread_local std::mt19937 engine{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = ".kelbo-";
    std::uint32_t bits = engine();
    for (int i = 0; i < 8; ++i, bits >>= 4) name += kHex[bits & 15];
    return fs::path(name + ".tmp");
}

#ifndef _WIN32
// The rename lives in the directory. The file is in place by now whatever
// happens here, so a failure (some file systems cannot sync a directory at
// all) is not reported as a failed save.
void SyncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    while (::fsync(fd) != 0 && errno == EINTR) {
    }
    ::close(fd);
}
#endif

FileSystemCalls& RealCalls() {
    static FileSystemCalls real;
    return real;
}

// Null for the real calls.
std::atomic<FileSystemCalls*> installedCalls{nullptr};

FileSystemCalls& InstalledCalls() {
    FileSystemCalls* calls = installedCalls.load(std::memory_order_acquire);
    return calls ? *calls : RealCalls();
}

}  // namespace

#ifdef _WIN32
int FileSystemCalls::OpenNew(const fs::path& path) {
    int fd = -1;
    const errno_t error = _wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                    _SH_DENYWR, _S_IREAD | _S_IWRITE);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return fd;
}
long FileSystemCalls::Write(int fd, const std::uint8_t* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
int FileSystemCalls::Seek(int fd, std::uint64_t offset) {
    return _lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0 ? -1 : 0;
}
int FileSystemCalls::Sync(int fd) { return _commit(fd); }
int FileSystemCalls::Close(int fd) { return _close(fd); }
#else
int FileSystemCalls::OpenNew(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long FileSystemCalls::Write(int fd, const std::uint8_t* data, std::size_t size) {
    return ::write(fd, data, std::min<std::size_t>(size, std::size_t{1} << 30));
}
int FileSystemCalls::Seek(int fd, std::uint64_t offset) {
    return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0 ? -1 : 0;
}
int FileSystemCalls::Sync(int fd) { return ::fsync(fd); }
int FileSystemCalls::Close(int fd) { return ::close(fd); }
#endif

std::error_code FileSystemCalls::Rename(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec;
}

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls& calls)
    : previous_(installedCalls.exchange(&calls, std::memory_order_acq_rel)) {}

ScopedFileSystemCalls::~ScopedFileSystemCalls() { installedCalls.store(previous_, std::memory_order_release); }

std::vector<std::uint8_t> ReadFileBytes(const fs::path& path) {
    FilePrefix all = ReadFilePrefix(path, static_cast<std::size_t>(-1));
    return std::move(all.bytes);
}

FilePrefix ReadFilePrefix(const fs::path& path, std::size_t maxBytes) {
    FileReader file(path);
    FilePrefix prefix;
    prefix.fileSize = file.Size();
    const std::uint64_t wanted = std::min<std::uint64_t>(prefix.fileSize, maxBytes);
    try {
        prefix.bytes.resize(static_cast<std::size_t>(wanted));
    } catch (const std::bad_alloc&) {
        throw OpenError(path, "not enough memory");
    } catch (const std::length_error&) {
        throw OpenError(path, "file too large");
    }
    prefix.bytes.resize(file.Read(prefix.bytes));  // the file shrank meanwhile
    return prefix;
}

FileReader::FileReader(const fs::path& path) : path_(path) {
    CheckRegularFile(path);
    in_.open(path, std::ios::binary);
    if (!in_) throw OpenError(path, "");
    size_ = SizeOf(path);
}

std::size_t FileReader::Read(std::span<std::uint8_t> bytes) {
    if (bytes.empty() || in_.eof()) return 0;
    in_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const std::streamsize got = in_.gcount();
    if (got < 0 || (static_cast<std::size_t>(got) != bytes.size() && !in_.eof())) throw OpenError(path_, "read error");
    return static_cast<std::size_t>(got);
}

std::size_t FileReader::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    if (!in_) throw OpenError(path_, "seek error");
    return Read(bytes);
}

AtomicFileWriter::AtomicFileWriter(const fs::path& path)
    : path_(path), real_(FollowLinks(path)), calls_(InstalledCalls()) {
    std::error_code ec;
    const fs::file_status existing = fs::status(real_, ec);
    if (fs::is_directory(existing)) throw CreateError(path_, "it is a directory");
    if (fs::is_regular_file(existing)) {
        // Renaming over a file replaces it whatever its own permissions say (and
        // a privileged user may write anything), so a file marked read-only is
        // refused here rather than silently replaced.
        if ((existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
            throw CreateError(path_, "the file is read-only");
        }
        oldPerms_ = existing.permissions();
    }
    // O_EXCL never opens what is already there, a planted link included.
    const fs::path dir = real_.parent_path();
    for (int attempt = 1;; ++attempt) {
        temp_ = dir / TempName();
        fd_ = calls_.OpenNew(temp_);
        if (fd_ >= 0) return;
        const int error = errno;
        if (error != EEXIST || attempt == 100) {
            temp_.clear();
            throw CreateError(path_, Reason(error));
        }
    }
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) throw std::logic_error("AtomicFileWriter used after Commit or a failure");
    const std::uint8_t* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const long done = calls_.Write(fd_, data, left);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) Fail(Reason(errno));
        if (done == 0) Fail(Reason(EIO));
        data += done;
        left -= static_cast<std::size_t>(done);
    }
}

void AtomicFileWriter::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) throw std::logic_error("AtomicFileWriter used after Commit or a failure");
    if (calls_.Seek(fd_, offset) != 0) Fail(Reason(errno));
    Write(bytes);
}

void AtomicFileWriter::Commit() {
    if (fd_ < 0) throw std::logic_error("AtomicFileWriter used after Commit or a failure");
#ifdef _WIN32
        // The CRT shows nothing of a file's permissions but the read-only
        // attribute, and a read-only target was refused, so the new file is
        // already what the old one was: writable.
#else
    // The access bits only: a set-user-ID bit carried over to a file that now
    // belongs to whoever saved it would hand out that user's rights.
    if (oldPerms_ != fs::perms::unknown &&
        ::fchmod(fd_, static_cast<mode_t>(
                          oldPerms_ & (fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all))) != 0) {
        Fail(Reason(errno));
    }
#endif
    while (calls_.Sync(fd_) != 0) {
        if (errno != EINTR) Fail(Reason(errno));
    }
    if (calls_.Close(std::exchange(fd_, -1)) != 0) Fail(Reason(errno));
    if (const std::error_code ec = calls_.Rename(temp_, real_)) Fail(ec.message());
    temp_.clear();
#ifndef _WIN32
    SyncDirectory(real_.parent_path());
#endif
}

void AtomicFileWriter::Fail(const std::string& why) {
    Discard();
    throw CreateError(path_, why);
}

void AtomicFileWriter::Discard() noexcept {
    if (fd_ >= 0) calls_.Close(std::exchange(fd_, -1));
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
}

namespace {}  // namespace

BlockFileWriter::BlockFileWriter(const fs::path& path) : file_(path) { block_.reserve(kFileBlockBytes); }

void BlockFileWriter::Write(std::span<const std::uint8_t> piece) {
    if (block_.size() + piece.size() > kFileBlockBytes) {
        file_.Write(block_);
        block_.clear();
    }
    if (piece.size() > kFileBlockBytes) return file_.Write(piece);
    block_.insert(block_.end(), piece.begin(), piece.end());
}

void BlockFileWriter::Commit() {
    file_.Write(block_);
    file_.Commit();
}

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    writer.Commit();
}

}  // namespace kelbo
