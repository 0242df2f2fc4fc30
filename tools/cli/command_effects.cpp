// The artistic and distortion effects of the "Efekty" menu. Options are read
// and checked before any file is touched; a value the program refuses exits
// with status 1 and names its option.
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "all_commands.h"
#include "strips.h"
#include "imaging/effects/effects.h"
#include "imaging/geometry/transforms.h"
#include "picture_io.h"

namespace kelbo::cli {
namespace {

// A value the effect cannot use: status 1, not a wrong command line.
int Refuse(const std::string& option, int value, const std::string& why) {
    throw std::runtime_error("--" + option + " " + std::to_string(value) + ": " + why);
}

int Positive(const ParsedArgs& args, const std::string& option, int fallback, int max) {
    const int value = args.IntValue(option, fallback, 0, max);
    return value == 0 ? Refuse(option, 0, "a size of 0 is refused") : value;
}

EffectRandom SeededRandom(const ParsedArgs& args) {
    return EffectRandom(static_cast<std::uint32_t>(args.IntValue("seed", 1, 0, 2147483647)));
}

const OptionDef kSeed{"seed", "N", "seed of the random numbers, 0..2147483647 (default 1)"};

// An effect that paints over the picture itself, which is the copy the
// window's form paints over.
template <typename Options, void (*Effect)(PixelView, const Options&, EffectRandom&, Progress*)>
Transform OverItself(Options options, EffectRandom random) {
    return [options, random](Bitmap24 picture) mutable {
        Effect(picture.View(), options, random, nullptr);
        return picture;
    };
}

Transform MakeEmboss(const ParsedArgs&) {
    return [](Bitmap24 picture) {
        Emboss(picture.View());
        return picture;
    };
}

Transform MakeRectangles(const ParsedArgs& args) {
    const int x = Positive(args, "x", 0, 10000);
    const int y = Positive(args, "y", 0, 10000);
    return [x, y](Bitmap24 picture) {
        Rectanglize(picture.View(), x, y);
        return picture;
    };
}

Transform MakePointillism(const ParsedArgs& args) {
    const PointillismOptions options{Positive(args, "size", 3, 255), args.IntValue("shrink", 2, 0, 255),
                                     args.IntValue("shift", 5, 0, 255)};
    return OverItself<PointillismOptions, &Pointillism>(options, SeededRandom(args));
}

Transform MakePainting(const ParsedArgs& args) {
    const PaintingOptions options{Positive(args, "size", 2, 255), args.IntValue("shrink", 5, 0, 255),
                                  args.IntValue("shift", 4, 0, 255), args.IntValue("stroke", 4, 0, 255)};
    return OverItself<PaintingOptions, &Painting>(options, SeededRandom(args));
}

Transform MakeMosaic(const ParsedArgs& args) {
    MosaicOptions options;
    options.tileWidth = args.IntValue("x", 10, 2, 10000);
    options.tileHeight = args.IntValue("y", 10, 2, 10000);
    options.thickness = args.IntValue("thickness", 1, 1, 10000);
    options.singleColour = !args.Has("no-single-colour");
    options.transparentFrame = args.Has("transparent-frame");
    options.transparency = args.IntValue("transparency", 0, 0, 255);
    options.stretch = args.Has("stretch");
    if (options.stretch && options.transparentFrame)
        throw UsageError("--stretch cannot be given with --transparent-frame");
    if (!options.transparentFrame) options.transparency = 0;
    return [options](Bitmap24 picture) {
        Mosaic(picture.View(), options);
        return picture;
    };
}

Transform MakeRoundPhoto(const ParsedArgs& args) {
    RoundPhotoOptions options;
    options.innerX = args.IntValue("inner-x", 50, 0, 65535);
    options.innerY = args.IntValue("inner-y", 50, 0, 65535);
    // As the dialog raises an outer value below its inner one.
    options.outerX = std::max(args.IntValue("outer-x", 100, 0, 65535), options.innerX);
    options.outerY = std::max(args.IntValue("outer-y", 100, 0, 65535), options.innerY);
    if (options.outerX <= options.innerX + 1)
        Refuse("outer-x", options.outerX, "the outer border must lie beyond --inner-x + 1");
    const std::optional<int> cx = OptionalInt(args, "centre-x", 0, 65535);
    const std::optional<int> cy = OptionalInt(args, "centre-y", 0, 65535);
    const int threads = ThreadsOf(args);
    return [options, cx, cy, threads](Bitmap24 picture) mutable {
        options.centreX = cx.value_or(picture.Width() / 2);
        options.centreY = cy.value_or(picture.Height() / 2);
        RoundPhoto(picture.View(), options, nullptr, threads);
        return picture;
    };
}

RowsOf MakeEarthquake(const ParsedArgs& args) {
    const EarthquakeOptions options{args.IntValue("change-x", 0, 0, 100), args.IntValue("change-y", 0, 0, 100),
                                    ColourValue(args, "background", colors::kWhite)};
    const int threads = ThreadsOf(args);
    return [options, threads](ConstPixelView source) {
        return ResultRows{EarthquakeSize({source.Width(), source.Height()}, options),
                          [source, options, threads](RowBand band) { EarthquakeRows(source, band, options, threads); }};
    };
}

RowsOf MakeWaves(const ParsedArgs& args) {
    WaveOptions options;
    options.xPeriod = args.IntValue("x-period", 10, -32768, 32767);
    options.xAmplitude = args.IntValue("x-amplitude", 15, -32768, 32767);
    options.yPeriod = args.IntValue("y-period", 10, -32768, 32767);
    options.yAmplitude = args.IntValue("y-amplitude", 15, -32768, 32767);
    if (options.yPeriod == 0) Refuse("y-period", 0, "the period of the horizontal shift cannot be 0");
    if (options.yAmplitude == 0) Refuse("y-amplitude", 0, "the period of the vertical shift cannot be 0");
    const int threads = ThreadsOf(args);
    return [options, threads](ConstPixelView source) {
        return ResultRows{{source.Width(), source.Height()},
                          [source, options, threads](RowBand band) { WavesRows(source, band, options, threads); }};
    };
}

void AddArtistic(CommandRegistry& registry) {
    AddTransformCommand(registry, "emboss",
                        "grey relief from the pixel and the byte-shifted row below (\"Vytlačený vzor/Emboss\")",
                        "Every pixel becomes the grey (L1 - L2 + 256) div 2: L1 the pixel's Luminance, L2 the\n"
                        "same weights over the row below's bytes shifted by one (that pixel with the blue byte\n"
                        "of its right neighbour). Rows from the top; the last row reads itself as the row\n"
                        "below and the byte past a row repeats its last pixel's blue byte.\n",
                        {}, MakeEmboss, /*stripReach=*/1);
    AddTransformCommand(registry, "rectangles",
                        "replace every X × Y cell by its mean colour (\"Premeň na pravouholníky\")",
                        "Cells from the top left, cut by the right and bottom edges; a cell's mean is per\n"
                        "channel the sum over its pixels divided by their number, remainder dropped.\n",
                        {{"x", "N", "\"Rozmer X:\", cell width, 0..10000 (default 0; 0 is refused)"},
                         {"y", "N", "\"Rozmer Y:\", cell height, 0..10000 (default 0; 0 is refused)"}},
                        MakeRectangles);
    AddTransformCommand(registry, "pointillism",
                        "a dot of each cell's mean colour, shrunk and shifted at random (\"Pointilizmus\")",
                        "For each cell (i, j) of size s, cell columns outer: dx, dy = Random(shift),\n"
                        "r1, r2 = Random(shrink), a filled ellipse in the box (i·s + dx, j·s + dy) to\n"
                        "(i·s + dx + 6 - r1, j·s + dy + 6 - r2), right and bottom edges excluded.\n",
                        {{"size", "N", "\"Veľkosť:\", cell size, 0..255 (default 3; 0 is refused)"},
                         {"shrink", "N", "\"Maximálne zmenšenie:\", 0..255 (default 2)"},
                         {"shift", "N", "\"Maximálne posunutie:\", 0..255 (default 5)"},
                         kSeed},
                        MakePointillism);
    AddTransformCommand(registry, "painting", "a diagonal stroke of dots of each cell's mean colour (\"Maľba\")",
                        "For each cell: dx, dy = Random(shift), sx, sy = 2·Random(2) - 1, count =\n"
                        "Random(stroke) + 1; dot k = 0 … count - 1 is pointillism's dot moved by\n"
                        "(k·sx, k·sy), with its own r1, r2 = Random(shrink).\n",
                        {{"size", "N", "\"Veľkosť štetca :\", cell size, 0..255 (default 2; 0 is refused)"},
                         {"shrink", "N", "\"Maximálne zmenšenie štetca :\", 0..255 (default 5)"},
                         {"shift", "N", "\"Maximálne posunutie :\", 0..255 (default 4)"},
                         {"stroke", "N", "\"Dĺžka ťahu štetcom :\", 0..255 (default 4)"},
                         kSeed},
                        MakePainting);
    AddTransformCommand(
        registry, "mosaic",
        "tiles of the tile's mean colour (divided by the full tile area) with shaded frames (\"Mozaika\")",
        "Tile (i, j) is drawn as a rectangle (i·X, j·Y) to ((i + 1)·X - 1, (j + 1)·Y - 1) without\n"
        "its right and bottom edges, then ring l = 1 … thickness: right and bottom sides in grey\n"
        "80 + (l - 1)·175 div thickness, left and top in grey 128 + (l - 1)·127 div thickness.\n"
        "A transparent frame is blended with the tile: ((255 - T)·grey + T·under) / 255. A\n"
        "stretched grid has max(1, W div X) × max(1, H div Y) whole tiles over the picture,\n"
        "each divided by its own area.\n",
        {{"x", "N", "\"X-ová os :\", tile width, 2..10000 (default 10)"},
         {"y", "N", "\"Y-ová os :\", tile height, 2..10000 (default 10)"},
         {"thickness", "N", "\"Hrúbka :\", frame rings, 1..10000 (default 1)"},
         {"no-single-colour", "",
          "clear \"Jednofarebná dlaždička\" (checked by default): frames only, over the picture"},
         {"transparent-frame", "", "check \"Priehľadné orámovanie \" (default off)"},
         {"transparency", "N", "\"Priehľadnosť\", 0..255 (default 0; used only with --transparent-frame)"},
         {"stretch", "", "check \"Roztiahnuť obrázok\" (default off; not with --transparent-frame)"}},
        MakeMosaic);
    AddTransformCommand(
        registry, "round-photo", "fade to white beyond an inner ellipse (\"Okrúhla fotografia\")",
        "A pixel with a channel of 0 has each channel raised by 1. With dx = |cx - x| (0.001\n"
        "when 0), dy = |cy - y|, θ = arctan(dy / dx), r = √((ax·cos θ)² + (ay·sin θ)²) and D the\n"
        "distance to the centre: where D > r each channel becomes min(255, Round(k·(D - r) +\n"
        "channel)), k = 256 / (bx - ax - 1). In extended precision.\n",
        {{"inner-x", "N", "\"Vnútorný okraj\" \"Os X\", 0..65535 (default 50)"},
         {"inner-y", "N", "\"Vnútorný okraj\" \"Os Y\", 0..65535 (default 50)"},
         {"outer-x", "N",
          "\"Vonkajší okraj\" \"Os X\", 0..65535 (default 100; raised to --inner-x when below it; "
          "not beyond --inner-x + 1 is refused)"},
         {"outer-y", "N", "\"Vonkajší okraj\" \"Os Y\", 0..65535 (default 100; raised to --inner-y when below it)"},
         {"centre-x", "N", "\"Stred\" \"Os X\", 0..65535 (default width div 2)"},
         {"centre-y", "N", "\"Stred\" \"Os Y\", 0..65535 (default height div 2)"},
         kThreadsOption},
        MakeRoundPhoto);
}

void AddDistortions(CommandRegistry& registry) {
    AddRowsCommand(registry, "earthquake", "a skewed copy blended with the picture (\"Zemetrasenie\"); 50 acts as 51",
                   "a = X / 100, b = Y / 100. The result is W × H, the largest corners of (Round(x + a·y),\n"
                   "Round(y + b·x)); pixel (x, y) samples the picture bilinearly at ((x - ox) + a·(y - oy),\n"
                   "(y - oy) + b·(x - ox)), ox = W - w, oy = H - h, and where that lies inside is\n"
                   "(sample + c2) div 2 with c2 the picture's pixel (x, y) or the background beyond it;\n"
                   "elsewhere the background.\n",
                   {{"change-x", "P", "\"Zmena na osi X:\", percent, 0..100 (default 0)"},
                    {"change-y", "P", "\"Zmena na osi Y:\", percent, 0..100 (default 0)"},
                    {"background", "RRGGBB", "colour outside the picture (default FFFFFF)"}},
                   MakeEarthquake);
    AddRowsCommand(
        registry, "waves",
        "sinusoidal displacement (\"Zvlnenie obrázku\"): u = x − sin(y / y-period)·x-period, v = y − "
        "sin(x / y-amplitude)·x-amplitude",
        "u is limited to 0 … w - 1 and v to 0 … h - 1; the pixel is the bilinear sample at (u, v),\n"
        "each channel rounded (halves to even), in extended precision.\n",
        {{"x-period", "N", "\"Os X\" \"Perióda\", -32768..32767 (default 10): amplitude of the horizontal shift"},
         {"x-amplitude", "N", "\"Os X\" \"Amplitúda\", -32768..32767 (default 15): amplitude of the vertical shift"},
         {"y-period", "N",
          "\"Os Y\" \"Perióda\", -32768..32767 (default 10): period of the horizontal shift; 0 is refused"},
         {"y-amplitude", "N",
          "\"Os Y\" \"Amplitúda\", -32768..32767 (default 15): period of the vertical shift; 0 is refused"}},
        MakeWaves);
}

}  // namespace

void AddEffectCommands(CommandRegistry& registry) {
    AddArtistic(registry);
    AddDistortions(registry);
}

}  // namespace kelbo::cli
