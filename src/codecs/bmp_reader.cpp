#include "codecs/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "codecs/bmp_rle.h"
#include "core/byte_reader.h"
#include "core/file_io.h"
#include "core/picture_limits.h"
#include "core/text_encoding.h"

namespace kelbo {
namespace {

constexpr std::uint64_t kRleFreePixels = std::uint64_t{1} << 26;
constexpr std::uint64_t kRlePixelsPerByte = 1024;
// Read first from a file: the headers and any colour table, in nearly every file.
constexpr std::uint64_t kHeadBytes = 64 * 1024;

Failure Fail(FailureKind kind, std::string message) { return Failure{kind, std::move(message)}; }

// The reader's own buffers (rows read from the file, the colour table).
Failure OutOfMemory() { return Fail(FailureKind::kUnsupported, "not enough memory to read the bitmap"); }

std::vector<Color> ReadPalette(std::span<const std::uint8_t> file, const BmpInfo& info) {
    ByteReader r(file);
    r.Seek(static_cast<std::size_t>(BmpColorTableOffset(info)));
    const std::size_t skip = BmpColorEntrySize(info) - 3;
    std::vector<Color> palette;
    palette.reserve(info.paletteEntries);
    for (std::uint32_t i = 0; i < info.paletteEntries && !r.Overrun(); ++i) {
        const std::uint8_t b = r.U8();
        const std::uint8_t g = r.U8();
        const std::uint8_t red = r.U8();
        r.Skip(skip);
        if (!r.Overrun()) palette.push_back(Rgb(red, g, b));
    }
    return palette;
}

// Indices beyond the table stay black.
BmpColorLookup LookupOf(const std::vector<Color>& palette) {
    BmpColorLookup lookup{};
    for (std::size_t i = 0; i < palette.size() && i < lookup.size(); ++i) {
        lookup[i] = BmpBgr{BlueOf(palette[i]), GreenOf(palette[i]), RedOf(palette[i])};
    }
    return lookup;
}

// One colour channel of a bit-field pixel, scaled to 0..255.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask), shift_(std::countr_zero(mask)), max_((std::uint64_t{1} << std::popcount(mask)) - 1) {
        if (max_ <= 255) {
            for (std::uint64_t v = 0; v <= max_; ++v) table_[v] = Scale(v);
        }
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint32_t v = (pixel & mask_) >> shift_;
        return max_ <= 255 ? table_[v] : Scale(v);
    }

private:
    std::uint8_t Scale(std::uint64_t v) const { return BmpChannelTo8(v, max_); }

    std::uint32_t mask_;
    int shift_;
    std::uint64_t max_;
    std::uint8_t table_[256] = {};
};

class Masks {
public:
    Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) : red_(red), green_(green), blue_(blue) {}
    void Put(std::uint32_t pixel, std::uint8_t* bgr) const {
        bgr[0] = blue_(pixel);
        bgr[1] = green_(pixel);
        bgr[2] = red_(pixel);
    }

private:
    Channel red_, green_, blue_;
};

Masks MasksOf(const BmpInfo& info) {
    if (info.compression == BmpCompression::kBitfields) return Masks(info.redMask, info.greenMask, info.blueMask);
    return info.bitsPerPixel == 16 ? Masks(0x7C00, 0x03E0, 0x001F) : Masks(0xFF0000, 0xFF00, 0xFF);
}

std::size_t RowBytesOf(const BmpInfo& info) {
    return static_cast<std::size_t>(*BmpRowBytes(info.bitsPerPixel, info.width));
}

// A block of whole rows, at least one.
std::size_t RowBlockBytes(std::size_t rowBytes) { return std::max(rowBytes, kFileBlockBytes / rowBytes * rowBytes); }

// The stored rows of an uncompressed picture one after another: from the
// whole file in memory, or read from the file in blocks of about a megabyte.
class StoredRows {
public:
    StoredRows(std::span<const std::uint8_t> file, const BmpInfo& info)
        : rowBytes_(RowBytesOf(info)), data_(file.data() + info.pixelOffset), end_(file.data() + file.size()) {}
    // `start` holds the first bytes of the pixels, already read from `file`.
    StoredRows(FileReader& file, std::span<const std::uint8_t> start, const BmpInfo& info)
        : rowBytes_(RowBytesOf(info)), file_(&file) {
        block_.resize(RowBlockBytes(rowBytes_));
        const std::size_t kept = std::min(start.size(), block_.size());
        std::memcpy(block_.data(), start.data(), kept);
        data_ = block_.data();
        end_ = data_ + kept;
    }

    // Null when the data ends first (a file that shrank while it was read).
    const std::uint8_t* Next() {
        if (static_cast<std::size_t>(end_ - data_) < rowBytes_ && file_) Refill();
        if (static_cast<std::size_t>(end_ - data_) < rowBytes_) return nullptr;
        const std::uint8_t* row = data_;
        data_ += rowBytes_;
        return row;
    }

private:
    void Refill() {
        const std::size_t left = static_cast<std::size_t>(end_ - data_);
        std::memmove(block_.data(), data_, left);
        const std::size_t got = file_->Read(std::span<std::uint8_t>(block_).subspan(left));
        data_ = block_.data();
        end_ = data_ + left + got;
    }

    std::size_t rowBytes_;
    FileReader* file_ = nullptr;
    std::vector<std::uint8_t> block_;
    const std::uint8_t* data_ = nullptr;
    const std::uint8_t* end_ = nullptr;
};

// The stored rows last first, read a block at a time from the file's end.
class ReversedRows {
public:
    ReversedRows(FileReader& file, const BmpInfo& info)
        : rowBytes_(RowBytesOf(info)),
          file_(file),
          pixelOffset_(info.pixelOffset),
          rowsLeft_(static_cast<std::size_t>(info.height)),
          block_(RowBlockBytes(rowBytes_)) {}

    // Null when the file ends first (it shrank while it was read).
    const std::uint8_t* Next() {
        if (inBlock_ == 0) {
            const std::size_t rows = std::min(rowsLeft_, block_.size() / rowBytes_);
            if (rows == 0) return nullptr;
            rowsLeft_ -= rows;
            const std::span<std::uint8_t> bytes = std::span<std::uint8_t>(block_).first(rows * rowBytes_);
            if (file_.ReadAt(pixelOffset_ + std::uint64_t{rowsLeft_} * rowBytes_, bytes) != bytes.size())
                return nullptr;
            inBlock_ = rows;
        }
        --inBlock_;
        return block_.data() + inBlock_ * rowBytes_;
    }

private:
    std::size_t rowBytes_;
    FileReader& file_;
    std::uint64_t pixelOffset_;
    std::size_t rowsLeft_;
    std::size_t inBlock_ = 0;
    std::vector<std::uint8_t> block_;
};

// Walks the stored rows; ReadBmpInfo has checked that every one of them lies
// inside the file, so only a file that changed meanwhile runs out.
template <class RowFn>
std::optional<Failure> ForEachRow(StoredRows& rows, const BmpInfo& info, PixelView out, const ProgressScope& progress,
                                  RowFn rowFn) {
    const int height = out.Height();
    int percent = 0;
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* source = rows.Next();
        if (!source) return Fail(FailureKind::kTruncated, "pixel data truncated: the file shrank while being read");
        rowFn(source, out.Row(info.bottomUp ? height - 1 - r : r));
        const int now = static_cast<int>(static_cast<std::int64_t>(r + 1) * 100 / height);
        if (now != percent) progress.Set(percent = now);
    }
    return std::nullopt;
}

std::optional<Failure> DecodeUncompressed(StoredRows& file, const BmpInfo& info, const std::vector<Color>& palette,
                                          PixelView out, const ProgressScope& progress) {
    const int width = out.Width();
    const BmpColorLookup colors = LookupOf(palette);
    const auto put = [&colors](std::uint8_t* d, std::uint8_t index) { std::memcpy(d, &colors[index], 3); };
    switch (info.bitsPerPixel) {
    case 1:
        return ForEachRow(file, info, out, progress, [&](const std::uint8_t* s, std::uint8_t* d) {
            for (int x = 0; x < width; ++x, d += 3) put(d, (s[x >> 3] >> (7 - (x & 7))) & 1);
        });
    case 4:
        return ForEachRow(file, info, out, progress, [&](const std::uint8_t* s, std::uint8_t* d) {
            for (int x = 0; x < width; ++x, d += 3) put(d, (s[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
        });
    case 8:
        return ForEachRow(file, info, out, progress, [&](const std::uint8_t* s, std::uint8_t* d) {
            for (int x = 0; x < width; ++x, d += 3) put(d, s[x]);
        });
    case 24: {
        const std::size_t bytes = static_cast<std::size_t>(width) * 3;
        return ForEachRow(file, info, out, progress,
                          [bytes](const std::uint8_t* s, std::uint8_t* d) { std::memcpy(d, s, bytes); });
    }
    default: break;
    }
    const Masks masks = MasksOf(info);
    if (info.bitsPerPixel == 16) {
        return ForEachRow(file, info, out, progress, [&](const std::uint8_t* s, std::uint8_t* d) {
            for (int x = 0; x < width; ++x, s += 2, d += 3) masks.Put(s[0] | (s[1] << 8), d);
        });
    } else if (PixelFormatOf(info) == PixelFormat::k32) {
        return ForEachRow(file, info, out, progress, [&](const std::uint8_t* s, std::uint8_t* d) {
            for (int x = 0; x < width; ++x, s += 4, d += 3) std::memcpy(d, s, 3);
        });
    } else {
        return ForEachRow(file, info, out, progress, [&](const std::uint8_t* s, std::uint8_t* d) {
            for (int x = 0; x < width; ++x, s += 4, d += 3) {
                const std::uint32_t pixel = s[0] | (s[1] << 8) | (s[2] << 16) | (std::uint32_t{s[3]} << 24);
                masks.Put(pixel, d);
            }
        });
    }
}

Result<BmpPicture> WithBitmap(Result<BmpFormatInfo> read, BitmapTarget& target) {
    if (!read) return read.Error();
    BmpPicture picture;
    static_cast<BmpFormatInfo&>(picture) = std::move(read).Value();
    picture.bitmap = std::move(target.bitmap);
    return picture;
}

// The pixels after the headers. `file` is the whole file, or with `rest`
// (uncompressed pixels only) its start up to at least the pixel offset, the
// rest to be read from `rest`.
Result<BmpFormatInfo> Decode(std::span<const std::uint8_t> file, const BmpInfo& header, PictureTarget& target,
                             Progress* progress, FileReader* rest) {
    BmpFormatInfo read;
    read.info = header;
    const BmpInfo& info = read.info;
    read.format = PixelFormatOf(info);
    read.palette = ReadPalette(file, info);

    const bool rle = info.compression == BmpCompression::kRle8 || info.compression == BmpCompression::kRle4;
    const std::span<const std::uint8_t> data = file.subspan(info.pixelOffset);
    const std::uint64_t pixels = std::uint64_t(info.width) * std::uint64_t(info.height);
    if (rle && pixels > kRleFreePixels && pixels / kRlePixelsPerByte > data.size()) {
        return Fail(FailureKind::kUnsupported, "run-length picture of " + std::to_string(info.width) + " x " +
                                                   std::to_string(info.height) + " pixels from only " +
                                                   std::to_string(data.size()) + " bytes of data");
    }
    Result<PixelView> allocated = AllocatePicture(target, info.width, info.height);
    if (!allocated) return allocated.Error();
    const PixelView out = *allocated;

    const ProgressScope scope(progress, 100);
    if (rle) {
        out.Fill(read.palette.empty() ? colors::kBlack : read.palette[0]);
        const int bits = info.compression == BmpCompression::kRle8 ? 8 : 4;
        if (auto bad = DecodeBmpRle(data, bits, LookupOf(read.palette), out, scope)) return *bad;
    } else {
        StoredRows rows = rest ? StoredRows(*rest, data, info) : StoredRows(file, info);
        if (auto bad = DecodeUncompressed(rows, info, read.palette, out, scope)) return *bad;
    }
    scope.Set(100);
    return read;
}

}  // namespace

Result<BmpFormatInfo> ReadBmp(std::span<const std::uint8_t> file, PictureTarget& target, Progress* progress) {
    Result<BmpInfo> header = ReadBmpInfo(file);
    if (!header) return header.Error();
    try {
        return Decode(file, *header, target, progress, nullptr);
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
}

Result<BmpPicture> ReadBmp(std::span<const std::uint8_t> file, Progress* progress) {
    BitmapTarget target;
    return WithBitmap(ReadBmp(file, target, progress), target);
}

Result<BmpFormatInfo> ReadBmp(const std::filesystem::path& path, PictureTarget& target, Progress* progress) {
    try {
        FileReader file(path);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), kHeadBytes)));
        bytes.resize(file.Read(bytes));
        const Result<BmpInfo> header = ReadBmpInfo(bytes, file.Size());
        if (!header) return header.Error();
        const bool uncompressed = header->compression == BmpCompression::kRgb ||
                                  header->compression == BmpCompression::kBitfields;
        // Uncompressed rows go straight from the file into the picture.
        if (uncompressed && header->pixelOffset <= bytes.size()) return Decode(bytes, *header, target, progress, &file);
        const std::size_t head = bytes.size();
        try {
            // A 32-bit program cannot even count the bytes of a file over 4 GiB.
            if (static_cast<std::size_t>(file.Size()) != file.Size()) throw std::length_error("file too large");
            bytes.resize(static_cast<std::size_t>(file.Size()));
        } catch (const std::exception&) {
            return Fail(FailureKind::kIo, "Cannot open file " + PathToUtf8(path) + ": not enough memory");
        }
        bytes.resize(head + file.Read(std::span<std::uint8_t>(bytes).subspan(head)));
        return ReadBmp(bytes, target, progress);
    } catch (const FileError& e) {
        return Fail(FailureKind::kIo, e.what());
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
}

Result<BmpPicture> ReadBmp(const std::filesystem::path& path, Progress* progress) {
    BitmapTarget target;
    return WithBitmap(ReadBmp(path, target, progress), target);
}

struct BmpRowReader::State {
    std::filesystem::path path;
    FileReader file;
    std::vector<std::uint8_t> head;
    std::optional<StoredRows> rows;
    std::optional<ReversedRows> reversed;  // instead of rows, for a bottom-up file read from the top
    explicit State(const std::filesystem::path& name) : path(name), file(name) {}
};

std::unique_ptr<BmpRowReader> BmpRowReader::Open(const std::filesystem::path& path, BmpRowOrder order) {
    auto state = std::make_unique<State>(path);
    state->head.resize(static_cast<std::size_t>(std::min<std::uint64_t>(state->file.Size(), kHeadBytes)));
    state->head.resize(state->file.Read(state->head));
    const Result<BmpInfo> header = ReadBmpInfo(state->head, state->file.Size());
    if (!header || header->bitsPerPixel != 24 || header->compression != BmpCompression::kRgb ||
        header->pixelOffset > state->head.size()) {
        return nullptr;
    }
    if (order == BmpRowOrder::kTopDown && header->bottomUp) {
        state->reversed.emplace(state->file, *header);
    } else {
        state->rows.emplace(state->file, std::span<const std::uint8_t>(state->head).subspan(header->pixelOffset),
                            *header);
    }
    return std::unique_ptr<BmpRowReader>(new BmpRowReader(*header, std::move(state)));
}

BmpRowReader::BmpRowReader(BmpInfo info, std::unique_ptr<State> state)
    : info_(std::move(info)), state_(std::move(state)) {}

BmpRowReader::~BmpRowReader() = default;

const std::uint8_t* BmpRowReader::NextRow() {
    const std::uint8_t* row = state_->reversed ? state_->reversed->Next() : state_->rows->Next();
    if (!row) {
        throw FileError("Cannot read file " + PathToUtf8(state_->path) + ": it shrank while being read", state_->path);
    }
    return row;
}

}  // namespace kelbo
