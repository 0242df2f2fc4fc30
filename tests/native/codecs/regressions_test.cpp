// Every input that once broke a reader, replayed on every run through the
// fuzzing harness of the folder it is kept in (tests/regressions/<harness>/):
// each must pass the harness's checks, never crash (the sanitizer builds
// catch what merely goes unnoticed here). Picture files are also opened as
// the program opens them.
#include <gtest/gtest.h>

#include <filesystem>

#include "codecs/jpeg_image.h"
#include "codecs/picture_files.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "fuzz/harnesses.h"

namespace kelbo {
namespace {

TEST(Regressions, EveryKeptInputPassesItsHarnessAndOpensOrIsRefusedWithAReason) {
    const std::filesystem::path root = KELBO_REGRESSIONS;
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        SCOPED_TRACE(PathToUtf8(entry.path()));
        ++replayed;
        const std::string folder = PathToUtf8(*std::filesystem::relative(entry.path(), root).begin());
        const fuzz::Harness* harness = fuzz::FindHarness(folder);
        ASSERT_NE(harness, nullptr) << "no harness named " << folder;
        const std::vector<std::uint8_t> bytes = ReadFileBytes(entry.path());
        EXPECT_NO_THROW(harness->run(bytes));

        if (PictureKindOf(entry.path()) == PictureFileKind::kNone) continue;
        TJPEGImage jpeg;
        try {
            EXPECT_TRUE(LoadPictureFile(entry.path(), PictureCodecs{jpeg}).read);
        } catch (const std::exception& e) {
            EXPECT_STRNE(e.what(), "");
        }
    }
    EXPECT_GE(replayed, 1);
}

}  // namespace
}  // namespace kelbo
