#include "all_commands.h"
#include "codecs/bmp_writer.h"
#include "core/bitmap24.h"
#include "core/text_encoding.h"
#include "test_card.h"

namespace kelbo::cli {
namespace {

// Beyond this a card is a memory test, not a picture.
constexpr int kMaxCardSide = 8192;

int RunTestCard(const ParsedArgs& args, CommandIo& io) {
    const int width = args.IntValue("width", 640, 1, kMaxCardSide);
    const int height = args.IntValue("height", 480, 1, kMaxCardSide);
    const int noise = args.IntValue("noise", 0, 0, 255);
    const std::string& name = args.Positional()[0];
    Bitmap24 card(width, height);
    DrawTestCard(card.View());
    AddTestCardNoise(card.View(), noise);
    WriteBmp24(PathFromUtf8(name), card.View());
    io.out << "wrote " << name << " (" << width << " x " << height << ", 24 bits per pixel)\n";
    return kExitOk;
}

}  // namespace

void AddTestCardCommand(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "testcard",
        .summary = "draw Kelbo's test card and write it as a 24-bit bitmap",
        .arguments = "OUT.bmp",
        .description = "Colour bars, grey ramp and steps, line gratings, a grid and a circle,\n"
                       "and corner marks: red top left, green top right, blue bottom left,\n"
                       "yellow bottom right. The noise is the same on every run.",
        .options = {{"width", "W", "width in pixels, 1 to 8192 (default 640)"},
                    {"height", "H", "height in pixels, 1 to 8192 (default 480)"},
                    {"noise", "N", "add to every channel its own noise of -N .. N, 0 to 255 (default 0)"}},
        .minPositional = 1,
        .maxPositional = 1,
        .run = RunTestCard,
    });
}

}  // namespace kelbo::cli
