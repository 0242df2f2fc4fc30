// Running an operation from file to file in strips of rows, so that a picture
// of any size takes a few megabytes: for operations whose every output row
// depends only on the input rows within `reach` of it.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "commands.h"
#include "core/bitmap24.h"

namespace kelbo::cli {

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Strips of about this many bytes, unless said otherwise.
inline constexpr std::size_t kStripBytes = std::size_t{1} << 20;

// Reads IN, runs `transform` on each strip of `stripRows` rows (0: about
// kStripBytes of them) with `reach`
// rows of the picture above and below it (fewer at its edges), and writes the
// strips' own rows to OUT: the very bytes the whole picture would give,
// written as a 24-bit bitmap. Only when IN is an uncompressed 24-bit
// bottom-up bitmap and OUT is saved as a bitmap (no .gif, .jpg, .jpeg, .ico
// or .png); otherwise nothing is touched and nullopt says the whole picture
// must be read. `transform` must keep a strip's size. Throws on failure,
// leaving any old OUT as it was.
std::optional<PictureSize> TransformInStrips(const std::filesystem::path& in, const std::filesystem::path& out,
                                             const Transform& transform, int reach, int stripRows = 0, int threads = 1);

// Fills every pixel of a target of the strip's size from the strip, for
// operations that make a new picture of the same size.
using StripFill = std::function<void(ConstPixelView source, PixelView target)>;

// The fill run on a whole picture: a new picture of its size.
Transform WholeFill(StripFill fill);

// TransformInStrips for such an operation: the strips and their results
// come from a few bitmaps used again and again, never freed and taken anew,
// so their memory is not mapped afresh for every strip.
std::optional<PictureSize> FillInStrips(const std::filesystem::path& in, const std::filesystem::path& out,
                                        const StripFill& fill, int reach, int stripRows = 0, int threads = 1);

// `transform` with the picture's rows split into one band per thread, each
// run with `reach` rows of context above and below: the result one call
// gives, for a transform whose reach that is (see Command::stripReach).
Bitmap24 TransformInBands(Bitmap24 picture, const Transform& transform, int reach, int threads);

// The whole result, for the paths that must hold it.
Bitmap24 WholeResult(const ResultRows& rows);

// Writes the result to OUT as a 24-bit bitmap a band at a time, so that it
// is never held whole: the bytes saving the whole result would give. Only
// when OUT is saved as a bitmap; otherwise nothing is touched and false
// says the whole result must be made. `threads` share each band of
// `bandRows` rows (0: about kStripBytes for each thread). Throws on failure,
// leaving any old OUT.
bool WriteRowsInBands(const std::filesystem::path& out, const ResultRows& rows, int threads, int bandRows = 0);

// "--threads N", which the commands that run in strips take.
extern const OptionDef kThreadsOption;
// Its value: 1..256, by default the number of cores.
int ThreadsOf(const ParsedArgs& args);

}  // namespace kelbo::cli
