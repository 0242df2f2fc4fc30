#include "all_commands.h"
#include "codecs/bmp_info.h"
#include "codecs/bmp_reader.h"
#include "core/text_encoding.h"
#include "gif_info.h"
#include "picture_info.h"

namespace kelbo::cli {
namespace {

void PrintBmpInfo(const BmpInfo& info, std::ostream& out) {
  out << "format: Windows bitmap\n"
      << "width: " << info.width << '\n'
      << "height: " << info.height << '\n'
      << "bits per pixel: " << info.bits_per_pixel << '\n'
      << "compression: " << BmpCompressionName(info.compression) << '\n'
      << "header: " << BmpHeaderKindName(info.header_kind) << '\n'
      << "row order: " << (info.bottom_up ? "bottom-up" : "top-down") << '\n'
      << "colours used: " << info.colors_used << '\n'
      << "palette entries: " << info.palette_entries << '\n'
      << "pixel data offset: " << info.pixel_offset << '\n'
      << "pixel format: " << PixelFormatName(PixelFormatOf(info)) << '\n'
      << "image size field: " << info.image_size << '\n'
      << "pixels per metre: " << info.x_pixels_per_meter << " x " << info.y_pixels_per_meter
      << '\n';
  if (info.compression == BmpCompression::kBitfields) {
    out << std::hex << std::uppercase << "red mask: 0x" << info.red_mask << '\n'
        << "green mask: 0x" << info.green_mask << '\n'
        << "blue mask: 0x" << info.blue_mask << '\n'
        << std::dec << std::nouppercase;
  }
}

// The colour table needs the whole file read; so does checking the pixels.
int PrintBmpPalette(const std::string& name, CommandIo& io) {
  const Result<BmpPicture> picture = ReadBmp(PathFromUtf8(name));
  if (!picture) {
    io.err << "kelbo-cli info: " << name << ": " << picture.Error().message << '\n';
    return kExitFailure;
  }
  for (std::size_t i = 0; i < picture->palette.size(); ++i) {
    const Color c = picture->palette[i];
    io.out << "palette " << i << ": " << int{RedOf(c)} << ' ' << int{GreenOf(c)} << ' '
           << int{BlueOf(c)} << '\n';
  }
  return kExitOk;
}

int RunInfo(const ParsedArgs& args, CommandIo& io) {
  const std::string& name = args.Positional()[0];
  if (const auto gif = RunGifInfo(name, io)) return *gif;
  if (const auto jpeg = RunJpegInfo(name, io)) return *jpeg;
  if (const auto icon = RunIconInfo(name, io)) return *icon;
  const Result<BmpInfo> info = ReadBmpInfo(PathFromUtf8(name));
  if (!info) {
    io.err << "kelbo-cli info: " << name << ": " << info.Error().message << '\n';
    return kExitFailure;
  }
  io.out << "file: " << name << '\n';
  PrintBmpInfo(*info, io.out);
  if (args.Has("palette")) return PrintBmpPalette(name, io);
  return kExitOk;
}

}  // namespace

void AddInfoCommand(CommandRegistry& registry) {
  registry.Add(Command{
      .name = "info",
      .summary = "print the size and format of a picture file",
      .arguments = "FILE",
      .description =
          "Reads only the headers (--palette and icons read the whole file). Prints one\n"
          "\"name: value\" line per field for a Windows bitmap, GIF, JPEG or icon, known by\n"
          "its first bytes; a file none of them can read gives the reason and exit status 1.",
      .options = {{"palette", "",
                   "also list the colour table (red green blue); reads the whole file"}},
      .min_positional = 1,
      .max_positional = 1,
      .run = RunInfo,
  });
}

}  // namespace kelbo::cli
