// The geometric operations of the "Úpravy" menu as subcommands, and the
// browser's thumbnail. Options are read and checked before any file is
// touched; a result that the program would refuse exits with status 1.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "all_commands.h"
#include "picture_io.h"
#include "strips.h"
#include "browser/thumbnail.h"
#include "imaging/geometry/resize_fields.h"
#include "imaging/geometry/transforms.h"

namespace kelbo::cli {
namespace {

RowsOf MakeRotate(const ParsedArgs& args) {
    RotationOptions options;
    options.angle = args.IntValue("angle", 0, -32768, 32767);
    options.background = ColourValue(args, "background", colors::kWhite);
    const std::optional<int> cx = OptionalInt(args, "centre-x", 0, 65535);
    const std::optional<int> cy = OptionalInt(args, "centre-y", 0, 65535);
    const int threads = ThreadsOf(args);
    return [options, cx, cy, threads](ConstPixelView source) mutable {
        options.centreX = cx.value_or(source.Width() / 2);
        options.centreY = cy.value_or(source.Height() / 2);
        return ResultRows{RotatedBox({source.Width(), source.Height()}, options).size,
                          [source, options, threads](RowBand band) { RotateRows(source, band, options, threads); }};
    };
}

RowsOf MakeShear(const ParsedArgs& args) {
    const ShearOptions options{args.IntValue("along-x", 0, 0, 1000), args.IntValue("along-y", 0, 0, 1000),
                               ColourValue(args, "background", colors::kWhite)};
    const int threads = ThreadsOf(args);
    return [options, threads](ConstPixelView source) {
        return ResultRows{ShearedBox({source.Width(), source.Height()}, options).size,
                          [source, options, threads](RowBand band) { ShearRows(source, band, options, threads); }};
    };
}

ResizeMethod MethodValue(const ParsedArgs& args) {
    const std::string method = args.ValueOr("method", "bilinear");
    if (method == "nearest") return ResizeMethod::kNearest;
    if (method == "linear") return ResizeMethod::kLinear;
    if (method == "bilinear") return ResizeMethod::kBilinear;
    throw UsageError("--method must be nearest, linear or bilinear, not \"" + method + "\"");
}

// One size option as typed into its dialog field, and which option set each pixel field last.
struct TypedField {
    const char* option;
    ResizeField field;
    std::optional<int> value;
};

RowsOf MakeResize(const ParsedArgs& args) {
    const ResizeMethod method = MethodValue(args);
    const bool keepRatio = args.Has("keep-ratio");
    const std::vector<TypedField> typed = {
        {"width", ResizeField::kWidth, OptionalInt(args, "width", 1, 10000)},
        {"width-percent", ResizeField::kWidthPercent, OptionalInt(args, "width-percent", 1, 10000)},
        {"height", ResizeField::kHeight, OptionalInt(args, "height", 1, 10000)},
        {"height-percent", ResizeField::kHeightPercent, OptionalInt(args, "height-percent", 1, 10000)},
    };
    if (typed[0].value && typed[1].value) throw UsageError("give --width or --width-percent, not both");
    if (typed[2].value && typed[3].value) throw UsageError("give --height or --height-percent, not both");
    const auto given = std::count_if(typed.begin(), typed.end(), [](const TypedField& t) { return t.value; });
    if (keepRatio && given > 1) throw UsageError("with --keep-ratio give one size option only");
    const int threads = ThreadsOf(args);
    return [typed, keepRatio, method, threads](ConstPixelView source) {
        const Size original{source.Width(), source.Height()};
        ResizeFields fields = InitialResizeFields(original);
        std::string widthFrom = "width", heightFrom = "height";
        for (const TypedField& t : typed) {
            if (!t.value) continue;
            const ResizeFields before = fields;
            fields = LinkResizeFields(fields, t.field, *t.value, original, keepRatio);
            if (fields.width != before.width) widthFrom = t.option;
            if (fields.height != before.height) heightFrom = t.option;
        }
        if (fields.width == 0) throw std::runtime_error("--" + widthFrom + " gives a width of 0 pixels");
        if (fields.height == 0) throw std::runtime_error("--" + heightFrom + " gives a height of 0 pixels");
        const Size size{fields.width, fields.height};
        return ResultRows{
            size, [source, size, method, threads](RowBand band) { ResizeRows(source, band, size, method, threads); }};
    };
}

Transform MakeBorders(const ParsedArgs& args) {
    Borders borders{args.IntValue("left", 0, 0, 500), args.IntValue("right", 0, 0, 500),
                    args.IntValue("top", 0, 0, 500), args.IntValue("bottom", 0, 0, 500)};
    if (args.Has("all")) {
        for (const char* side : {"left", "right", "top", "bottom"}) {
            if (args.Has(side)) throw UsageError(std::string("--all cannot be given with --") + side);
        }
        const int all = args.IntValue("all", 0, 0, 500);
        borders = {all, all, all, all};
    }
    return [borders](Bitmap24 picture) { return AddBorders(picture.View(), borders); };
}

template <void (*Mirror)(PixelView, Progress*)>
Transform MakeMirror(const ParsedArgs&) {
    return [](Bitmap24 picture) {
        Mirror(picture.View(), nullptr);
        return picture;
    };
}

}  // namespace

void AddGeometryCommands(CommandRegistry& registry) {
    AddRowsCommand(registry, "rotate", "turn by whole degrees about a centre (\"Rotacia\")",
                   "The result is sized to the turned outer corners; new pixel (i, j) samples the\n"
                   "source bilinearly at the point turned by +A about the centre (so the content\n"
                   "turns counter-clockwise on screen for positive A), computed in extended\n"
                   "precision; outside 0 <= sx < W - 1, 0 <= sy < H - 1 it takes the background.\n",
                   {{"angle", "A", "\"Otocenie o uhol\", whole degrees, -32768 to 32767 (default 0)"},
                    {"centre-x", "X", "\"Stred, os X\", 0 to 65535 (default width div 2)"},
                    {"centre-y", "Y", "\"os Y\", 0 to 65535 (default height div 2)"},
                    {"background", "RRGGBB", "colour outside the old picture (default FFFFFF)"}},
                   MakeRotate);
    AddRowsCommand(registry, "shear", "slant along x, y or both by percentages (\"Skosenie obrazku\")",
                   "kx = Px / 100, ky = Py / 100 (50 acts as 51). The box holds the corners moved by\n"
                   "x + kx*y, y + ky*x; new pixel (i, j) samples the source bilinearly at that shear of\n"
                   "(i - ox, j - oy), ox and oy the box's right and bottom less W and H.\n",
                   {{"along-x", "P", "\"V smere osi X\", percent, 0 to 1000 (default 0)"},
                    {"along-y", "P", "\"V smere osi Y\", percent, 0 to 1000 (default 0)"},
                    {"background", "RRGGBB", "colour outside the old picture (default FFFFFF)"}},
                   MakeShear);
    AddRowsCommand(registry, "resize", "resize by pixels or percent (\"Zmena velkosti\")",
                   "The options are typed into the dialog's fields, width first, then height, with\n"
                   "its linked-field rules; the size is then the two pixel fields. New pixel x\n"
                   "samples source position x * W / NW: nearest takes the nearest pixel, bilinear\n"
                   "weighs four, linear interpolates rows along x, rounds, then along y.\n",
                   {{"width", "N", "\"Absolutna hodnota\" \"X-ova os\", pixels, 1 to 10000 (default the width)"},
                    {"height", "N", "\"Y-ova os\", pixels, 1 to 10000 (default the height)"},
                    {"width-percent", "P", "\"Relativna hodnota (v %)\" \"X-ova os\", 1 to 10000 (default 100)"},
                    {"height-percent", "P", "\"Y-ova os\", 1 to 10000 (default 100)"},
                    {"keep-ratio", "", "\"Zachovavat pomer stran\" (default off)"},
                    {"method", "M", "nearest, linear or bilinear (default bilinear)"}},
                   MakeResize);
    AddTransformCommand(registry, "mirror-x", "mirror across the horizontal axis: upside down (\"Zrkadlo na osi X\")",
                        "Row y is exchanged with row H - 1 - y.\n", {}, MakeMirror<&MirrorX>);
    AddTransformCommand(registry, "mirror-y",
                        "mirror across the vertical axis: left and right exchanged (\"Zrkadlo na osi Y\")",
                        "Pixel x of every row is exchanged with pixel W - 1 - x.\n", {}, MakeMirror<&MirrorY>,
                        /*stripReach=*/0);
    AddTransformCommand(
        registry, "borders", "put the picture on a larger white picture (\"Pridaj okraje\")",
        "The result is (L + W + R) x (T + H + B) with the picture's top left at (L, T).\n",
        {{"left", "N", "\"Lavy okraj\", 0 to 500 (default 0)"},
         {"right", "N", "\"Pravy okraj\", 0 to 500 (default 0)"},
         {"top", "N", "\"Horny okraj\", 0 to 500 (default 0)"},
         {"bottom", "N", "\"Dolny okraj\", 0 to 500 (default 0)"},
         {"all", "N", "\"Pridaj na vsetky strany rovnako\": N on all four sides, 0 to 500; not with the four above"}},
        MakeBorders);
    AddTransformCommand(registry, "thumbnail", "the browser's thumbnail of a picture",
                        "A landscape picture is fitted to 80 pixels of width, any other to 75 of height,\n"
                        "by nearest-neighbour sampling; a picture smaller than the box both ways is put\n"
                        "unscaled at the top left of a white box. A box with a side of 0 is refused.\n",
                        {}, [](const ParsedArgs&) -> Transform {
                            return [](Bitmap24 picture) { return MakeThumbnail(picture.View()); };
                        });
}

}  // namespace kelbo::cli
