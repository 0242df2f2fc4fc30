#include <algorithm>
#include <cctype>
#include <string>

#include "all_commands.h"
#include "codecs/bmp_reader.h"
#include "codecs/bmp_writer.h"
#include "core/text_encoding.h"

namespace kelbo::cli {
namespace {

// "keep" asks for the input's own format, as the program's Save does.
BmpPixelFormat FormatOption(const ParsedArgs& args, BmpPixelFormat source) {
  const std::string bits = args.ValueOr("bits", "24");
  if (bits == "keep") return source;
  if (bits == "1") return BmpPixelFormat::k1;
  if (bits == "4") return BmpPixelFormat::k4;
  if (bits == "8") return BmpPixelFormat::k8;
  if (bits == "15") return BmpPixelFormat::k15;
  if (bits == "16") return BmpPixelFormat::k16;
  if (bits == "24") return BmpPixelFormat::k24;
  if (bits == "32") return BmpPixelFormat::k32;
  throw UsageError("--bits must be 1, 4, 8, 15, 16, 24, 32 or keep, not \"" + bits + "\"");
}

std::string UpperExtension(const std::string& name) {
  std::string extension = PathFromUtf8(name).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension;
}

int RunConvert(const ParsedArgs& args, CommandIo& io) {
  const std::string& in = args.Positional()[0];
  const std::string& out = args.Positional()[1];
  const std::string extension = UpperExtension(out);
  // The program's own writer choice: these have writers of their own, every
  // other name is written as a Windows bitmap.
  if (extension == ".GIF" || extension == ".JPG" || extension == ".JPEG" || extension == ".ICO") {
    io.err << "kelbo-cli convert: " << out << ": writing " << extension.substr(1)
           << " files is not available in this version; use a .bmp name\n";
    return kExitFailure;
  }
  Result<BmpPicture> picture = ReadBmp(PathFromUtf8(in));
  if (!picture) {
    io.err << "kelbo-cli convert: " << in << ": " << picture.Error().message << '\n';
    return kExitFailure;
  }
  const BmpPixelFormat format = FormatOption(args, picture->format);
  WriteBmp(PathFromUtf8(out), picture->bitmap.View(), format, picture->palette);
  const BmpPixelFormat written = BmpBitsPerPixel(format) == 24 ? BmpPixelFormat::k24 : format;
  io.out << "wrote " << out << " (" << picture->bitmap.Width() << " x " << picture->bitmap.Height()
         << ", " << BmpPixelFormatName(written) << ")\n";
  return kExitOk;
}

}  // namespace

void AddConvertCommand(CommandRegistry& registry) {
  registry.Add(Command{
      .name = "convert",
      .summary = "convert a picture file, choosing the writer by OUT's extension",
      .arguments = "IN OUT",
      .description = "Reads IN (a Windows bitmap of any depth) and writes OUT. Like the program's\n"
                     "Save, any extension but .gif, .jpg, .jpeg and .ico is written as a Windows\n"
                     "bitmap. Palette depths reuse IN's colour table when it holds every colour,\n"
                     "else take the picture's own colours when they fit, else a median-cut table\n"
                     "(1 bit: black and white, white from luminance 128).",
      .options = {{"bits", "N",
                   "bits per pixel of a bitmap: 1, 4, 8, 15 (5-5-5), 16 (5-6-5), 24, 32, or keep "
                   "(IN's own; default 24)"}},
      .min_positional = 2,
      .max_positional = 2,
      .run = RunConvert,
  });
}

}  // namespace kelbo::cli
