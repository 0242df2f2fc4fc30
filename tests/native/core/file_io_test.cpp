#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <string>

#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

namespace fs = std::filesystem;
using Contents = std::map<std::string, std::string>;
using testing::DirectoryContents;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

TEST(ReadFileBytes, ReadsTheWholeFile) {
    TempDir dir;
    WriteRaw(dir / "a.bin", std::string("\x00\x01\xFFxyz", 6));
    const auto bytes = ReadFileBytes(dir / "a.bin");
    ASSERT_EQ(bytes.size(), 6u);
    EXPECT_EQ(bytes[2], 0xFF);
}

TEST(ReadFileBytes, MissingFileAndDirectoryGiveFileError) {
    TempDir dir;
    try {
        ReadFileBytes(dir / "missing.bin");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file ", 0), 0u) << e.what();
        EXPECT_EQ(e.Path(), dir / "missing.bin");
    }
    EXPECT_THROW(ReadFileBytes(dir.Path()), FileError);
}

TEST(ReadFilePrefix, StopsEarlyAndReportsTheFullSize) {
    TempDir dir;
    WriteRaw(dir / "a.bin", "0123456789");
    const FilePrefix prefix = ReadFilePrefix(dir / "a.bin", 4);
    EXPECT_EQ(prefix.fileSize, 10u);
    EXPECT_EQ(std::string(prefix.bytes.begin(), prefix.bytes.end()), "0123");
    EXPECT_EQ(ReadFilePrefix(dir / "a.bin", 100).bytes.size(), 10u);
}

TEST(WriteFileAtomically, CreatesAndReplacesWithoutLeavingTheTemporaryFile) {
    TempDir dir;
    const std::string first = "first";
    WriteFileAtomically(dir / "out.bin", std::span(reinterpret_cast<const std::uint8_t*>(first.data()), first.size()));
    EXPECT_EQ(ReadRaw(dir / "out.bin"), "first");
    const std::string second = "2";
    WriteFileAtomically(dir / "out.bin",
                        std::span(reinterpret_cast<const std::uint8_t*>(second.data()), second.size()));
    EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{"out.bin", "2"}}));
}

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Writes past 4 bytes fail with EFBIG, as root too, while this lives.
struct FourByteFiles {
    rlimit old{};
    FourByteFiles() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit four{4, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &four);
    }
    ~FourByteFiles() { setrlimit(RLIMIT_FSIZE, &old); }
};

TEST(WriteFileAtomically, FailureNamesTheFileGivesTheReasonAndLeavesTheDirectoryAsItWas) {
    TempDir dir;
    WriteRaw(dir / "out.bin", "old");
    WriteRaw(dir / "ro.bin", "old");
    fs::permissions(dir / "ro.bin", fs::perms::owner_read);
    fs::create_symlink("loop", dir / "loop");
    const Contents before = DirectoryContents(dir.Path());
    const std::pair<fs::path, std::string> cases[] = {{dir / "out.bin", std::strerror(EFBIG)},
                                                      {dir / "no" / "out.bin", std::strerror(ENOENT)},
                                                      {dir / "loop", std::strerror(ELOOP)},
                                                      {dir / "ro.bin", "the file is read-only"}};
    for (const auto& [target, reason] : cases) {
        std::string message = "no error";
        try {
            const FourByteFiles limit;
            WriteFileAtomically(target, Bytes("new and longer"));
        } catch (const FileError& e) {
            message = e.what();
        }
        EXPECT_EQ(message, "Cannot create file " + PathToUtf8(target) + ": " + reason);
        EXPECT_EQ(DirectoryContents(dir.Path()), before);
    }
}

TEST(WriteFileAtomically, PlantedLinksLongNamesAndLinkChains) {
    TempDir dir;
    WriteRaw(dir / "victim", "secret");
    fs::create_symlink("victim", dir / "out.bin.kelbo-tmp");  // the old fixed temporary name
    fs::create_directory(dir / "links");
    fs::create_symlink("../pic.bmp", dir / "links" / "b");
    fs::create_symlink(dir / "links" / "b", dir / "links" / "a");
    fs::create_symlink("../new.bmp", dir / "links" / "dangling");
    const Contents links = DirectoryContents(dir / "links");
    const std::string longName = std::string(246, 'n') + ".bmp";
    const std::pair<fs::path, std::string> saves[] = {{dir / "out.bin", "1"},
                                                      {dir / longName, "2"},
                                                      {dir / "pic.bmp", "old"},
                                                      {dir / "links" / "a", "3"},
                                                      {dir / "links" / "dangling", "4"}};
    for (const auto& [target, text] : saves) WriteFileAtomically(target, Bytes(text));
    EXPECT_EQ(DirectoryContents(dir / "links"), links);
    EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{"links", "/"},
                                                       {"new.bmp", "4"},
                                                       {longName, "2"},
                                                       {"out.bin", "1"},
                                                       {"out.bin.kelbo-tmp", "-> victim"},
                                                       {"pic.bmp", "3"},
                                                       {"victim", "secret"}}));
}

TEST(WriteFileAtomically, TheReplacedFilesAccessBitsCarryOverAndANewFileGetsTheDefault) {
    TempDir dir;
    const mode_t umaskBefore = ::umask(027);
    const std::pair<int, int> cases[] = {{0600, 0600}, {0705, 0705}, {04755, 0755}, {-1, 0640}};
    for (const auto& [before, after] : cases) {
        if (before >= 0) {
            WriteRaw(dir / "f", "old");
            fs::permissions(dir / "f", fs::perms(before));
        }
        WriteFileAtomically(dir / "f", Bytes("new"));
        EXPECT_EQ(fs::status(dir / "f").permissions(), fs::perms(after)) << std::oct << before;
        fs::remove(dir / "f");
    }
    ::umask(umaskBefore);
}

TEST(AtomicFileWriter, PiecesReplaceTheFileOnlyOnCommit) {
    TempDir dir;
    { AtomicFileWriter(dir / "f").Write(Bytes("lost")); }
    AtomicFileWriter writer(dir / "f");
    for (const char* piece : {"ab", "", "cd"}) writer.Write(Bytes(piece));
    writer.Commit();
    EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{"f", "abcd"}}));
}

TEST(WriteFileAtomically, MissingDirectoryOrDirectoryTargetFails) {
    TempDir dir;
    const std::string text = "x";
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    EXPECT_THROW(WriteFileAtomically(dir / "no" / "such" / "dir.bin", bytes), FileError);
    std::filesystem::create_directory(dir / "sub");
    EXPECT_THROW(WriteFileAtomically(dir / "sub", bytes), FileError);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
}

TEST(WriteFileAtomically, AReadOnlyFileIsRefusedAndKept) {
    TempDir dir;
    const auto target = dir / "chraneny.bin";
    WriteRaw(target, "old");
    namespace fs = std::filesystem;
    fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string text = "new";
    EXPECT_THROW(
        WriteFileAtomically(target, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())),
        FileError);
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadRaw(target), "old");
    EXPECT_EQ(DirectoryContents(dir.Path()).size(), 1u);
}

}  // namespace
}  // namespace kelbo
