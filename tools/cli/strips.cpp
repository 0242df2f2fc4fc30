#include "strips.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "codecs/picture_files.h"
#include "core/parallel.h"
#include "imaging/geometry/transforms.h"

namespace kelbo::cli {
namespace {

bool ReadsAsBitmap(const std::filesystem::path& path) {
    const PictureFileKind kind = PictureKindOf(path);
    return kind == PictureFileKind::kBmp || kind == PictureFileKind::kNone || kind == PictureFileKind::kMetafile;
}

// The bitmap of a strip or its result that was freed last, kept to be used
// again: a few megabytes given back and taken anew would be mapped afresh
// each time. One is enough: the strip read next takes it, and the result's
// bitmap is the one just freed, which the allocator keeps while it is the
// only one; more would only add to the peak.
class Spare {
public:
    // A bitmap of the size, its pixels whatever they were; a new one unless
    // the kept one has the size.
    Bitmap24 Take(int width, int height) {
        {
            const std::lock_guard guard(lock_);
            if (!kept_.Empty() && kept_.Width() == width && kept_.Height() == height) return std::move(kept_);
        }
        return Bitmap24(width, height);
    }

    void Give(Bitmap24 bitmap) {
        if (bitmap.Empty()) return;
        const std::lock_guard guard(lock_);
        kept_ = std::move(bitmap);
    }

private:
    std::mutex lock_;
    Bitmap24 kept_;
};

// What is made of a strip's rows: its result, of their size. A transform
// may take the rows themselves; a fill writes into a spare.
using StripStep = std::function<Bitmap24(Bitmap24& rows, Spare& spare)>;

StripStep StepOf(const Transform& transform) {
    return [&transform](Bitmap24& rows, Spare&) { return transform(std::move(rows)); };
}

StripStep StepOf(const StripFill& fill) {
    return [&fill](Bitmap24& rows, Spare& spare) {
        Bitmap24 done = spare.Take(rows.Width(), rows.Height());
        fill(rows.View(), done.View());
        return done;
    };
}

// Picture rows [from, to), of which the strip's own are [top, bottom).
struct Strip {
    int from = 0, top = 0, bottom = 0, to = 0;
    Bitmap24 rows;
};

// The strips of a bottom-up file from the bottom, as it stores the rows and
// the writer wants them. Each row is read once: the context rows a strip
// shares with the one below are kept from that one.
class StripReader {
public:
    StripReader(BmpRowReader& reader, int reach, int stripRows)
        : reader_(reader),
          width_(reader.Info().width),
          height_(reader.Info().height),
          reach_(reach),
          stripRows_(stripRows),
          bottom_(height_),
          readTop_(height_) {}

    int Width() const { return width_; }

    // False after the top strip.
    bool Next(Strip& strip, Spare& spare) {
        if (bottom_ <= 0) return false;
        const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
        strip.bottom = bottom_;
        strip.top = std::max(0, bottom_ - stripRows_);
        strip.from = std::max(0, strip.top - reach_);
        strip.to = std::min(height_, bottom_ + reach_);
        strip.rows = spare.Take(width_, strip.to - strip.from);
        for (int y = readTop_; y < strip.to; ++y) {
            std::memcpy(strip.rows.Row(y - strip.from), Kept(y, rowBytes), rowBytes);
        }
        for (int y = readTop_ - 1; y >= strip.from; --y) {
            std::memcpy(strip.rows.Row(y - strip.from), reader_.NextRow(), rowBytes);
        }
        // The next strip's rows below its own: [from, top + reach).
        readTop_ = strip.from;
        const int shared = std::min(height_, strip.top + reach_) - strip.from;
        kept_.resize(static_cast<std::size_t>(shared) * rowBytes);
        for (int y = 0; y < shared; ++y) std::memcpy(Kept(readTop_ + y, rowBytes), strip.rows.Row(y), rowBytes);
        bottom_ = strip.top;
        return true;
    }

private:
    std::uint8_t* Kept(int y, std::size_t rowBytes) {
        return kept_.data() + static_cast<std::size_t>(y - readTop_) * rowBytes;
    }

    BmpRowReader& reader_;
    const int width_, height_, reach_, stripRows_;
    int bottom_;   // of the next strip
    int readTop_;  // rows [readTop_, height) are read; kept_ starts at readTop_
    std::vector<std::uint8_t> kept_;
};

// The strip's own rows of what the operation made of it, from the bottom.
void WriteOwnRows(BmpRowWriter& writer, int width, const Strip& strip, const Bitmap24& done) {
    if (done.Width() != width || done.Height() != strip.to - strip.from) {
        throw std::logic_error("an operation run in strips changed the strip's size");
    }
    for (int y = strip.bottom - 1; y >= strip.top; --y) writer.WriteRow(done.Row(y - strip.from));
}

// Strips transformed on `threads` threads at once. The calling thread reads
// the strips and writes them, in order; at most threads + 1 strips are in
// flight. With several threads it is one of them, and transforms a strip
// itself whenever the oldest is not finished yet. With one, that one is
// another thread, so that the operation's time hides behind the file's.
class StripPipeline {
public:
    StripPipeline(const StripStep& step, Spare& spare, int threads) : step_(step), spare_(spare), threads_(threads) {}

    void Run(StripReader& strips, BmpRowWriter& writer) {
        RunOnThreads(CarrierHelps() ? threads_ : threads_ + 1,
                     [&](int index) { index == 0 ? Carry(strips, writer) : Work(); });
    }

private:
    struct Job {
        Strip strip;
        Bitmap24 done;
        std::exception_ptr failure;
        bool finished = false;
    };

    void Carry(StripReader& strips, BmpRowWriter& writer) {
        const StopOnExit finish{*this};
        bool more = true;
        for (;;) {
            if (more && jobs_.size() <= static_cast<std::size_t>(threads_)) {
                auto job = std::make_unique<Job>();
                more = strips.Next(job->strip, spare_);
                if (!more) continue;
                const std::lock_guard guard(lock_);
                todo_.push_back(job.get());
                jobs_.push_back(std::move(job));
                changed_.notify_all();
                continue;
            }
            if (jobs_.empty()) return;
            std::unique_lock guard(lock_);
            while (!jobs_.front()->finished) {
                if (todo_.empty() || !CarrierHelps()) {
                    changed_.wait(guard);
                } else {
                    RunOne(guard);
                }
            }
            const std::unique_ptr<Job> job = std::move(jobs_.front());
            jobs_.pop_front();
            guard.unlock();
            if (job->failure) std::rethrow_exception(job->failure);
            WriteOwnRows(writer, strips.Width(), job->strip, job->done);
            spare_.Give(std::move(job->done));
            spare_.Give(std::move(job->strip.rows));
        }
    }

    bool CarrierHelps() const { return threads_ > 1; }

    // The workers end however the calling thread's part ends.
    struct StopOnExit {
        StripPipeline& pipeline;
        ~StopOnExit() {
            const std::lock_guard guard(pipeline.lock_);
            pipeline.stop_ = true;
            pipeline.changed_.notify_all();
        }
    };

    void Work() {
        std::unique_lock guard(lock_);
        for (;;) {
            changed_.wait(guard, [&] { return stop_ || !todo_.empty(); });
            if (stop_) return;
            RunOne(guard);
        }
    }

    // The oldest strip no thread has taken; `guard` is released meanwhile.
    void RunOne(std::unique_lock<std::mutex>& guard) {
        Job* job = todo_.front();
        todo_.pop_front();
        guard.unlock();
        try {
            job->done = step_(job->strip.rows, spare_);
        } catch (...) {
            job->failure = std::current_exception();
        }
        guard.lock();
        job->finished = true;
        changed_.notify_all();
    }

    const StripStep& step_;
    Spare& spare_;
    const int threads_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Job>> jobs_;  // in flight, oldest first; the calling thread's
    std::deque<Job*> todo_;                  // not taken yet
    bool stop_ = false;
};

void WriteStrips(StripReader& strips, BmpRowWriter& writer, const StripStep& step, int threads) {
    Spare spare;
    StripPipeline(step, spare, threads).Run(strips, writer);
}

// About kStripBytes, less with many threads: each holds a strip and its result.
int StripRowsFor(int width, int threads) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t bytes = kStripBytes / static_cast<std::size_t>(std::max(1, threads / 2));
    return static_cast<int>(std::clamp<std::size_t>(bytes / rowBytes, 1, kMaxBitmapDimension));
}

}  // namespace

const OptionDef kThreadsOption{"threads", "N", "threads to share the rows, 1..256 (default: the number of cores)"};

int ThreadsOf(const ParsedArgs& args) {
    return args.IntValue("threads", static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u)), 1,
                         256);
}

Transform WholeFill(StripFill fill) {
    return [fill = std::move(fill)](Bitmap24 picture) {
        Bitmap24 result(picture.Width(), picture.Height());
        fill(picture.View(), result.View());
        return result;
    };
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

std::optional<PictureSize> StepInStrips(const std::filesystem::path& in, const std::filesystem::path& out,
                                        const StripStep& step, int reach, int stripRows, int threads) {
    if (reach < 0 || stripRows < 0) throw std::invalid_argument("TransformInStrips: bad reach or strip height");
    if (!ReadsAsBitmap(in) || !ReadsAsBitmap(out)) return std::nullopt;
    std::unique_ptr<BmpRowReader> reader = BmpRowReader::Open(in);
    if (!reader || !reader->Info().bottomUp) return std::nullopt;
    const PictureSize size{reader->Info().width, reader->Info().height};
    if (stripRows == 0) stripRows = StripRowsFor(size.width, threads);
    BmpRowWriter writer(out, size.width, size.height);
    StripReader strips(*reader, reach, stripRows);
    // No more threads than strips.
    WriteStrips(strips, writer, step, std::min(threads, (size.height + stripRows - 1) / stripRows));
    // Closed first: Windows renames nothing over a file still open, and IN
    // may be OUT.
    reader.reset();
    writer.Commit();
    return size;
}

}  // namespace

std::optional<PictureSize> TransformInStrips(const std::filesystem::path& in, const std::filesystem::path& out,
                                             const Transform& transform, int reach, int stripRows, int threads) {
    return StepInStrips(in, out, StepOf(transform), reach, stripRows, threads);
}

std::optional<PictureSize> FillInStrips(const std::filesystem::path& in, const std::filesystem::path& out,
                                        const StripFill& fill, int reach, int stripRows, int threads) {
    return StepInStrips(in, out, StepOf(fill), reach, stripRows, threads);
}

Bitmap24 WholeResult(const ResultRows& rows) {
    Bitmap24 result(rows.size.width, rows.size.height);
    rows.fill({result.View(), 0});
    return result;
}

bool WriteRowsInBands(const std::filesystem::path& out, const ResultRows& rows, int threads, int bandRows) {
    if (bandRows < 0) throw std::invalid_argument("WriteRowsInBands: bad band height");
    if (!ReadsAsBitmap(out)) return false;
    const auto [width, height] = rows.size;
    if (bandRows == 0) {
        // Whole rows of the rotation's and the shear's tiles.
        const int perThread = std::max(1, static_cast<int>(kStripBytes / (static_cast<std::size_t>(width) * 3)));
        bandRows = (threads * perThread + kRowTileSide - 1) / kRowTileSide * kRowTileSide;
    }
    bandRows = std::min(bandRows, height);
    BmpRowWriter writer(out, width, height, BmpRowOrder::kTopDown);
    Bitmap24 band(width, bandRows);
    for (int top = 0; top < height; top += bandRows) {
        const int rowsHere = std::min(bandRows, height - top);
        const PixelView view(band.Row(0), width, rowsHere, band.Stride());
        rows.fill({view, top});
        for (int y = 0; y < rowsHere; ++y) writer.WriteRow(view.Row(y));
    }
    writer.Commit();
    return true;
}

}  // namespace kelbo::cli
