// Every writer's save when the system calls under it fail or fall short.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>

#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo {
namespace {

namespace fs = std::filesystem;
using testing::DirectoryContents;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;
using Contents = std::map<std::string, std::string>;

enum class Fault { kNone, kOpen, kNthWrite, kZeroWrite, kShortWrites, kSeek, kSync, kClose, kRename };

struct FaultyCalls : FileSystemCalls {
    Fault fault = Fault::kNone;
    int failingWrite = 0;
    int writes = 0;
    int seeks = 0;
    static int Fail(int error) {
        errno = error;
        return -1;
    }
    int OpenNew(const fs::path& path) override {
        return fault == Fault::kOpen ? Fail(EMFILE) : FileSystemCalls::OpenNew(path);
    }
    long Write(int fd, const std::uint8_t* data, std::size_t size) override {
        if (++writes == failingWrite && fault == Fault::kNthWrite) return Fail(ENOSPC);
        if (fault == Fault::kZeroWrite) return 0;
        return FileSystemCalls::Write(fd, data, fault == Fault::kShortWrites ? (size + 1) / 2 : size);
    }
    int Seek(int fd, std::uint64_t offset) override {
        ++seeks;
        return fault == Fault::kSeek ? Fail(EINVAL) : FileSystemCalls::Seek(fd, offset);
    }
    int Sync(int fd) override { return fault == Fault::kSync ? Fail(EIO) : FileSystemCalls::Sync(fd); }
    // Closed all the same, as when a late write error surfaces there.
    int Close(int fd) override {
        const int closed = FileSystemCalls::Close(fd);
        return fault == Fault::kClose ? Fail(ENOSPC) : closed;
    }
    std::error_code Rename(const fs::path& from, const fs::path& to) override {
        return fault == Fault::kRename ? std::make_error_code(std::errc::permission_denied)
                                       : FileSystemCalls::Rename(from, to);
    }
};

TEST(SaveUnderFaults, EveryFailureKeepsTheOldFileLeavesNoTemporaryAndSaysWhy) {
    Bitmap24 large(720, 500), icon(48, 48);
    for (Bitmap24* p : {&large, &icon})
        for (int y = 0; y < p->Height(); ++y)
            for (int x = 0; x < p->Width(); ++x)
                p->SetPixel(x, y, Rgb(static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(x ^ y), 9));
    TJPEGImage jpeg;
    const PictureCodecs codecs{jpeg};
    const auto picture = [&](PixelFormat format, const Bitmap24& from) {
        return
            [&from, &codecs, format](const fs::path& to) { SavePictureFile(to, from.ConstView(), format, {}, codecs); };
    };
    const std::string raw(300000, 'r');
    const std::pair<const char*, std::function<void(const fs::path&)>> writers[] = {
        {"a.bmp", picture(PixelFormat::k24, large)},
        {"b.bmp", picture(PixelFormat::k4, large)},
        {"c.gif", picture(PixelFormat::k24, large)},
        {"d.jpg", picture(PixelFormat::k24, large)},
        {"e.png", picture(PixelFormat::k24, large)},
        {"f.png", picture(PixelFormat::k8, large)},
        {"g.ico", picture(PixelFormat::k24, icon)},
        {"i.bmp",  // top row first: two blocks, each written at its place
         [&](const fs::path& to) {
             BmpRowWriter rows(to, large.Width(), large.Height(), BmpRowOrder::kTopDown);
             for (int y = 0; y < large.Height(); ++y) rows.WriteRow(large.Row(y));
             rows.Commit();
         }},
        {"h.ini", [&](const fs::path& to) {
             WriteFileAtomically(to, std::span(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()));
         }}};
    const std::pair<Fault, std::string> faults[] = {
        {Fault::kOpen, std::strerror(EMFILE)},  {Fault::kZeroWrite, std::strerror(EIO)},
        {Fault::kSeek, std::strerror(EINVAL)},  {Fault::kSync, std::strerror(EIO)},
        {Fault::kClose, std::strerror(ENOSPC)}, {Fault::kRename, std::strerror(EACCES)}};
    FaultyCalls calls;
    const ScopedFileSystemCalls installed(calls);
    for (const auto& [name, save] : writers) {
        TempDir dir, fresh;
        calls.fault = Fault::kNone;
        save(fresh / name);
        const Contents original{{name, "the old picture"}}, saved{{name, ReadRaw(fresh / name)}};
        WriteRaw(dir / name, "the old picture");
        // Fails with `reason`, unless the fault is short writes or a write the save never reached.
        const auto check = [&](Fault fault, int failingWrite, const std::string& reason) {
            calls.fault = fault;
            calls.failingWrite = failingWrite;
            calls.writes = calls.seeks = 0;
            std::string message = "saved";
            try {
                save(dir / name);
            } catch (const FileError& e) {
                message = e.what();
                EXPECT_EQ(e.Path(), dir / name);
            }
            const bool struck = fault != Fault::kShortWrites &&
                                (fault != Fault::kNthWrite || calls.writes >= failingWrite) &&
                                (fault != Fault::kSeek || calls.seeks > 0);
            EXPECT_EQ(message, struck ? "Cannot create file " + PathToUtf8(dir / name) + ": " + reason : "saved")
                << name << " fault " << static_cast<int>(fault) << " at write " << failingWrite;
            EXPECT_EQ(DirectoryContents(dir.Path()), struck ? original : saved) << name;
            return struck;
        };
        for (int n = 1; check(Fault::kNthWrite, n, std::strerror(ENOSPC)); ++n) {
        }
        WriteRaw(dir / name, "the old picture");
        for (const auto& [fault, reason] : faults) {
            if (!check(fault, 0, reason)) WriteRaw(dir / name, "the old picture");  // a writer that never seeks
        }
        check(Fault::kShortWrites, 0, "");
        calls.fault = Fault::kRename;
        EXPECT_THROW(save(dir / "new.bin"), FileError);
        EXPECT_EQ(DirectoryContents(dir.Path()), saved) << "nothing but the old file, as the short writes saved it";
    }
}

}  // namespace
}  // namespace kelbo
