#include "all_commands.h"
#include "codecs/bmp_info.h"
#include "core/text_encoding.h"

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
      << "pixel data offset: " << info.pixel_offset << '\n';
}

int RunInfo(const ParsedArgs& args, CommandIo& io) {
  const std::string& name = args.Positional()[0];
  const Result<BmpInfo> info = ReadBmpInfo(PathFromUtf8(name));
  if (!info) {
    io.err << "kelbo-cli info: " << name << ": " << info.Error().message << '\n';
    return kExitFailure;
  }
  io.out << "file: " << name << '\n';
  PrintBmpInfo(*info, io.out);
  return kExitOk;
}

}  // namespace

void AddInfoCommand(CommandRegistry& registry) {
  registry.Add(Command{
      .name = "info",
      .summary = "print the size and format of a picture file",
      .arguments = "FILE",
      .description =
          "Reads only the headers. Prints one \"name: value\" line per field;\n"
          "a file that is not a readable Windows bitmap gives the reason and exit status 1.",
      .options = {},
      .min_positional = 1,
      .max_positional = 1,
      .run = RunInfo,
  });
}

}  // namespace kelbo::cli
