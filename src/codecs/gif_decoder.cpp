#include "codecs/gif_decoder.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "codecs/gif_lzw.h"
#include "core/byte_reader.h"
#include "core/file_io.h"

namespace kelbo {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kScreenDescriptorSize = 7;
constexpr std::size_t kImageDescriptorRest = 9;  // after the "," separator
constexpr std::uint64_t kRowProgressMinPixels = 100000;
constexpr int kMaxSide = 65535;

Failure Fail(FailureKind kind, std::string message) { return Failure{kind, std::move(message)}; }

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

std::string Size(std::uint64_t width, std::uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Round(100 * parsed / total) with halves to the even neighbour, in integers.
int Percent(std::size_t parsed, std::size_t total) {
    if (total == 0) return 0;
    const std::uint64_t scaled = std::uint64_t{100} * parsed;
    std::uint64_t quotient = scaled / total;
    const std::uint64_t twiceRest = 2 * (scaled % total);
    if (twiceRest > total || (twiceRest == total && (quotient & 1) != 0)) ++quotient;
    return static_cast<int>(quotient);
}

void ReadTable(ByteReader& reader, int bits, std::array<RgbParts, 256>& table) {
    table = {};
    const int count = 1 << bits;
    for (int i = 0; i < count; ++i) {
        table[i].r = reader.U8();
        table[i].g = reader.U8();
        table[i].b = reader.U8();
    }
}

// Data rows in the order the format stores them.
std::vector<std::int32_t> StoredRowOrder(std::int32_t height, bool interlaced) {
    std::vector<std::int32_t> order;
    order.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (std::int32_t y = 0; y < height; ++y) order.push_back(y);
        return order;
    }
    constexpr std::int32_t kStart[] = {0, 4, 2, 1};
    constexpr std::int32_t kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (std::int32_t y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
    }
    return order;
}

struct GraphicControl {
    std::uint8_t flags = 0;
    std::uint16_t delay = 0;
    std::uint8_t transparentIndex = 0;
};

class Aborted {};

class Parser {
public:
    Parser(std::span<const std::uint8_t> data, const GifDecodeOptions& options)
        : data_(data), reader_(data), options_(options) {}

    Result<GifFile> Run();

private:
    bool ReportProgress();
    // False when the walk stops; the reason is recorded in file_.
    bool ReadExtension();
    bool ReadFrame();
    void StopAtBadFrame(const std::string& why);
    std::optional<std::string> CheckFrameSize(const GifFrame& frame, std::uint64_t& unjustified) const;
    void DecodePixels(GifFrame& frame);

    std::span<const std::uint8_t> data_;
    ByteReader reader_;
    const GifDecodeOptions& options_;
    GifFile file_;
    GraphicControl pendingControl_;
    std::string pendingComment_;
    std::uint64_t framePixels_ = 0;
    std::uint64_t pixelsWithoutDataLeft_ = kGifPixelsWithoutData;
};

bool Parser::ReportProgress() {
    if (!options_.onProgress) return true;
    bool goOn = true;
    options_.onProgress(reader_.Position(), data_.size(), Percent(reader_.Position(), data_.size()), goOn);
    return goOn;
}

Result<GifFile> Parser::Run() {
    if (data_.empty()) return Fail(FailureKind::kWrongFormat, "the file is empty");
    if (!IsGifSignature(data_)) return Fail(FailureKind::kWrongFormat, "not a GIF file");
    if (data_.size() < kHeaderSize + kScreenDescriptorSize)
        return Fail(FailureKind::kTruncated, "the GIF header is cut short");

    const auto version = data_.subspan(3, 3);
    file_.version.assign(version.begin(), version.end());
    reader_.Skip(kHeaderSize);
    file_.screenWidth = reader_.U16Le();
    file_.screenHeight = reader_.U16Le();
    file_.screenFlags = reader_.U8();
    file_.backgroundIndex = reader_.U8();
    file_.aspect = reader_.U8();
    if ((file_.screenFlags & 0x80) != 0) {
        file_.hasGlobalTable = true;
        file_.globalBits = (file_.screenFlags & 7) + 1;
        ReadTable(reader_, file_.globalBits, file_.globalTable);
        if (reader_.Overrun()) return Fail(FailureKind::kTruncated, "the global colour table is cut short");
    }
    const std::uint64_t screenPixels = static_cast<std::uint64_t>(file_.screenWidth) *
                                       static_cast<std::uint64_t>(file_.screenHeight);
    if (screenPixels > options_.maxPixels) {
        return Fail(FailureKind::kUnsupported, "the logical screen of " + Size(file_.screenWidth, file_.screenHeight) +
                                                   " pixels exceeds the limit of " +
                                                   std::to_string(options_.maxPixels) + " pixels");
    }
    if (auto tooLarge = PictureSizeProblem(static_cast<std::uint64_t>(file_.screenWidth),
                                           static_cast<std::uint64_t>(file_.screenHeight), "logical screen"))
        return Fail(FailureKind::kUnsupported, std::move(*tooLarge));
    file_.logicalWidth = file_.screenWidth;
    file_.logicalHeight = file_.screenHeight;

    try {
        for (;;) {
            if (!ReportProgress()) throw Aborted{};
            if (reader_.AtEnd()) {
                file_.stop = GifStop::kEndOfData;
                break;
            }
            const std::size_t offset = reader_.Position();
            const std::uint8_t block = reader_.U8();
            if (block == 0x21) {
                if (!ReadExtension()) break;
            } else if (block == 0x2C) {
                if (file_.frames.size() >= kMaxGifFrames) {
                    file_.stop = GifStop::kFrameLimit;
                    break;
                }
                if (!ReadFrame()) break;
            } else if (block == 0x3B) {
                file_.stop = GifStop::kTrailer;
                break;
            } else {
                file_.stop = GifStop::kUnknownBlock;
                file_.stopDetail = "byte " + Hex(block) + " at offset " + std::to_string(offset);
                break;
            }
        }
    } catch (const Aborted&) {
        return Fail(FailureKind::kIo, "loading was aborted");
    }
    return std::move(file_);
}

bool Parser::ReadExtension() {
    if (reader_.AtEnd()) {
        file_.stop = GifStop::kEndOfData;
        return false;
    }
    const std::uint8_t label = reader_.U8();
    // The next sub-block of the extension (empty at its terminator), possibly
    // cut short by the end of the data.
    auto nextBlock = [this]() -> std::span<const std::uint8_t> {
        if (reader_.AtEnd()) return {};
        const std::size_t size = reader_.U8();
        if (size == 0) return {};
        return reader_.Bytes(std::min(size, reader_.Remaining()));
    };
    switch (label) {
    case 0x01:  // plain text: nothing of it is shown
        SkipGifSubBlocks(reader_);
        return true;
    case 0xF9: {
        const auto block = nextBlock();
        std::array<std::uint8_t, 4> bytes{};
        std::copy_n(block.begin(), std::min<std::size_t>(block.size(), 4), bytes.begin());
        pendingControl_.flags = bytes[0];
        pendingControl_.delay = static_cast<std::uint16_t>(bytes[1] | (bytes[2] << 8));
        pendingControl_.transparentIndex = bytes[3];
        if (!block.empty()) SkipGifSubBlocks(reader_);
        return true;
    }
    case 0xFE:
        for (auto block = nextBlock(); !block.empty(); block = nextBlock())
            pendingComment_.append(block.begin(), block.end());
        return true;
    case 0xFF: {
        const auto id = nextBlock();
        if (id.empty()) return true;
        static constexpr char kNetscape[] = "NETSCAPE2.0";
        const bool netscape = id.size() >= 11 && std::equal(id.begin(), id.begin() + 11, kNetscape);
        if (netscape) {
            const auto sub = nextBlock();
            if (sub.empty()) return true;
            if (sub.size() >= 3) {
                file_.loopCount = static_cast<std::uint16_t>(sub[1] | (sub[2] << 8));
                file_.hasLoopExtension = true;
            }
        }
        SkipGifSubBlocks(reader_);
        return true;
    }
    default:
        file_.stop = GifStop::kUnknownExtension;
        file_.stopDetail = "extension label " + Hex(label);
        return false;
    }
}

void Parser::StopAtBadFrame(const std::string& why) {
    file_.stop = GifStop::kBadFrame;
    file_.stopDetail = "image " + std::to_string(file_.frames.size() + 1) + ": " + why;
}

std::optional<std::string> Parser::CheckFrameSize(const GifFrame& frame, std::uint64_t& unjustified) const {
    unjustified = 0;
    const std::int64_t right = std::int64_t{frame.left} + frame.width;
    const std::int64_t bottom = std::int64_t{frame.top} + frame.height;
    if (right > kMaxSide || bottom > kMaxSide) {
        return Size(frame.width, frame.height) + " pixels at (" + std::to_string(frame.left) + ", " +
               std::to_string(frame.top) + ") reach beyond 65535";
    }
    if (auto tooLarge = PictureSizeProblem(static_cast<std::uint64_t>(frame.width),
                                           static_cast<std::uint64_t>(frame.height)))
        return *tooLarge;
    const auto logicalWidth = static_cast<std::uint64_t>(std::max<std::int64_t>(file_.logicalWidth, right));
    const auto logicalHeight = static_cast<std::uint64_t>(std::max<std::int64_t>(file_.logicalHeight, bottom));
    if (auto tooLarge = PictureSizeProblem(logicalWidth, logicalHeight, "logical screen")) return *tooLarge;
    const std::uint64_t logical = logicalWidth * logicalHeight;
    const std::uint64_t pixels = static_cast<std::uint64_t>(frame.width) * static_cast<std::uint64_t>(frame.height);
    if (logical > options_.maxPixels || pixels > options_.maxPixels - framePixels_) {
        return Size(frame.width, frame.height) + " pixels would exceed the limit of " +
               std::to_string(options_.maxPixels) + " pixels";
    }
    // The code size byte comes first, then the sub-blocks.
    const std::uint64_t dataBytes = MeasureGifSubBlocks(data_, reader_.Position() + 1);
    const std::uint64_t justified = kGifMaxPixelsPerDataByte * dataBytes;
    unjustified = pixels > justified ? pixels - justified : 0;
    if (unjustified > pixelsWithoutDataLeft_) {
        return Size(frame.width, frame.height) + " pixels cannot come from " + std::to_string(dataBytes) +
               " bytes of data";
    }
    return std::nullopt;
}

bool Parser::ReadFrame() {
    if (reader_.Remaining() < kImageDescriptorRest) {
        reader_.Skip(reader_.Remaining());
        StopAtBadFrame("the image descriptor is cut short");
        return false;
    }
    GifFrame frame;
    frame.left = reader_.U16Le();
    frame.top = reader_.U16Le();
    frame.width = reader_.U16Le();
    frame.height = reader_.U16Le();
    const std::uint8_t flags = reader_.U8();
    frame.interlaced = (flags & 0x40) != 0;
    if ((flags & 0x80) != 0) {
        frame.hasLocalTable = true;
        frame.colorBits = (flags & 7) + 1;
        ReadTable(reader_, frame.colorBits, frame.colorTable);
        if (reader_.Overrun()) {
            StopAtBadFrame("the local colour table is cut short");
            return false;
        }
        frame.paletteSize = 1 << frame.colorBits;
    } else {
        frame.colorTable = file_.globalTable;
        frame.paletteSize = 1 << file_.globalBits;
    }

    const int disposal = (pendingControl_.flags >> 2) & 7;
    frame.disposal = disposal <= 1 || disposal == 3 ? static_cast<GifDisposal>(disposal) : GifDisposal::kBackground;
    frame.delayMs = std::int32_t{pendingControl_.delay} * 10;
    frame.transparent = (pendingControl_.flags & 1) != 0;
    frame.transparentIndex = pendingControl_.transparentIndex;
    frame.transparentColor = JoinColor(frame.colorTable[frame.transparentIndex]);

    std::uint64_t unjustified = 0;
    if (const auto problem = CheckFrameSize(frame, unjustified)) {
        StopAtBadFrame(*problem);
        return false;
    }
    if (options_.decodePixels) {
        try {
            DecodePixels(frame);
        } catch (const std::bad_alloc&) {
            StopAtBadFrame("not enough memory for " + Size(frame.width, frame.height) + " pixels");
            return false;
        } catch (const BitmapSizeError&) {
            StopAtBadFrame("not enough memory for " + Size(frame.width, frame.height) + " pixels");
            return false;
        }
    } else {
        if (!reader_.AtEnd()) reader_.U8();  // minimum code size
        SkipGifSubBlocks(reader_);
    }

    framePixels_ += static_cast<std::uint64_t>(frame.width) * static_cast<std::uint64_t>(frame.height);
    pixelsWithoutDataLeft_ -= unjustified;
    file_.logicalWidth = std::max(file_.logicalWidth, frame.left + frame.width);
    file_.logicalHeight = std::max(file_.logicalHeight, frame.top + frame.height);
    file_.globalBits = std::max(file_.globalBits, frame.colorBits);
    file_.anyTransparent = file_.anyTransparent || frame.transparent;
    file_.anyInterlaced = file_.anyInterlaced || frame.interlaced;
    frame.comment = std::move(pendingComment_);
    pendingComment_.clear();
    pendingControl_ = GraphicControl{};
    file_.frames.push_back(std::move(frame));
    return true;
}

void Parser::DecodePixels(GifFrame& frame) {
    const std::size_t width = static_cast<std::size_t>(frame.width);
    const std::size_t height = static_cast<std::size_t>(frame.height);
    const std::size_t count = width * height;
    frame.indices.assign(count, 0);
    const std::vector<std::int32_t> order = StoredRowOrder(frame.height, frame.interlaced);

    GifLzwRowCallback onRow;
    if (options_.onProgress && count > kRowProgressMinPixels) {
        const std::int32_t every = frame.width <= 320 ? 64 : 32;
        onRow = [this, &order, every](std::size_t rowsDone) {
            return order[rowsDone - 1] % every != 0 || ReportProgress();
        };
    }
    GifLzwResult lzw;
    if (frame.interlaced) {
        std::vector<std::uint8_t> stored(count, 0);
        lzw = DecodeGifLzw(reader_, stored, width, onRow);
        for (std::size_t row = 0; row < height; ++row) {
            std::copy_n(stored.begin() + static_cast<std::ptrdiff_t>(row * width), width,
                        frame.indices.begin() + static_cast<std::ptrdiff_t>(order[row] * width));
        }
    } else {
        lzw = DecodeGifLzw(reader_, frame.indices, width, onRow);
    }
    if (lzw.end == GifLzwEnd::kAborted) throw Aborted{};
    frame.pixelsDecoded = lzw.pixels;
    frame.pixelError = GifLzwProblem(lzw, count);

    if (frame.transparent) {
        frame.mask.assign(count, 0);
        const std::uint8_t key = frame.transparentIndex;
        for (std::size_t row = 0; row < height && row * width < lzw.pixels; ++row) {
            const std::size_t done = std::min(width, lzw.pixels - row * width);
            const std::size_t start = static_cast<std::size_t>(order[row]) * width;
            for (std::size_t x = 0; x < done; ++x) frame.mask[start + x] = frame.indices[start + x] == key ? 1 : 0;
        }
    }

    std::array<std::array<std::uint8_t, 3>, 256> bgr{};
    for (int i = 0; i < 256; ++i) {
        bgr[i] = {frame.colorTable[i].b, frame.colorTable[i].g, frame.colorTable[i].r};
    }
    frame.image = Bitmap24(frame.width, frame.height);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* index = frame.indices.data() + y * width;
        const std::uint8_t* mask = frame.transparent ? frame.mask.data() + y * width : nullptr;
        std::uint8_t* out = frame.image.Row(static_cast<int>(y));
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            if (mask && mask[x]) continue;  // the bitmap is black already
            const auto& c = bgr[index[x]];
            out[0] = c[0];
            out[1] = c[1];
            out[2] = c[2];
        }
    }
}

}  // namespace

const char* GifStopName(GifStop stop) {
    switch (stop) {
    case GifStop::kTrailer: return "trailer";
    case GifStop::kEndOfData: return "end of data";
    case GifStop::kUnknownExtension: return "unknown extension";
    case GifStop::kUnknownBlock: return "unknown block";
    case GifStop::kFrameLimit: return "frame limit";
    case GifStop::kBadFrame: return "unreadable image";
    }
    return "unknown";
}

bool IsGifSignature(std::span<const std::uint8_t> head) {
    return head.size() >= 3 && head[0] == 'G' && head[1] == 'I' && head[2] == 'F';
}

Result<GifFile> DecodeGif(std::span<const std::uint8_t> data, const GifDecodeOptions& options) {
    return Parser(data, options).Run();
}

Result<GifFile> ReadGifFile(const std::filesystem::path& path, const GifDecodeOptions& options) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError& error) {
        return Fail(FailureKind::kIo, error.what());
    }
    return DecodeGif(bytes, options);
}

std::optional<Failure> DrawGifFirstFrame(const GifFile& file, PictureTarget& target) {
    if (file.frames.empty()) {
        std::string message = "the GIF file holds no image";
        if (file.stop == GifStop::kBadFrame) message += " (" + file.stopDetail + ")";
        return Fail(FailureKind::kInvalid, message);
    }
    const GifFrame& frame = file.frames.front();
    if (frame.image.Width() != frame.width || frame.image.Height() != frame.height)
        return Fail(FailureKind::kInvalid, "the GIF file was read without its pixels");

    const Result<PixelView> allocated = AllocatePicture(target, frame.width, frame.height);
    if (!allocated) return allocated.Error();
    const PixelView result = *allocated;
    result.Fill(frame.transparent ? frame.transparentColor : colors::kBlack);
    // Only the part of the frame that lands inside its own size shows.
    const int columns = std::max(0, frame.width - frame.left);
    const int rows = std::max(0, frame.height - frame.top);
    // No pointer into the picture is formed for a frame that lands beside it
    // (an empty picture has no pixel memory at all).
    if (columns == 0 || rows == 0) return std::nullopt;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* image = frame.image.Row(y);
        std::uint8_t* out = result.Row(y + frame.top) + static_cast<std::size_t>(frame.left) * 3;
        if (!frame.transparent) {
            std::copy_n(image, static_cast<std::size_t>(columns) * 3, out);
            continue;
        }
        // AND with the mask, then XOR with the image whose transparent pixels are black.
        const std::uint8_t* mask = frame.mask.data() + static_cast<std::size_t>(y) * frame.width;
        for (int x = 0; x < columns; ++x) {
            const std::uint8_t keep = mask[x] ? 0xFF : 0x00;
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = static_cast<std::uint8_t>((out[3 * x + c] & keep) ^ image[3 * x + c]);
        }
    }
    return std::nullopt;
}

Result<Bitmap24> GifFirstFrameBitmap(const GifFile& file) {
    BitmapTarget target;
    if (auto bad = DrawGifFirstFrame(file, target)) return *bad;
    return std::move(target.bitmap);
}

}  // namespace kelbo
