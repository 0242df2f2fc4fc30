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
  EXPECT_EQ(prefix.file_size, 10u);
  EXPECT_EQ(std::string(prefix.bytes.begin(), prefix.bytes.end()), "0123");
  EXPECT_EQ(ReadFilePrefix(dir / "a.bin", 100).bytes.size(), 10u);
}

TEST(WriteFileAtomically, CreatesAndReplacesWithoutLeavingTheTemporaryFile) {
  TempDir dir;
  const std::string first = "first";
  WriteFileAtomically(dir / "out.bin",
                      std::span(reinterpret_cast<const std::uint8_t*>(first.data()), first.size()));
  EXPECT_EQ(ReadRaw(dir / "out.bin"), "first");
  const std::string second = "2";
  WriteFileAtomically(
      dir / "out.bin",
      std::span(reinterpret_cast<const std::uint8_t*>(second.data()), second.size()));
  EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{"out.bin", "2"}}));
}

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Writes past `bytes` fail with EFBIG (as root too) while this lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit lower = old_;
    lower.rlim_cur = std::min(bytes, old_.rlim_cur);
    setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, handler_);
  }

 private:
  rlimit old_{};
  void (*handler_)(int);
};

TEST(WriteFileAtomically, FailureNamesTheFileAndLeavesTheDirectoryAsItWas) {
  TempDir dir;
  WriteRaw(dir / "out.bin", "old");
  fs::create_symlink("loop", dir / "loop");
  const Contents before = DirectoryContents(dir.Path());
  const struct {
    fs::path target;
    rlim_t size_limit;
    int reason;
  } cases[] = {{dir / "out.bin", 4, EFBIG}, {dir / "no" / "out.bin", RLIM_INFINITY, ENOENT},
               {dir / "loop", RLIM_INFINITY, ELOOP}};
  for (const auto& c : cases) {
    std::string message = "no error";
    try {
      const FileSizeLimit limit(c.size_limit);
      WriteFileAtomically(c.target, Bytes("new and longer"));
    } catch (const FileError& e) {
      message = e.what();
    }
    EXPECT_EQ(message,
              "Cannot create file " + PathToUtf8(c.target) + ": " + std::strerror(c.reason));
    EXPECT_EQ(DirectoryContents(dir.Path()), before);
  }
}

TEST(WriteFileAtomically, ALinkPlantedAtATemporaryNameIsNeverWrittenThrough) {
  TempDir dir;
  WriteRaw(dir / "victim", "secret");
  fs::create_symlink(dir / "victim", dir / "out.bin.kelbo-tmp");
  WriteFileAtomically(dir / "out.bin", Bytes("new"));
  EXPECT_EQ(DirectoryContents(dir.Path()),
            (Contents{{"out.bin", "new"},
                      {"out.bin.kelbo-tmp", "-> " + (dir / "victim").string()},
                      {"victim", "secret"}}));
}

TEST(WriteFileAtomically, TheReplacedFilesAccessBitsCarryOverAndANewFileGetsTheDefault) {
  TempDir dir;
  const mode_t umask_before = ::umask(027);
  const std::pair<int, int> cases[] = {{0600, 0600}, {0644, 0644}, {0705, 0705}, {04755, 0755}};
  for (const auto& [before, after] : cases) {
    WriteRaw(dir / "f", "old");
    fs::permissions(dir / "f", fs::perms(before));
    WriteFileAtomically(dir / "f", Bytes("new"));
    EXPECT_EQ(fs::status(dir / "f").permissions(), fs::perms(after)) << std::oct << before;
  }
  WriteFileAtomically(dir / "g", Bytes("new"));
  EXPECT_EQ(fs::status(dir / "g").permissions(), fs::perms(0640));
  ::umask(umask_before);
}

TEST(WriteFileAtomically, ANameNearTheLengthLimitSaves) {
  TempDir dir;
  const std::string name = std::string(246, 'n') + ".bmp";
  WriteFileAtomically(dir / name, Bytes("new"));
  EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{name, "new"}}));
}

TEST(WriteFileAtomically, ALinkChainStaysAndItsEndGetsTheBytes) {
  TempDir dir;
  fs::create_directories(dir / "real");
  fs::create_directories(dir / "links");
  WriteRaw(dir / "real" / "pic.bmp", "old");
  fs::create_symlink("../real/pic.bmp", dir / "links" / "b");
  fs::create_symlink(dir / "links" / "b", dir / "links" / "a");
  fs::create_symlink("../real/new.bmp", dir / "links" / "dangling");
  const Contents links = DirectoryContents(dir / "links");
  WriteFileAtomically(dir / "links" / "a", Bytes("new"));
  WriteFileAtomically(dir / "links" / "dangling", Bytes("created"));
  EXPECT_EQ(DirectoryContents(dir / "links"), links);
  EXPECT_EQ(DirectoryContents(dir / "real"),
            (Contents{{"new.bmp", "created"}, {"pic.bmp", "new"}}));
}

TEST(AtomicFileWriter, PiecesReplaceTheFileOnlyOnCommit) {
  TempDir dir;
  WriteRaw(dir / "f", "old");
  { AtomicFileWriter(dir / "f").Write(Bytes("lost")); }
  AtomicFileWriter writer(dir / "f");
  for (const char* piece : {"ab", "", "cd"}) writer.Write(Bytes(piece));
  EXPECT_EQ(DirectoryContents(dir.Path()).size(), 2u);
  EXPECT_EQ(ReadRaw(dir / "f"), "old");
  writer.Commit();
  EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{"f", "abcd"}}));
  EXPECT_THROW(writer.Write(Bytes("x")), std::logic_error);
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
  fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  try {
    WriteFileAtomically(target, Bytes("new"));
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file " + PathToUtf8(target) + ": the file is read-only");
  }
  EXPECT_EQ(DirectoryContents(dir.Path()), (Contents{{"chraneny.bin", "old"}}));
}

}  // namespace
}  // namespace kelbo
