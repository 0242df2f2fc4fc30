// Every input that once broke a reader, replayed on every run: each must give
// a picture or a clear refusal, never a crash (the sanitizer builds catch
// what merely goes unnoticed here).
#include <gtest/gtest.h>

#include <filesystem>

#include "codecs/gif_compose.h"
#include "codecs/gif_decoder.h"
#include "codecs/jpeg_image.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"

namespace kelbo {
namespace {

TEST(Regressions, EveryKeptInputIsReadOrRefusedWithAReason) {
    const std::filesystem::path root = KELBO_REGRESSIONS;
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        SCOPED_TRACE(PathToUtf8(entry.path()));
        ++replayed;
        TJPEGImage jpeg;
        try {
            const LoadedPicture picture = LoadPictureFile(entry.path(), PictureCodecs{jpeg});
            EXPECT_TRUE(picture.read);
        } catch (const std::exception& e) {
            EXPECT_STRNE(e.what(), "");
        }
        if (PictureKindOf(entry.path()) == PictureFileKind::kGif) {
            // Every frame composed too, not only the first.
            if (const Result<GifFile> gif = ReadGifFile(entry.path()); gif && !gif->frames.empty()) {
                try {
                    ComposeGifFrames(*gif, [](std::size_t, const GifComposer&) {});
                } catch (const std::invalid_argument& e) {
                    EXPECT_STRNE(e.what(), "");
                }
            }
        }
    }
    EXPECT_GE(replayed, 1);
}

}  // namespace
}  // namespace kelbo
