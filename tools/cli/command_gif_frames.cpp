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

GifFile ReadGifOrThrow(const std::string& name, bool decode_pixels) {
  GifDecodeOptions options;
  options.decode_pixels = decode_pixels;
  Result<GifFile> file = ReadGifFile(PathFromUtf8(name), options);
  if (!file) throw std::runtime_error(name + ": " + file.Error().message);
  return std::move(file).Value();
}

std::string StopText(const GifFile& file) {
  std::string text = GifStopName(file.stop);
  if (!file.stop_detail.empty()) text += " (" + file.stop_detail + ")";
  return text;
}

std::string FrameFileName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame%03zu.bmp", index + 1);
  return name;
}

int RunGifFrames(const ParsedArgs& args, CommandIo& io) {
  const std::string& in = args.Positional()[0];
  const std::string& out_dir = args.Positional()[1];
  const GifFile file = ReadGifOrThrow(in, true);
  if (file.frames.empty())
    throw std::runtime_error(in + ": the GIF file holds no image; reading ended at " +
                             StopText(file));
  if (file.logical_width == 0 || file.logical_height == 0)
    throw std::runtime_error(in + ": the logical screen is empty");

  const std::filesystem::path dir = PathFromUtf8(out_dir);
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) throw std::runtime_error("cannot create folder " + out_dir + ": " + error.message());

  ComposeGifFrames(file, [&](std::size_t index, const GifComposer& screen) {
    const GifFrame& frame = file.frames[index];
    const std::string name = FrameFileName(index);
    WriteBmp24(dir / name, screen.Buffer().View());
    io.out << name << ": " << frame.width << " x " << frame.height << " at (" << frame.left << ", "
           << frame.top << "), delay " << frame.delay_ms << " ms, disposal "
           << static_cast<int>(frame.disposal) << (frame.transparent ? ", transparent" : "")
           << (frame.Complete() ? "" : ", data cut short")
           << (frame.pixelError.empty() ? "" : " (" + frame.pixelError + ")") << '\n';
  });
  io.out << "wrote " << file.frames.size() << " frame" << (file.frames.size() == 1 ? "" : "s")
         << " of " << file.logical_width << " x " << file.logical_height << " to " << out_dir
         << '\n';
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
  options.decode_pixels = false;  // the fields need no pixels
  const Result<GifFile> read = ReadGifFile(PathFromUtf8(name), options);
  if (!read) {
    io.err << "kelbo-cli info: " << name << ": " << read.Error().message << '\n';
    return kExitFailure;
  }
  const GifFile& file = *read;
  io.out << "file: " << name << '\n'
         << "format: GIF\n"
         << "version: " << file.version << '\n'
         << "width: " << file.logical_width << '\n'
         << "height: " << file.logical_height << '\n'
         << "screen width: " << file.screen_width << '\n'
         << "screen height: " << file.screen_height << '\n'
         << "frames: " << file.frames.size() << '\n'
         << "loop count: " << file.loop_count << '\n'
         << "looping extension: " << YesNo(file.has_loop_extension) << '\n'
         << "global colour table: "
         << (file.has_global_table ? std::to_string(1 << (file.screen_flags & 7) << 1) + " colours"
                                   : std::string("none"))
         << '\n'
         << "transparent: " << YesNo(file.any_transparent) << '\n'
         << "interlaced: " << YesNo(file.any_interlaced) << '\n'
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
      .min_positional = 2,
      .max_positional = 2,
      .run = RunGifFrames,
  });
}

}  // namespace kelbo::cli
