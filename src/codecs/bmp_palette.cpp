#include "codecs/bmp_palette.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "core/luminance.h"

namespace kelbo {

// At most a few hundred colours, each with a table index: open addressing,
// no allocation per insertion, which matters when it is asked once per pixel.
class SmallColorMap {
public:
    bool Contains(Color c) const { return keys_[Find(c)] == c + 1; }
    // The index stored with `c`, or -1.
    int IndexOf(Color c) const {
        const std::size_t at = Find(c);
        return keys_[at] == c + 1 ? values_[at] : -1;
    }
    // False when it was there already (its first index stays).
    bool Insert(Color c, std::uint8_t index = 0) {
        const std::size_t at = Find(c);
        if (keys_[at] == c + 1) return false;
        keys_[at] = c + 1;
        values_[at] = index;
        ++size_;
        return true;
    }
    std::size_t Size() const { return size_; }

private:
    static constexpr std::size_t kSlots = 2048;  // > 4 x the 257 colours ever stored

    std::size_t Find(Color c) const {
        std::size_t at = (c * 2654435761u) >> 21 & (kSlots - 1);
        while (keys_[at] != 0 && keys_[at] != c + 1) at = (at + 1) & (kSlots - 1);
        return at;
    }

    std::array<std::uint32_t, kSlots> keys_{};  // colour + 1; 0 is empty
    std::array<std::uint8_t, kSlots> values_{};
    std::size_t size_ = 0;
};

namespace {

constexpr std::uint32_t KeyOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(b) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(r) << 16);
}

bool HoldsEveryColour(ConstPixelView pixels, std::span<const Color> table) {
    SmallColorMap set;
    for (const Color c : table) set.Insert(c & 0xFFFFFF);
    Color last = 0xFFFFFFFF;
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* p = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x, p += 3) {
            const Color c = Rgb(p[2], p[1], p[0]);
            if (c == last) continue;
            if (!set.Contains(c)) return false;
            last = c;
        }
    }
    return true;
}

// The picture's colours, or nothing when there are more than `limit`.
std::vector<Color> DistinctColours(ConstPixelView pixels, std::size_t limit) {
    SmallColorMap set;
    std::vector<Color> colours;
    Color last = 0xFFFFFFFF;
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* p = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x, p += 3) {
            const Color c = Rgb(p[2], p[1], p[0]);
            if (c == last) continue;
            last = c;
            if (set.Insert(c)) {
                if (set.Size() > limit) return {};
                colours.push_back(c);
            }
        }
    }
    return colours;
}

void SortDarkestFirst(std::vector<Color>& colours) {
    std::vector<std::pair<std::uint32_t, Color>> keyed;
    keyed.reserve(colours.size());
    for (const Color c : colours) keyed.emplace_back(Luminance(c), c);
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = keyed[i].second;
}

// Median cut over a histogram of 64 levels per channel. Each cell keeps the
// sums of its pixels, so a table entry is the true mean of its pixels.
class MedianCut {
public:
    explicit MedianCut(ConstPixelView pixels) {
        // Every picture a file can hold counts in 32 bits: half the memory
        // beside the picture.
        if (std::uint64_t{static_cast<std::uint32_t>(pixels.Width())} * static_cast<std::uint32_t>(pixels.Height()) <
            (std::uint64_t{1} << 30)) {
            Count<std::uint32_t>(pixels);
        } else {
            Count<std::uint64_t>(pixels);
        }
    }

    std::vector<Color> Palette(std::size_t size) {
        std::vector<Box> boxes{MakeBox(0, bins_.size())};
        while (boxes.size() < size) {
            Box* widest = nullptr;
            std::uint64_t best = 0;
            for (Box& box : boxes) {
                const std::uint64_t priority = box.count * box.range;
                if (box.end - box.begin >= 2 && box.range > 0 && priority > best) {
                    best = priority;
                    widest = &box;
                }
            }
            if (widest == nullptr) break;
            const Box box = *widest;
            const std::size_t split = Split(box);
            *widest = MakeBox(box.begin, split);
            boxes.push_back(MakeBox(split, box.end));
        }
        std::vector<Color> colours;
        for (const Box& box : boxes) {
            std::uint64_t sums[3] = {0, 0, 0};
            for (std::size_t i = box.begin; i < box.end; ++i) {
                for (int c = 0; c < 3; ++c) sums[c] += bins_[i].sum[c];
            }
            colours.push_back(Rgb(Mean(sums[0], box.count), Mean(sums[1], box.count), Mean(sums[2], box.count)));
        }
        return colours;
    }

private:
    static constexpr std::size_t kCells = std::size_t{1} << 18;

    struct Bin {
        std::uint64_t count;
        std::uint64_t sum[3];  // red, green, blue
        std::uint8_t mean[3];  // where the bin sits when boxes are cut
    };
    struct Box {
        std::size_t begin, end;
        std::uint64_t count;
        std::uint64_t range;  // of the longest channel
        int channel;          // the longest channel
    };

    // Per cell its pixels and the sums of their channels' two low bits, below
    // 3 · count: a channel's sum is 4 · its level · count + that sum.
    template <typename N>
    void Count(ConstPixelView pixels) {
        struct Cell {
            N count, low[3];  // red, green, blue
        };
        std::vector<Cell> cells(kCells);
        for (int y = 0; y < pixels.Height(); ++y) {
            const std::uint8_t* p = pixels.Row(y);
            for (int x = 0; x < pixels.Width(); ++x, p += 3) {
                Cell& cell = cells[(std::size_t{p[2]} >> 2 << 12) | (std::size_t{p[1]} >> 2 << 6) | (p[0] >> 2)];
                ++cell.count;
                cell.low[0] += p[2] & 3;
                cell.low[1] += p[1] & 3;
                cell.low[2] += p[0] & 3;
            }
        }
        bins_.reserve(static_cast<std::size_t>(
            std::count_if(cells.begin(), cells.end(), [](const Cell& cell) { return cell.count != 0; })));
        for (std::size_t i = 0; i < kCells; ++i) {
            const Cell& cell = cells[i];
            if (cell.count == 0) continue;
            const std::uint64_t n = cell.count;
            std::uint64_t sum[3];
            for (int c = 0; c < 3; ++c) sum[c] = 4 * (i >> (12 - 6 * c) & 63) * n + cell.low[c];
            bins_.push_back(Bin{n, {sum[0], sum[1], sum[2]}, {Mean(sum[0], n), Mean(sum[1], n), Mean(sum[2], n)}});
        }
    }

    static std::uint8_t Mean(std::uint64_t sum, std::uint64_t n) {
        return static_cast<std::uint8_t>((sum + n / 2) / n);
    }

    Box MakeBox(std::size_t begin, std::size_t end) const {
        Box box{begin, end, 0, 0, 0};
        std::uint8_t lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (std::size_t i = begin; i < end; ++i) {
            box.count += bins_[i].count;
            for (int c = 0; c < 3; ++c) {
                lo[c] = std::min(lo[c], bins_[i].mean[c]);
                hi[c] = std::max(hi[c], bins_[i].mean[c]);
            }
        }
        for (int c = 0; c < 3; ++c) {
            const std::uint64_t range = begin < end ? std::uint64_t{hi[c]} - lo[c] : 0;
            if (range > box.range) {
                box.range = range;
                box.channel = c;
            }
        }
        return box;
    }

    // The channel first, then red, green, blue: the order of the four bytes
    // compared one by one.
    static std::uint32_t SortKey(const Bin& bin, int c) {
        return std::uint32_t{bin.mean[c]} << 24 | std::uint32_t{bin.mean[0]} << 16 | std::uint32_t{bin.mean[1]} << 8 |
               bin.mean[2];
    }

    // Sorts the box's bins along its longest channel and cuts where half of its
    // pixels lie on each side; both halves keep at least one bin.
    std::size_t Split(const Box& box) {
        const int c = box.channel;
        std::sort(bins_.begin() + static_cast<std::ptrdiff_t>(box.begin),
                  bins_.begin() + static_cast<std::ptrdiff_t>(box.end),
                  [c](const Bin& a, const Bin& b) { return SortKey(a, c) < SortKey(b, c); });
        std::uint64_t below = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            below += bins_[i].count;
            if (2 * below >= box.count) {
                split = i + 1;
                break;
            }
        }
        return std::clamp(split, box.begin + 1, box.end - 1);
    }

    std::vector<Bin> bins_;
};

void CheckBits(int bits) {
    if (bits != 1 && bits != 4 && bits != 8) {
        throw std::invalid_argument("a colour table is for 1, 4 or 8 bits per pixel, not " + std::to_string(bits));
    }
}

}  // namespace

BmpPaletteChoice ChooseBmpPalette(ConstPixelView pixels, int bits, std::span<const Color> preferred) {
    CheckBits(bits);
    const std::size_t capacity = std::size_t{1} << bits;
    if (!preferred.empty() && preferred.size() <= capacity && HoldsEveryColour(pixels, preferred)) {
        BmpPaletteChoice choice;
        for (const Color c : preferred) choice.colors.push_back(c & 0xFFFFFF);
        return choice;
    }
    std::vector<Color> own = DistinctColours(pixels, capacity);
    if (!own.empty() || pixels.Empty()) {
        if (own.empty()) own.push_back(colors::kBlack);  // an empty picture still needs a table
        SortDarkestFirst(own);
        return BmpPaletteChoice{std::move(own), false};
    }
    if (bits == 1) return BmpPaletteChoice{{colors::kBlack, colors::kWhite}, true};
    std::vector<Color> cut = MedianCut(pixels).Palette(capacity);
    SortDarkestFirst(cut);
    return BmpPaletteChoice{std::move(cut), false};
}

BmpPaletteIndexer::BmpPaletteIndexer(const BmpPaletteChoice& choice)
    : colors_(choice.colors), threshold_(choice.luminanceThreshold) {
    if (colors_.empty() || colors_.size() > 256) {
        throw std::invalid_argument("a colour table needs 1 to 256 entries, not " + std::to_string(colors_.size()));
    }
    if (threshold_) {
        const auto white = std::find(colors_.begin(), colors_.end(), colors::kWhite);
        const auto black = std::find(colors_.begin(), colors_.end(), colors::kBlack);
        if (white == colors_.end() || black == colors_.end())
            throw std::invalid_argument("a luminance threshold needs black and white in the table");
        whiteIndex_ = static_cast<std::uint8_t>(white - colors_.begin());
        blackIndex_ = static_cast<std::uint8_t>(black - colors_.begin());
    }
    coarse_.start.assign(std::size_t{1} << (3 * kCoarseBits), -1);
    coarse_.count.assign(std::size_t{1} << (3 * kCoarseBits), 0);
    fine_.start.assign(std::size_t{1} << (3 * kFineBits), -1);
    fine_.count.assign(std::size_t{1} << (3 * kFineBits), 0);
    // A colour of the table is its own nearest entry, the first of equal ones.
    exact_ = std::make_unique<SmallColorMap>();
    for (std::size_t i = 0; i < colors_.size(); ++i)
        exact_->Insert(colors_[i] & 0xFFFFFF, static_cast<std::uint8_t>(i));
}

BmpPaletteIndexer::~BmpPaletteIndexer() = default;

std::uint8_t BmpPaletteIndexer::IndexOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t key = KeyOf(r, g, b);
    if (key == lastKey_) return lastIndex_;
    lastKey_ = key;
    if (threshold_) {
        lastIndex_ = Luminance(r, g, b) >= 128 ? whiteIndex_ : blackIndex_;
    } else {
        const int exact = exact_->IndexOf(Rgb(r, g, b));
        lastIndex_ = exact >= 0 ? static_cast<std::uint8_t>(exact) : Nearest(r, g, b);
    }
    return lastIndex_;
}

void BmpPaletteIndexer::IndexRow(const std::uint8_t* bgr, int width, std::uint8_t* indices) {
    for (int x = 0; x < width; ++x, bgr += 3) indices[x] = IndexOf(bgr[2], bgr[1], bgr[0]);
}

std::uint8_t BmpPaletteIndexer::Nearest(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int cell = (r >> kFineShift << (2 * kFineBits)) | (g >> kFineShift << kFineBits) | (b >> kFineShift);
    if (fine_.start[cell] < 0) BuildFineCell(cell);
    const std::uint8_t* candidate = candidates_.data() + fine_.start[cell];
    const std::uint8_t* const end = candidate + fine_.count[cell];
    std::uint32_t best = 0xFFFFFFFF;
    std::uint8_t bestIndex = 0;
    for (; candidate != end; ++candidate) {
        const Color c = colors_[*candidate];
        const int dr = int{RedOf(c)} - r, dg = int{GreenOf(c)} - g, db = int{BlueOf(c)} - b;
        const auto distance = static_cast<std::uint32_t>(dr * dr + dg * dg + db * db);
        if (distance < best) {
            best = distance;
            bestIndex = *candidate;
        }
    }
    return bestIndex;
}

// An entry can be nearest to some colour of a cell only if its least
// distance to the cell is no more than the smallest greatest distance of any
// entry to it. Bounding over a subset that holds every candidate can only
// keep more entries, never lose one.
void BmpPaletteIndexer::AppendCandidates(int r, int g, int b, int side, std::span<const std::uint8_t> from) {
    const int lo[3] = {r, g, b};
    std::array<std::uint32_t, 256> least;
    std::uint32_t bound = 0xFFFFFFFF;
    for (std::size_t k = 0; k < from.size(); ++k) {
        const Color entry = colors_[from[k]];
        const int value[3] = {RedOf(entry), GreenOf(entry), BlueOf(entry)};
        std::uint32_t near = 0, far = 0;
        for (int c = 0; c < 3; ++c) {
            const int low = lo[c], high = lo[c] + side - 1;
            const int inside = value[c] < low ? low - value[c] : value[c] > high ? value[c] - high : 0;
            const int outside = std::max(value[c] - low, high - value[c]);
            near += static_cast<std::uint32_t>(inside * inside);
            far += static_cast<std::uint32_t>(outside * outside);
        }
        least[k] = near;
        bound = std::min(bound, far);
    }
    for (std::size_t k = 0; k < from.size(); ++k) {
        if (least[k] <= bound) candidates_.push_back(from[k]);
    }
}

// A fine cell's candidates come from those of the coarse cell around it,
// which already leave out most of the table.
void BmpPaletteIndexer::BuildFineCell(int cell) {
    constexpr int kMask = (1 << kFineBits) - 1;
    const int r = (cell >> (2 * kFineBits)) << kFineShift, g = ((cell >> kFineBits) & kMask) << kFineShift,
              b = (cell & kMask) << kFineShift;
    const int coarse = (r >> kCoarseShift << (2 * kCoarseBits)) | (g >> kCoarseShift << kCoarseBits) |
                       (b >> kCoarseShift);
    if (coarse_.start[coarse] < 0) {
        std::array<std::uint8_t, 256> all;
        for (std::size_t i = 0; i < colors_.size(); ++i) all[i] = static_cast<std::uint8_t>(i);
        coarse_.start[coarse] = static_cast<std::int32_t>(candidates_.size());
        AppendCandidates(r >> kCoarseShift << kCoarseShift, g >> kCoarseShift << kCoarseShift,
                         b >> kCoarseShift << kCoarseShift, 1 << kCoarseShift,
                         std::span<const std::uint8_t>(all.data(), colors_.size()));
        coarse_.count[coarse] = static_cast<std::uint16_t>(candidates_.size() - coarse_.start[coarse]);
    }
    // Copied first: appending may move the candidates.
    std::array<std::uint8_t, 256> around;
    const std::size_t n = coarse_.count[coarse];
    std::copy_n(candidates_.data() + coarse_.start[coarse], n, around.data());
    fine_.start[cell] = static_cast<std::int32_t>(candidates_.size());
    AppendCandidates(r, g, b, 1 << kFineShift, std::span<const std::uint8_t>(around.data(), n));
    fine_.count[cell] = static_cast<std::uint16_t>(candidates_.size() - fine_.start[cell]);
}

void IndexToPalette(ConstPixelView pixels, const BmpPaletteChoice& choice, bool diffuse,
                    const std::function<void(int y, const std::uint8_t* indices)>& onRow) {
    const int width = pixels.Width();
    BmpPaletteIndexer indexer(choice);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width));
    // Errors carried to this row and the next, per channel (blue, green, red),
    // with one spare pixel at each end so the kernel needs no edge tests.
    const std::size_t cells = diffuse ? (static_cast<std::size_t>(width) + 2) * 3 : 0;
    std::vector<int> thisRow(cells, 0);
    std::vector<int> nextRow(cells, 0);
    const auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* source = pixels.Row(y);
        if (!diffuse) {
            indexer.IndexRow(source, width, indices.data());
            onRow(y, indices.data());
            continue;
        }
        std::fill(nextRow.begin(), nextRow.end(), 0);
        for (int x = 0; x < width; ++x) {
            int* err = &thisRow[(static_cast<std::size_t>(x) + 1) * 3];
            const std::uint8_t b = clamp(source[x * 3] + err[0] / 16);
            const std::uint8_t g = clamp(source[x * 3 + 1] + err[1] / 16);
            const std::uint8_t r = clamp(source[x * 3 + 2] + err[2] / 16);
            const std::uint8_t index = indexer.IndexOf(r, g, b);
            indices[static_cast<std::size_t>(x)] = index;
            const Color chosen = choice.colors[index];
            const int diff[3] = {b - BlueOf(chosen), g - GreenOf(chosen), r - RedOf(chosen)};
            int* right = err + 3;
            int* below = &nextRow[(static_cast<std::size_t>(x) + 1) * 3];
            for (int c = 0; c < 3; ++c) {
                right[c] += diff[c] * 7;
                below[c - 3] += diff[c] * 3;
                below[c] += diff[c] * 5;
                below[c + 3] += diff[c];
            }
        }
        std::swap(thisRow, nextRow);
        onRow(y, indices.data());
    }
}

}  // namespace kelbo
