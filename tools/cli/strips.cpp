#include "strips.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <thread>
#include <stdexcept>
#include <vector>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/parallel.h"

namespace kelbo::cli {
namespace {

bool ReadsAsBitmap(const std::filesystem::path& path) {
    const PictureFileKind kind = PictureKindOf(path);
    return kind == PictureFileKind::kBmp || kind == PictureFileKind::kNone || kind == PictureFileKind::kMetafile;
}

// Picture rows [top, bottom) of a bottom-up file: read upwards as they are
// needed, dropped once no later strip needs them.
class RowWindow {
public:
    RowWindow(BmpRowReader& reader, int height) : reader_(reader), top_(height), bottom_(height) {}

    void Hold(int top, int bottom) {
        while (bottom_ > bottom) {
            rows_.pop_back();
            --bottom_;
        }
        while (top_ > top) {
            const std::uint8_t* row = reader_.NextRow();
            rows_.emplace_front(row, row + static_cast<std::size_t>(reader_.Info().width) * 3);
            --top_;
        }
    }
    const std::uint8_t* Row(int y) const { return rows_[static_cast<std::size_t>(y - top_)].data(); }

private:
    BmpRowReader& reader_;
    int top_, bottom_;
    std::deque<std::vector<std::uint8_t>> rows_;
};

int StripRowsFor(int width) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    return static_cast<int>(std::clamp<std::size_t>(kStripBytes / rowBytes, 1, kMaxBitmapDimension));
}

}  // namespace

const OptionDef kThreadsOption{"threads", "N", "threads to share the rows, 1..256 (default: the number of cores)"};

int ThreadsOf(const ParsedArgs& args) {
    return args.IntValue("threads", static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u)), 1,
                         256);
}

Bitmap24 TransformInBands(Bitmap24 picture, const Transform& transform, int reach, int threads) {
    const int height = picture.Height();
    const int bands = std::clamp(threads, 1, std::max(1, height));
    if (bands == 1) return transform(std::move(picture));
    const int width = picture.Width();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    Bitmap24 result(width, height);
    InParallelBands(height, bands, [&](int top, int bottom) {
        const int from = std::max(0, top - reach), to = std::min(height, bottom + reach);
        Bitmap24 part(width, to - from);
        for (int y = from; y < to; ++y) std::memcpy(part.Row(y - from), picture.Row(y), rowBytes);
        const Bitmap24 done = transform(std::move(part));
        if (done.Width() != width || done.Height() != to - from) {
            throw std::logic_error("an operation run in bands changed the band's size");
        }
        for (int y = top; y < bottom; ++y) std::memcpy(result.Row(y), done.Row(y - from), rowBytes);
    });
    return result;
}

namespace {

// Slower than this, an operation gains from threads despite the copies of
// its bands (a negative runs at about 1 GB/s, the HSL change at 80 MB/s).
constexpr double kWorthSharingBytesPerSecond = 400e6;

// From the bottom, as the file stores the rows and the writer wants them.
void WriteStrips(BmpRowReader& reader, BmpRowWriter& writer, const Transform& transform, int reach, int stripRows,
                 int threads) {
    const int width = reader.Info().width;
    const int height = reader.Info().height;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    RowWindow window(reader, height);
    // The first strip on one thread tells whether the operation is worth
    // sharing: one that barely outpaces the copies bands need runs alone.
    // Either way gives the same bytes.
    int share = 1;
    bool timed = false;
    for (int bottom = height; bottom > 0; bottom -= stripRows) {
        const int top = std::max(0, bottom - stripRows);
        const int from = std::max(0, top - reach);
        const int to = std::min(height, bottom + reach);
        window.Hold(from, to);
        Bitmap24 strip(width, to - from);
        for (int y = from; y < to; ++y) std::memcpy(strip.Row(y - from), window.Row(y), rowBytes);
        const auto started = std::chrono::steady_clock::now();
        const Bitmap24 done = TransformInBands(std::move(strip), transform, reach, share);
        if (!timed) {
            timed = true;
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            const double bytes = static_cast<double>(rowBytes) * (to - from);
            if (seconds * kWorthSharingBytesPerSecond > bytes) share = threads;
        }
        if (done.Width() != width || done.Height() != to - from) {
            throw std::logic_error("an operation run in strips changed the strip's size");
        }
        for (int y = bottom - 1; y >= top; --y) writer.WriteRow(done.Row(y - from));
    }
}

}  // namespace

std::optional<PictureSize> TransformInStrips(const std::filesystem::path& in, const std::filesystem::path& out,
                                             const Transform& transform, int reach, int stripRows, int threads) {
    if (reach < 0 || stripRows < 0) throw std::invalid_argument("TransformInStrips: bad reach or strip height");
    if (!ReadsAsBitmap(in) || !ReadsAsBitmap(out)) return std::nullopt;
    std::unique_ptr<BmpRowReader> reader = BmpRowReader::Open(in);
    if (!reader || !reader->Info().bottomUp) return std::nullopt;
    const PictureSize size{reader->Info().width, reader->Info().height};
    if (stripRows == 0) stripRows = StripRowsFor(size.width);
    BmpRowWriter writer(out, size.width, size.height);
    WriteStrips(*reader, writer, transform, reach, stripRows, threads);
    // Closed first: Windows renames nothing over a file still open, and IN
    // may be OUT.
    reader.reset();
    writer.Commit();
    return size;
}

}  // namespace kelbo::cli
