#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "all_commands.h"
#include "codecs/bmp_writer.h"
#include "codecs/gif_compose.h"
#include "codecs/gif_decoder.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "gif_info.h"

namespace kelbo::cli {
namespace {

const char* YesNo(bool value) { return value ? "yes" : "no"; }

GifFile ReadGifOrThrow(const std::string& name, bool decodePixels) {
    GifDecodeOptions options;
    options.decodePixels = decodePixels;
    Result<GifFile> file = ReadGifFile(PathFromUtf8(name), options);
    if (!file) throw std::runtime_error(name + ": " + file.Error().message);
    return std::move(file).Value();
}

std::string StopText(const GifFile& file) {
    std::string text = GifStopName(file.stop);
    if (!file.stopDetail.empty()) text += " (" + file.stopDetail + ")";
    return text;
}

std::string FrameFileName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%03zu.bmp", index + 1);
    return name;
}

int RunGifFrames(const ParsedArgs& args, CommandIo& io) {
    const std::string& in = args.Positional()[0];
    const std::string& outDir = args.Positional()[1];
    const GifFile file = ReadGifOrThrow(in, true);
    if (file.frames.empty())
        throw std::runtime_error(in + ": the GIF file holds no image; reading ended at " + StopText(file));
    if (file.logicalWidth == 0 || file.logicalHeight == 0)
        throw std::runtime_error(in + ": the logical screen is empty");

    const std::filesystem::path dir = PathFromUtf8(outDir);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) throw std::runtime_error("cannot create folder " + outDir + ": " + error.message());

    ComposeGifFrames(file, [&](std::size_t index, const GifComposer& screen) {
        const GifFrame& frame = file.frames[index];
        const std::string name = FrameFileName(index);
        WriteBmp24(dir / name, screen.Buffer().View());
        io.out << name << ": " << frame.width << " x " << frame.height << " at (" << frame.left << ", " << frame.top
               << "), delay " << frame.delayMs << " ms, disposal " << static_cast<int>(frame.disposal)
               << (frame.transparent ? ", transparent" : "") << (frame.Complete() ? "" : ", data cut short")
               << (frame.pixelError.empty() ? "" : " (" + frame.pixelError + ")") << '\n';
    });
    io.out << "wrote " << file.frames.size() << " frame" << (file.frames.size() == 1 ? "" : "s") << " of "
           << file.logicalWidth << " x " << file.logicalHeight << " to " << outDir << '\n';
    return kExitOk;
}

}  // namespace

std::optional<int> RunGifInfo(const std::string& name, CommandIo& io) {
    FilePrefix head;
    try {
        head = ReadFilePrefix(PathFromUtf8(name), 3);
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (!IsGifSignature(head.bytes)) return std::nullopt;

    GifDecodeOptions options;
    options.decodePixels = false;  // the fields need no pixels
    const Result<GifFile> read = ReadGifFile(PathFromUtf8(name), options);
    if (!read) {
        io.err << "kelbo-cli info: " << name << ": " << read.Error().message << '\n';
        return kExitFailure;
    }
    const GifFile& file = *read;
    io.out << "file: " << name << '\n'
           << "format: GIF\n"
           << "version: " << file.version << '\n'
           << "width: " << file.logicalWidth << '\n'
           << "height: " << file.logicalHeight << '\n'
           << "screen width: " << file.screenWidth << '\n'
           << "screen height: " << file.screenHeight << '\n'
           << "frames: " << file.frames.size() << '\n'
           << "loop count: " << file.loopCount << '\n'
           << "looping extension: " << YesNo(file.hasLoopExtension) << '\n'
           << "global colour table: "
           << (file.hasGlobalTable ? std::to_string(1 << (file.screenFlags & 7) << 1) + " colours"
                                   : std::string("none"))
           << '\n'
           << "transparent: " << YesNo(file.anyTransparent) << '\n'
           << "interlaced: " << YesNo(file.anyInterlaced) << '\n'
           << "reading ended at: " << StopText(file) << '\n';
    return kExitOk;
}

void AddGifFramesCommand(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "gif-frames",
        .summary = "write every composed frame of a GIF animation as a 24-bit bitmap",
        .arguments = "IN.gif DIR",
        .description = "Plays the animation once, as the GIF control shows it: each frame is drawn\n"
                       "over the logical screen after the previous one was disposed of. Frame N is\n"
                       "written as DIR/frameNNN.bmp (the folder is made if needed), the size of the\n"
                       "logical screen; areas no frame has covered yet are black.",
        .options = {},
        .minPositional = 2,
        .maxPositional = 2,
        .run = RunGifFrames,
    });
}

}  // namespace kelbo::cli
