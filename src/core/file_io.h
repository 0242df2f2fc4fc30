#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>
#include <system_error>
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

// At most `maxBytes` from the start of the file, and the file's full size,
// for cheap header reads. Throws FileError.
struct FilePrefix {
    std::vector<std::uint8_t> bytes;
    std::uint64_t fileSize = 0;
};
FilePrefix ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

// A file read from its start in pieces, so a large one need not be held
// whole. Every FileError names the file and says why.
class FileReader {
public:
    // Refuses a directory and a missing file. Throws FileError.
    explicit FileReader(const std::filesystem::path& path);
    // The size when the file was opened.
    std::uint64_t Size() const { return size_; }
    // Fills `bytes` from where the last read ended and returns how many it
    // got: fewer only at the end of the file. Throws FileError.
    std::size_t Read(std::span<std::uint8_t> bytes);
    // The same from `offset`; later Reads go on from where this one ended.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

private:
    std::filesystem::path path_;
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

// The system calls AtomicFileWriter makes, so that a test can make any of
// them fail or fall short. Each answers as the call it stands for does: -1
// with errno set (Rename: the error). The real calls unless a
// ScopedFileSystemCalls is installed; a writer keeps the ones it was made
// with. Reading files never goes through here.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    // A file made anew, never one already there: a descriptor, or -1.
    virtual int OpenNew(const std::filesystem::path& path);
    // At most `size` bytes: how many were written, or -1.
    virtual long Write(int fd, const std::uint8_t* data, std::size_t size);
    // Moves the position the next Write starts at: 0, or -1.
    virtual int Seek(int fd, std::uint64_t offset);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual std::error_code Rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

// Puts `calls` in place of the current ones while it lives. For tests: the
// writers made meanwhile, on any thread, use them, so they must be gone
// before it is.
class ScopedFileSystemCalls {
public:
    explicit ScopedFileSystemCalls(FileSystemCalls& calls);
    ~ScopedFileSystemCalls();
    ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
    ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

private:
    FileSystemCalls* previous_;
};

// Writes a file in pieces, atomically: the pieces go to a new temporary
// file beside `path` (beside the file it links to, if it is a symbolic
// link), and Commit() puts that file in place of the old one with the old
// one's permissions. A writer destroyed without Commit(), or a failure of any
// step, removes the temporary file and leaves any old file untouched. Every
// FileError names `path` and gives the system's reason.
class AtomicFileWriter {
public:
    // Refuses a directory and a read-only file. Throws FileError.
    explicit AtomicFileWriter(const std::filesystem::path& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // All of `bytes`, however little each system write takes. Throws FileError.
    void Write(std::span<const std::uint8_t> bytes);
    // The same from byte `offset` of the file on (a gap reads as zeros);
    // the next Write follows these bytes.
    void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Flushes the data to the disk and renames the temporary file over the
    // target. Call once; throws FileError.
    void Commit();

private:
    [[noreturn]] void Fail(const std::string& why);
    void Discard() noexcept;

    std::filesystem::path path_;  // as the caller named it
    std::filesystem::path real_;  // the file that gets replaced
    std::filesystem::path temp_;
    std::filesystem::perms oldPerms_ = std::filesystem::perms::unknown;
    FileSystemCalls& calls_;
    int fd_ = -1;
};

// The size of the blocks files are read and written in.
inline constexpr std::size_t kFileBlockBytes = std::size_t{1} << 20;

// AtomicFileWriter with the pieces gathered into blocks of about a megabyte,
// so that a writer may hand over rows or a few bytes at a time and still
// make a few large writes.
class BlockFileWriter {
public:
    explicit BlockFileWriter(const std::filesystem::path& path);
    void Write(std::span<const std::uint8_t> piece);
    // Writes what is gathered, then AtomicFileWriter::Commit.
    void Commit();

private:
    AtomicFileWriter file_;
    std::vector<std::uint8_t> block_;
};

// The whole file through AtomicFileWriter.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace kelbo
