// The neighbourhood filters of the "Filtre" menu as subcommands: each reads
// IN, filters it and writes OUT at 24 bits, as the program's result window
// would be saved.
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "all_commands.h"
#include "picture_io.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "imaging/filters/filters.h"

namespace kelbo::cli {
namespace {

// A filter with its options already read, so that a wrong option is
// reported before any file is touched: it fills a target of the source's size.
using Filter = StripFill;

// How far up and down a filter looks (see Command::stripReach).
constexpr int kOwnRow = 0;
constexpr int kNextRows = 1;
constexpr int kWholePicture = -1;

// Registers NAME IN OUT with the given options; `make` reads them into a filter.
void AddFilter(CommandRegistry& registry, std::string name, std::string summary, std::string description,
               std::vector<OptionDef> options, std::function<Filter(const ParsedArgs&)> make, int stripReach) {
    const std::string command = name;
    registry.Add(Command{
        .name = std::move(name),
        .summary = std::move(summary),
        .arguments = "IN OUT",
        .description = std::move(description),
        .options = WithThreads(std::move(options), stripReach),
        .minPositional = 2,
        .maxPositional = 2,
        .run = [command, make, stripReach](
                   const ParsedArgs& args,
                   CommandIo& io) { return FillFile(command, args, io, make(args), stripReach); },
        .transform = [make](const ParsedArgs& args) -> Transform { return WholeFill(make(args)); },
        .stripReach = stripReach,
    });
}

constexpr const char* kFiles = "IN is read by its extension (.bmp, .gif, .jpg/.jpeg, .ico, .png; any other name\n"
                               "as a Windows bitmap); OUT is written by its extension as Save does, a bitmap at 24\n"
                               "bits.";

}  // namespace

void AddFilterCommands(CommandRegistry& registry) {
    AddFilter(
        registry, "average", "horizontal mean over x - N .. x + N (\"Obycajne priemerovanie\")",
        std::string("Each channel is the mean of the row's pixels within N columns,\n"
                    "clipped to the picture, remainder dropped. N = 0 copies.\n") +
            kFiles,
        {{"strength", "N", "the radius, 0 to 65535 (default 5)"}},
        [](const ParsedArgs& args) -> Filter {
            const int radius = args.IntValue("strength", 5, 0, kMaxBitmapDimension);
            return [radius](ConstPixelView p, PixelView t) { Average(p, t, radius); };
        },
        kOwnRow);
    AddFilter(
        registry, "gauss", "3 x 3 Gaussian smoothing (\"Znizenie Gaussovho sumu\")",
        std::string("1 2 1 / 2 4 2 / 1 2 1 over 16; at the edges the centre takes the\n"
                    "weight of the missing neighbours. Halves round to even.\n") +
            kFiles,
        {}, [](const ParsedArgs&) -> Filter { return [](ConstPixelView p, PixelView t) { GaussianSmooth(p, t); }; },
        kNextRows);
    AddFilter(
        registry, "median", "horizontal median over x - N .. x + N (\"Filtrovanie medianom\")",
        std::string("Pixels ordered by blue, then green, then red; the middle of the\n"
                    "clipped window, the lower middle of an even one. N = 0 or above 15\n"
                    "copies.\n") +
            kFiles,
        {{"strength", "N", "the radius, 0 to 65535 (default 5)"}},
        [](const ParsedArgs& args) -> Filter {
            const int radius = args.IntValue("strength", 5, 0, kMaxBitmapDimension);
            return [radius](ConstPixelView p, PixelView t) { Median(p, t, radius); };
        },
        kOwnRow);
    AddFilter(
        registry, "roberts", "Roberts cross edges, modulo 256 (\"Robertsovym operatorom\")",
        std::string("|P(x,y) - P(x+1,y+1)| + |P(x,y+1) - P(x+1,y)| per channel, modulo 256;\n"
                    "the last column and row repeat the edge pixel.\n") +
            kFiles,
        {{"inverted", "", "write 255 - value (white background, dark edges)"}},
        [](const ParsedArgs& args) -> Filter {
            const bool inverted = args.Has("inverted");
            return [inverted](ConstPixelView p, PixelView t) { Roberts(p, t, inverted); };
        },
        kNextRows);
    AddFilter(
        registry, "laplace", "Laplace edges over 4 or 8 neighbours (\"Laplaceovym operatorom\")",
        std::string("|sum of the neighbours inside - n * centre| per channel, modulo 256.\n") + kFiles,
        {{"neighbours", "N", "4 or 8 (default 4)"},
         {"inverted", "", "write 255 - value (white background, dark edges)"}},
        [](const ParsedArgs& args) -> Filter {
            const int n = args.IntValue("neighbours", 4, 4, 8);
            if (n != 4 && n != 8) throw UsageError("--neighbours must be 4 or 8");
            const auto neighbours = n == 8 ? LaplaceNeighbours::kEight : LaplaceNeighbours::kFour;
            const bool inverted = args.Has("inverted");
            return [neighbours, inverted](ConstPixelView p, PixelView t) { Laplace(p, t, neighbours, inverted); };
        },
        kNextRows);
    AddFilter(
        registry, "sobel", "Sobel edges, kernel turned in 45-degree steps (\"Sobelovym operatorom\")",
        std::string("Kernel 1 0 -1 / 2 0 -2 / 1 0 -1 turned by (rotation - 1) * 45 degrees;\n"
                    "|sum| limited to 255, inverted unless --no-invert.\n") +
            kFiles,
        {{"rotation", "R", "1 to 8 (default 1)"},
         {"down-only", "", "white wherever not all three sums are above 0"},
         {"no-invert", "", "write |sum| instead of 255 - |sum|"}},
        [](const ParsedArgs& args) -> Filter {
            SobelOptions options;
            options.rotation = args.IntValue("rotation", 1, 1, 8);
            options.downOnly = args.Has("down-only");
            options.invert = !args.Has("no-invert");
            return [options](ConstPixelView p, PixelView t) { Sobel(p, t, options); };
        },
        kNextRows);
    AddFilter(
        registry, "noise", "remove noise by frequency or by space (\"Odstranenie sumu\")",
        std::string("Limit T = 255 - strength. frequency: where the Roberts measure\n"
                    "weighted like luminance exceeds T, the mean of the 2 x 2 pixels.\n"
                    "spatial: a pixel whose luminance is more than T from the mean\n"
                    "colour's takes the result's pixel to its left.\n") +
            kFiles,
        {{"method", "M", "frequency or spatial (default frequency)"},
         {"strength", "S", "0 to 255 (default 0: no change)"}},
        [](const ParsedArgs& args) -> Filter {
            const std::string methodName = args.ValueOr("method", "frequency");
            NoiseMethod method = NoiseMethod::kFrequency;
            if (methodName == "spatial") {
                method = NoiseMethod::kSpatial;
            } else if (methodName != "frequency") {
                throw UsageError("--method must be frequency or spatial, not \"" + methodName + "\"");
            }
            const int strength = args.IntValue("strength", 0, 0, 255);
            return [method, strength](ConstPixelView p, PixelView t) { RemoveNoise(p, t, method, strength); };
        },
        kWholePicture);
}

}  // namespace kelbo::cli
