#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "all_commands.h"
#include "picture_io.h"
#include "codecs/bmp_reader.h"
#include "codecs/picture_files.h"
#include "core/text_encoding.h"
#include "imaging/colour/colour_count.h"
#include "imaging/colour/colour_fields.h"
#include "imaging/colour/histogram.h"
#include "imaging/colour/hsl.h"
#include "imaging/colour/point_ops.h"

namespace kelbo::cli {
namespace {

constexpr char kFileHelp[] = "IN is read by its extension (.bmp, .gif, .jpg/.jpeg, .ico, .png; any other name\n"
                             "as a Windows bitmap); OUT is written by its extension: .gif, .jpg/.jpeg, .ico, .png as\n"
                             "Save writes them, anything else as a Windows bitmap (24 bits unless said above).";

// A change of the picture in place, its options already read.
using Change = std::function<void(PixelView)>;

Transform InPlaceTransform(Change change) {
    return [change = std::move(change)](Bitmap24 picture) {
        change(picture.View());
        return picture;
    };
}

Change MakeNegative(const ParsedArgs&) {
    return [](PixelView p) { Negative(p); };
}

Change MakeGrey(const ParsedArgs&) {
    return [](PixelView p) { GreyScale(p); };
}

Change MakeRgb(const ParsedArgs& args) {
    RgbChange change;
    change.red = args.IntValue("red", 100, 0, 300);
    change.green = args.IntValue("green", 100, 0, 300);
    change.blue = args.IntValue("blue", 100, 0, 300);
    change.exceptWhite = args.IntValue("except-white", 0, 0, 1) == 1;
    change.range = args.IntValue("range", 1, 0, 255);
    return [change](PixelView p) { ChangeRgb(p, change); };
}

Change MakeCmy(const ParsedArgs& args) {
    CmyChange change;
    change.cyan = args.IntValue("cyan", 100, 0, 500);
    change.magenta = args.IntValue("magenta", 100, 0, 500);
    change.yellow = args.IntValue("yellow", 100, 0, 500);
    return [change](PixelView p) { ChangeCmy(p, change); };
}

Change MakeGamma(const ParsedArgs& args) {
    GammaCorrection gamma;
    if (args.Has("linked")) {
        if (args.Has("red") || args.Has("green") || args.Has("blue")) {
            throw UsageError("gamma: --linked sets all three channels; give it alone");
        }
        const int position = args.IntValue("linked", 100, 1, 250);
        gamma = {position, position, position};
    } else {
        gamma.red = args.IntValue("red", 100, 1, 250);
        gamma.green = args.IntValue("green", 100, 1, 250);
        gamma.blue = args.IntValue("blue", 100, 1, 250);
    }
    // Made once, not for every strip.
    return [tables = MakeGammaTables(gamma)](PixelView p) { CorrectGamma(p, tables); };
}

Change MakeThreshold(const ParsedArgs& args) {
    const ThresholdFields fields = OrderThresholdFields(
        {args.IntValue("start", 0, 0, 255), args.IntValue("end", 0, 0, 255), args.IntValue("break", 0, 0, 255)});
    Threshold threshold;
    threshold.start = fields.start;
    threshold.breakPoint = fields.breakPoint;
    threshold.end = fields.end;
    threshold.lower = ColourValue(args, "lower", threshold.lower);
    threshold.upper = ColourValue(args, "upper", threshold.upper);
    return [threshold](PixelView p) { ApplyThreshold(p, threshold); };
}

Change MakeHsl(const ParsedArgs& args) {
    const int hue = args.IntValue("hue", 0, -100, 100);
    const int saturation = args.IntValue("saturation", 0, -100, 100);
    const int lightness = args.IntValue("lightness", 0, -100, 100);
    return [hue, saturation, lightness](PixelView p) { ChangeHSL(p, hue, saturation, lightness); };
}

Change MakeEqualize(const ParsedArgs&) {
    return [](PixelView p) { Equalize(p); };
}

ColourDepth DepthOption(const ParsedArgs& args) {
    const std::string depth = args.ValueOr("depth", "24");
    if (depth == "bw") return ColourDepth::kBlackWhite;
    if (depth == "two") return ColourDepth::kTwoColours;
    if (depth == "16") return ColourDepth::kSixteen;
    if (depth == "16grey") return ColourDepth::kSixteenGreys;
    if (depth == "256") return ColourDepth::k256;
    if (depth == "256grey") return ColourDepth::k256Greys;
    if (depth == "24") return ColourDepth::kTrueColour;
    throw UsageError("--depth must be bw, two, 16, 16grey, 256, 256grey or 24, not \"" + depth + "\"");
}

ReductionMethod MethodOption(const ParsedArgs& args) {
    const std::string method = args.ValueOr("method", "round");
    if (method == "round") return ReductionMethod::kRounding;
    if (method == "random") return ReductionMethod::kRandomDither;
    if (method == "fs") return ReductionMethod::kFloydSteinberg;
    throw UsageError("--method must be round, random or fs, not \"" + method + "\"");
}

struct Reduction {
    ColourDepth depth;
    ReductionMethod method;
    std::uint32_t seed;
};

Reduction ReductionOptions(const ParsedArgs& args) {
    return {DepthOption(args), MethodOption(args), static_cast<std::uint32_t>(args.IntValue("seed", 1, 0, 2147483647))};
}

Change MakeReduce(const ParsedArgs& args) {
    const Reduction r = ReductionOptions(args);
    return [r](PixelView p) { ReduceColours(p, ReductionPalette(p, r.depth), r.method, nullptr, r.seed); };
}

// On its own, the file keeps the depth and the table made from the picture as read.
int RunReduce(const ParsedArgs& args, CommandIo& io) {
    const Reduction r = ReductionOptions(args);
    std::vector<Color> palette;
    return TransformFile("reduce", args, io, InPlaceTransform([&](PixelView p) {
                             palette = ReductionPalette(p, r.depth);
                             ReduceColours(p, palette, r.method, nullptr, r.seed);
                         }),
                         DepthFormat(r.depth), &palette);
}

// Read-only commands print instead of writing.
int Report(const std::string& name, const ParsedArgs& args, CommandIo& io,
           const std::function<void(const Bitmap24&)>& print) {
    try {
        print(ReadInputPicture(args.Positional()[0], io.codecs).bitmap);
    } catch (const std::exception& e) {
        io.err << "kelbo-cli " << name << ": " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

int RunHistogram(const ParsedArgs& args, CommandIo& io) {
    return Report("histogram", args, io, [&](const Bitmap24& picture) {
        const ChannelHistogram h = CountChannels(picture.View());
        for (int v = 0; v < 256; ++v) {
            io.out << v << ' ' << h.red[v] << ' ' << h.green[v] << ' ' << h.blue[v] << '\n';
        }
    });
}

int RunColours(const ParsedArgs& args, CommandIo& io) {
    return Report("colours", args, io,
                  [&](const Bitmap24& picture) { io.out << CountColours(picture.View()) << '\n'; });
}

// Point operations: every pixel on its own, so they run in strips.
constexpr int kPointwise = 0;

Command InPlace(std::string name, std::string summary, std::string description, std::vector<OptionDef> options,
                std::function<Change(const ParsedArgs&)> make, int stripReach = -1) {
    const std::string command = name;
    return Command{
        .name = std::move(name),
        .summary = std::move(summary),
        .arguments = "IN OUT",
        .description = std::move(description) + "\n" + kFileHelp,
        .options = WithThreads(std::move(options), stripReach),
        .minPositional = 2,
        .maxPositional = 2,
        .run =
            [command, make, stripReach](const ParsedArgs& args, CommandIo& io) {
                return TransformFile(command, args, io, InPlaceTransform(make(args)), PixelFormat::k24, nullptr,
                                     stripReach);
            },
        .transform = [make](const ParsedArgs& args) { return InPlaceTransform(make(args)); },
        .stripReach = stripReach,
    };
}

}  // namespace

void AddColourCommands(CommandRegistry& registry) {
    registry.Add(InPlace("negative", "invert every channel (\"Negativ\")", "Every channel value v becomes 255 - v.", {},
                         MakeNegative, kPointwise));
    registry.Add(InPlace("grey", "grey scale by luminance (\"Len odtiene sedej\")",
                         "Every pixel becomes the grey Round(0.299 R + 0.587 G + 0.114 B).", {}, MakeGrey, kPointwise));
    registry.Add(InPlace("rgb", "scale the red, green and blue channels (\"Zmen RGB\")",
                         "Each channel becomes min(255, channel * percent div 100). With --except-white 1,\n"
                         "pixels whose three channels are all at least 256 - range keep their colour.",
                         {{"red", "P", "red percent, 0..300 (default 100)"},
                          {"green", "P", "green percent, 0..300 (default 100)"},
                          {"blue", "P", "blue percent, 0..300 (default 100)"},
                          {"except-white", "0|1", "keep near-white pixels (default 0)"},
                          {"range", "N", "how near white, 0..255 (default 1: only white)"}},
                         MakeRgb, kPointwise));
    registry.Add(InPlace("cmy", "scale the cyan, magenta and yellow complements (\"Zmen CMY\")",
                         "Each channel's complement 255 - v becomes min(255, (255 - v) * percent div 100),\n"
                         "and the channel its complement again.",
                         {{"cyan", "P", "cyan percent, 0..500 (default 100)"},
                          {"magenta", "P", "magenta percent, 0..500 (default 100)"},
                          {"yellow", "P", "yellow percent, 0..500 (default 100)"}},
                         MakeCmy, kPointwise));
    registry.Add(InPlace("gamma", "raise each channel to a power (\"Gama korekcia\")",
                         "Each channel value v (0 read as 1) becomes min(255, Round(v ^ (position / 100))):\n"
                         "position 100 keeps the picture, lower ones darken, higher ones brighten.",
                         {{"red", "P", "red position, 1..250 (default 100)"},
                          {"green", "P", "green position, 1..250 (default 100)"},
                          {"blue", "P", "blue position, 1..250 (default 100)"},
                          {"linked", "P", "one position, 1..250, for all three channels"}},
                         MakeGamma, kPointwise));
    registry.Add(InPlace("threshold", "colour two luminance bands (\"Prahovanie\")",
                         "A pixel whose luminance L has start < L < break takes --lower, break < L < end\n"
                         "takes --upper; others keep their colour. As the dialog does, end is raised to\n"
                         "start, and break brought between start and end.",
                         {{"start", "N", "start of the interval, 0..255 (default 0)"},
                          {"break", "N", "break point, 0..255 (default 0)"},
                          {"end", "N", "end of the interval, 0..255 (default 0)"},
                          {"lower", "RRGGBB", "colour of the lower band (default 000000)"},
                          {"upper", "RRGGBB", "colour of the upper band (default FFFFFF)"}},
                         MakeThreshold, kPointwise));
    registry.Add(InPlace("hsl", "scale hue, saturation and lightness (\"Zmen HSL\")",
                         "On the 240-step HSL scale each component grows by its own percent of itself\n"
                         "(hue limited to 239, saturation and lightness to 240).",
                         {{"hue", "P", "hue percent, -100..100 (default 0)"},
                          {"saturation", "P", "saturation percent, -100..100 (default 0)"},
                          {"lightness", "P", "lightness percent, -100..100 (default 0)"}},
                         MakeHsl, kPointwise));
    registry.Add(InPlace("equalize", "equalize the luminance histogram (\"Ekvalizacia\")",
                         "Spreads the luminance levels evenly; every pixel's channels are scaled\n"
                         "by one factor, so hues stay.",
                         {}, MakeEqualize));
    Command reduce = InPlace("reduce", "reduce to a colour depth (\"Zmena poctu farieb\")",
                             "Rewrites every pixel with a colour of the depth's table and writes OUT as a\n"
                             "bitmap of that depth with that table: bw black and white, two two colours made\n"
                             "for the picture (1 bit); 16 the standard colours, 16grey sixteen greys (4 bits);\n"
                             "256 a table made for the picture, 256grey every grey (8 bits); 24 nothing to\n"
                             "reduce. Methods: round (nearest colour), random (noise of the table's spacing\n"
                             "before the nearest colour, repeatable by --seed), fs (Floyd-Steinberg error\n"
                             "diffusion).",
                             {{"depth", "D", "bw, two, 16, 16grey, 256, 256grey or 24 (default 24)"},
                              {"method", "M", "round, random or fs (default round)"},
                              {"seed", "N", "seed of the random dither, 0..2147483647 (default 1)"}},
                             MakeReduce);
    reduce.run = RunReduce;
    registry.Add(std::move(reduce));
    registry.Add(Command{
        .name = "histogram",
        .summary = "print the red, green and blue counts of every level",
        .arguments = "IN",
        .description = "Prints 256 lines \"level red green blue\", the number of pixels whose red,\n"
                       "green and blue channels have that level.",
        .options = {},
        .minPositional = 1,
        .maxPositional = 1,
        .run = RunHistogram,
    });
    registry.Add(Command{
        .name = "colours",
        .summary = "print the number of distinct colours",
        .arguments = "IN",
        .description = "Prints how many different colours the picture uses.",
        .options = {},
        .minPositional = 1,
        .maxPositional = 1,
        .run = RunColours,
    });
}

}  // namespace kelbo::cli
