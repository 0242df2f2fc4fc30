// Two pictures into one: the alpha mix, its sequence and the pixel
// arithmetic of the "Efekty" menu.
#include <algorithm>
#include <string>
#include <vector>

#include "all_commands.h"
#include "core/frame_number.h"
#include "core/text_encoding.h"
#include "imaging/filters/combine.h"
#include "picture_io.h"

namespace kelbo::cli {
namespace {

constexpr char kTwoFiles[] =
    "IN1 and IN2 are read by their extensions; the result has their common top-left size,\n"
    "min(w1, w2) x min(h1, h2), pixels paired by position. OUT is written by its extension as\n"
    "Save does. A failed run writes nothing.";

struct Pair {
    Bitmap24 first, second;
};

Pair ReadPair(const ParsedArgs& args, CommandIo& io) {
    return {std::move(ReadInputPicture(args.Positional()[0], io.codecs).bitmap),
            std::move(ReadInputPicture(args.Positional()[1], io.codecs).bitmap)};
}

int WriteResult(const Bitmap24& result, const std::string& out, CommandIo& io) {
    SavePictureFile(PathFromUtf8(out), result.View(), PixelFormat::k24, {}, io.codecs);
    io.out << "wrote " << out << " (" << result.Width() << " x " << result.Height() << ")\n";
    return kExitOk;
}

int RunBlend(const ParsedArgs& args, CommandIo& io) {
    const int alpha = args.IntValue("alpha", 128, 0, 255);
    const Pair p = ReadPair(args, io);
    return WriteResult(AlphaMix(p.first.View(), p.second.View(), alpha), args.Positional()[2], io);
}

int RunBlendSequence(const ParsedArgs& args, CommandIo& io) {
    const int count = args.IntValue("count", 0, 0, 255);
    const int start = args.IntValue("start", 0, 0, 254);
    int end = args.IntValue("end", 0, 0, 255);
    if (count == 0) throw std::runtime_error("--count 0: a sequence needs at least one picture");
    if (end <= start) end = start + 1;  // as the dialog corrects the interval
    const Pair p = ReadPair(args, io);
    const std::string& base = args.Positional()[2];
    const std::vector<int> alphas = AlphaSequence(count, start, end);
    FrameFiles files;
    for (std::size_t k = 0; k < alphas.size(); ++k) {
        const Bitmap24 frame = AlphaMix(p.first.View(), p.second.View(), alphas[k]);
        SavePictureFile(files.Add(base + FrameNumber(static_cast<int>(k)) + ".bmp"), frame.View(), PixelFormat::k24, {},
                        io.codecs);
    }
    files.PutInPlace();
    io.out << "wrote " << count << " picture" << (count == 1 ? "" : "s") << " " << base << "00.bmp ... " << base
           << FrameNumber(count - 1) << ".bmp (alpha";
    for (int a : alphas) io.out << ' ' << a;
    io.out << ")\n";
    return kExitOk;
}

const std::vector<std::pair<std::string, CombineMethod>> kMethods = {
    {"add", CombineMethod::kAdd},
    {"subtract", CombineMethod::kSubtract},
    {"difference", CombineMethod::kDifference},
    {"and", CombineMethod::kAnd},
    {"or", CombineMethod::kOr},
    {"darker", CombineMethod::kDarker},
    {"lighter", CombineMethod::kLighter},
    {"average", CombineMethod::kAverage},
};

int RunArith(const ParsedArgs& args, CommandIo& io) {
    const std::string name = args.ValueOr("method", "add");
    const auto method = std::ranges::find(kMethods, name, &std::pair<std::string, CombineMethod>::first);
    if (method == kMethods.end())
        throw UsageError("--method must be add, subtract, difference, and, or, darker, lighter or average, not \"" +
                         name + "\"");
    const Pair p = ReadPair(args, io);
    return WriteResult(Combine(p.first.View(), p.second.View(), method->second), args.Positional()[2], io);
}

}  // namespace

void AddCombineCommands(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "blend",
        .summary = "alpha mix of two pictures (\"Alfa miešanie\", \"Generuj obrázok\")",
        .arguments = "IN1 IN2 OUT",
        .description = std::string("Each channel is Round(a·A + (1 − a)·B), a = alpha / 255, in extended precision,\n"
                                   "halves to even: alpha 255 gives IN1, 0 gives IN2.\n") +
                       kTwoFiles,
        .options = {{"alpha", "N", "\"Alfa hodnota pre obrázok:\", 0..255 (default 128)"}},
        .minPositional = 3,
        .maxPositional = 3,
        .run = RunBlend,
    });
    registry.Add(Command{
        .name = "blend-sequence",
        .summary = "a series of alpha mixes (\"Postupnosť obrázkov\", \"Generuj postupnosť\")",
        .arguments = "IN1 IN2 OUTBASE",
        .description = std::string("Picture k = 0 … count − 1 is the alpha mix with alpha = start + k·((end − start)\n"
                                   "div count), written as OUTBASE + k + \".bmp\" with a \"0\" in front when k < 10\n"
                                   "(OUTBASE00.bmp, OUTBASE01.bmp, ...).\n") +
                       kTwoFiles,
        .options = {{"count", "N", "\"Počet obrázkov\", 0..255 (default 0; 0 is refused)"},
                    {"start", "N", "\"Začiatok intervalu:\", 0..254 (default 0)"},
                    {"end", "N", "\"Koniec intervalu :\", 0..255 (default 0; when not above --start, start + 1)"}},
        .minPositional = 3,
        .maxPositional = 3,
        .run = RunBlendSequence,
    });
    registry.Add(Command{
        .name = "arith",
        .summary = "combine two pictures pixel by pixel (\"Aritmetické funkcie\")",
        .arguments = "IN1 IN2 OUT",
        .description = std::string("Per channel: add min(255, A + B), subtract max(0, A − B), difference |A − B|,\n"
                                   "and A AND B, or A OR B, average (A + B) div 2; whole colours: darker takes A when\n"
                                   "Luminance(A) < Luminance(B), else B; lighter takes B then, else A.\n") +
                       kTwoFiles,
        .options = {{"method", "M",
                     "\"Použitá metóda\": add (\"sčítanie\", default), subtract (\"odčítanie\"), difference "
                     "(\"rozdieľ\"), and, or, darker (\"tmavší\"), lighter (\"svetlejší\"), average (\"priemer\")"}},
        .minPositional = 3,
        .maxPositional = 3,
        .run = RunArith,
    });
}

}  // namespace kelbo::cli
