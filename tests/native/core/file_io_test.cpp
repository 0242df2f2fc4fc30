#include "core/file_io.h"

#include <gtest/gtest.h>

#include <string>

#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

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
  EXPECT_EQ(ReadRaw(dir / "out.bin"), "2");
  EXPECT_FALSE(std::filesystem::exists(AtomicTempPath(dir / "out.bin")));
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileIntact) {
  TempDir dir;
  WriteRaw(dir / "out.bin", "old");
  // Something that is not ours occupies the temporary name.
  std::filesystem::create_directories(AtomicTempPath(dir / "out.bin") / "occupied");
  const std::string text = "new";
  try {
    WriteFileAtomically(dir / "out.bin",
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file ", 0), 0u) << e.what();
  }
  EXPECT_EQ(ReadRaw(dir / "out.bin"), "old");
  EXPECT_TRUE(std::filesystem::exists(AtomicTempPath(dir / "out.bin") / "occupied"));
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
  EXPECT_THROW(WriteFileAtomically(target, std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                                     text.size())),
               FileError);
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadRaw(target), "old");
  EXPECT_FALSE(fs::exists(AtomicTempPath(target)));
}

}  // namespace
}  // namespace kelbo
