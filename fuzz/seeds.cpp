// kelbo-fuzz-seeds OUT: writes the fuzzers' starting corpora into OUT/<harness>/,
// small valid files of every variant the project reads and writes, made by
// its own writers and by the test builders that state every byte.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codecs/bmp_test_files.h"
#include "codecs/gif_test_files.h"
#include "codecs/icon.h"
#include "codecs/jpeg_test_files.h"
#include "codecs/picture_files.h"
#include "codecs/png_codec.h"
#include "codecs/png_test_files.h"
#include "core/file_io.h"
#include "fuzz/harnesses.h"
#include "warp/mesh_file.h"
#include "warp/warp.h"

namespace kelbo::fuzz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class Corpus {
public:
    explicit Corpus(fs::path root) : root_(std::move(root)) {}

    void Add(std::string_view harness, const Bytes& bytes) {
        const fs::path dir = root_ / std::string(harness);
        fs::create_directories(dir);
        std::ofstream out(dir / ("seed-" + std::to_string(count_++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write a seed under " + dir.string());
    }
    // For the harnesses whose first byte chooses the extension.
    void AddChosen(std::string_view harness, std::uint8_t choice, const Bytes& bytes) {
        Bytes chosen{choice};
        chosen.insert(chosen.end(), bytes.begin(), bytes.end());
        Add(harness, chosen);
    }

private:
    fs::path root_;
    int count_ = 0;
};

// Choices of the picture-file and round-trip harnesses (their extension tables).
constexpr std::uint8_t kPickBmp = 0, kPickGif = 1, kPickJpeg = 2, kPickIcon = 3, kPickPng = 4;
constexpr std::uint8_t kRoundBmp = 0, kRoundGif = 1, kRoundPng = 2, kRoundIcon = 3;

Bytes Through(const fs::path& scratch, const std::function<void(const fs::path&)>& write) {
    write(scratch);
    Bytes bytes = ReadFileBytes(scratch);
    fs::remove(scratch);
    return bytes;
}

void AddBmps(Corpus& corpus) {
    for (const testing::NamedBmp& bmp : testing::EveryKindOfBmp()) {
        corpus.Add("bmp", bmp.bytes);
        corpus.AddChosen("picture-file", kPickBmp, bmp.bytes);
        corpus.AddChosen("round-trip", kRoundBmp, bmp.bytes);
    }
}

void AddGifs(Corpus& corpus) {
    const std::vector<Color> table = testing::RampPalette(4);
    std::vector<Bytes> gifs = {testing::MakeStillGif(5, 3, table, {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2}),
                               testing::MakeAnimatedGif(9, 6, 3)};
    testing::GifTestImage interlaced = testing::TestImage(1, 1, 4, 5, std::vector<std::uint8_t>(20, 2));
    interlaced.interlaced = true;
    interlaced.localTable = testing::RampPalette(8);
    testing::GifBuilder built;
    built.Header().Screen(6, 7, table).Loop(0).Comment("seed").GraphicControl(3, 5, true, 1);
    built.Image(testing::FilledTestImage(0, 0, 6, 7, 1)).GraphicControl(2, 0, false, 0).Image(interlaced).Trailer();
    gifs.push_back(built.bytes);
    for (const Bytes& gif : gifs) {
        corpus.Add("gif", gif);
        corpus.AddChosen("picture-file", kPickGif, gif);
        corpus.AddChosen("round-trip", kRoundGif, gif);
    }
}

void AddJpegs(Corpus& corpus) {
    const Bitmap24 picture = testing::ColourfulPicture(19, 11);
    std::vector<testing::LibraryJpegOptions> variants(7);
    variants[1].progressive = true;
    variants[2].grayscale = true;
    variants[3].cmyk = true;
    variants[4].ycck = true;
    variants[5].arithmetic = true;
    variants[6].restartRows = 1;
    variants[6].optimize = true;
    variants[6].comments = {"seed"};
    for (const testing::LibraryJpegOptions& options : variants) {
        const Bytes jpeg = testing::EncodeWithLibrary(picture, options);
        for (const std::uint8_t choice : {0, 1, 2, 0x25, 0x4A, 0x80}) corpus.AddChosen("jpeg", choice, jpeg);
        corpus.AddChosen("picture-file", kPickJpeg, jpeg);
    }
}

void AddIconsAndPngs(Corpus& corpus, const fs::path& scratch) {
    const Bitmap24 picture = testing::ColourfulPicture(16, 16);
    const Bytes icon = EncodeIcon(picture.View());
    corpus.Add("icon", icon);
    corpus.AddChosen("picture-file", kPickIcon, icon);
    corpus.AddChosen("round-trip", kRoundIcon, icon);

    std::vector<Bytes> pngs;
    for (const PixelFormat format : {PixelFormat::k1, PixelFormat::k4, PixelFormat::k8, PixelFormat::k24}) {
        pngs.push_back(Through(scratch, [&](const fs::path& p) { WritePng(p, picture.View(), format); }));
    }
    const std::array<testing::TestPng, 6> kinds = {{{PNG_COLOR_TYPE_GRAY, 2, true, true},
                                                    {PNG_COLOR_TYPE_GRAY, 16, false, false},
                                                    {PNG_COLOR_TYPE_RGB, 16, true, false},
                                                    {PNG_COLOR_TYPE_PALETTE, 8, true, true},
                                                    {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
                                                    {PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false}}};
    for (const testing::TestPng& kind : kinds) {
        pngs.push_back(Through(scratch, [&](const fs::path& p) { testing::WriteTestPng(p, kind, 7, 5); }));
    }
    for (const Bytes& png : pngs) {
        corpus.Add("png", png);
        corpus.AddChosen("picture-file", kPickPng, png);
        corpus.AddChosen("round-trip", kRoundPng, png);
    }
}

void AddMeshes(Corpus& corpus) {
    WarpMesh rectangle = RectangleMesh(40, 30);
    corpus.Add("mesh", EncodeMesh(rectangle));
    WarpMesh inner = RectangleMesh(40, 30);
    AddLink(inner, {10, 10}, 4, {30, 20}, 5);
    inner.NodeCount = 6;
    CompleteTriangles(inner);
    MakeTarget(inner);
    MoveNode(inner, MeshSide::kTarget, 4, {14, 5});
    corpus.Add("mesh", EncodeMesh(inner));
}

void AddSettings(Corpus& corpus) {
    const std::string ini =
        "; nastavenia\r\n[Settings]\r\nZoomConst=150\r\nFullView=1\r\nLastDir=\"C:\\Obr\xE1zky\"\r\n"
        "[Favourites]\r\nGroups=1\r\nGroup0=Dovolenka\r\nGroup0Files=1\r\nGroup0File0=C:\\a.bmp\r\n"
        "[Prázdna]\r\n  Key = ' value '  \r\nbroken line\n=novalue\r\n";
    corpus.Add("ini", Bytes(ini.begin(), ini.end()));
}

}  // namespace
}  // namespace kelbo::fuzz

int main(int argc, char** argv) {
    using namespace kelbo::fuzz;
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelbo-fuzz-seeds OUT\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        Corpus corpus(out);
        AddBmps(corpus);
        AddGifs(corpus);
        AddJpegs(corpus);
        AddIconsAndPngs(corpus, out / "scratch.png");
        AddMeshes(corpus);
        AddSettings(corpus);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelbo-fuzz-seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
