// Reading IN and writing OUT, shared by the subcommands that turn one
// picture file into another.
#pragma once

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/picture_files.h"
#include "commands.h"
#include "core/bitmap24.h"
#include "core/color.h"
#include "core/pixel_format.h"
#include "strips.h"

namespace kelbo::cli {

// IN by its extension as the program opens it; any other name is read as a
// Windows bitmap, so a bitmap under any name still works. Throws on failure.
LoadedPicture ReadInputPicture(const std::string& in, const PictureCodecs& codecs);

// A run's exit code, its failure reported as "kelbo-cli COMMAND: why"; a
// wrong option goes on to the caller, which has its own exit code for it.
template <typename Run>
auto Reported(std::string_view command, CommandIo& io, Run run) -> decltype(run()) {
    try {
        return run();
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        io.err << "kelbo-cli " << command << ": " << e.what() << '\n';
        return kExitFailure;
    }
}

// "wrote OUT (W x H)"; the exit code of success.
int WroteSize(CommandIo& io, const std::string& out, int width, int height);

// Reads IN (the first positional argument), lets `transform` make the
// picture to write, and writes it to OUT (the second) by OUT's extension, a
// bitmap in `format` with the table `palette` points to (read after
// `transform` ran; none when null). With a `stripReach` of 0 or more (see
// Command) a 24-bit result runs in strips where the files allow, with the
// same bytes. Reports "wrote OUT (W x H)", or the failure prefixed by
// "kelbo-cli COMMAND: ", and returns the exit code.
int TransformFile(std::string_view command, const ParsedArgs& args, CommandIo& io,
                  const std::function<Bitmap24(Bitmap24 picture)>& transform, PixelFormat format = PixelFormat::k24,
                  const Palette* palette = nullptr, int stripReach = -1);

// TransformFile at 24 bits for an operation that fills a new picture of the
// source's size (WholeFill); its strips fill bitmaps used again.
int FillFile(std::string_view command, const ParsedArgs& args, CommandIo& io, const StripFill& fill, int stripReach);

// The help's closing lines for IN and OUT.
extern const char kInOutFiles[];

// `options` and, for a command that runs in strips, kThreadsOption.
std::vector<OptionDef> WithThreads(std::vector<OptionDef> options, int stripReach);

// A subcommand "NAME [options] IN OUT": `make` reads and checks the options
// before any file is touched and gives the transform TransformFile runs.
void AddTransformCommand(CommandRegistry& registry, std::string name, std::string summary, std::string description,
                         std::vector<OptionDef> options, std::function<Transform(const ParsedArgs&)> make,
                         int stripReach = -1);

// A subcommand "NAME [options] IN OUT --threads N" whose result is a new
// picture made from the whole source: `make` reads and checks the options
// and gives how to make the result's rows, which go to OUT a band at a time
// when OUT is a bitmap (strips.h), and as a whole otherwise. Batch gets the
// whole-picture transform.
void AddRowsCommand(CommandRegistry& registry, std::string name, std::string summary, std::string description,
                    std::vector<OptionDef> options, std::function<RowsOf(const ParsedArgs&)> make);

// A whole-number option whose default comes from the picture: checked now,
// taken later; nullopt when not given.
std::optional<int> OptionalInt(const ParsedArgs& args, std::string_view name, int min, int max);

// A series of output files (frames) goes to temporary files beside their
// names and is put in place only when every one is written, so a failed run
// leaves no file behind and replaces none.
class FrameFiles {
public:
    FrameFiles() = default;
    FrameFiles(const FrameFiles&) = delete;
    FrameFiles& operator=(const FrameFiles&) = delete;
    ~FrameFiles();  // removes what was not put in place

    // The temporary name to write `name` (UTF-8) to; it keeps the extension.
    std::filesystem::path Add(const std::string& name);
    // Renames every file into place; throws FileError.
    void PutInPlace();

private:
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> files_;
};

}  // namespace kelbo::cli
