#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/picture_files.h"
#include "core/bitmap24.h"
#include "core/geometry.h"
#include "options.h"

namespace kelbo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a command works with: its output streams, and the picture codecs of
// the run (kelbo-cli's own JPEG picture, no progress).
struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    const PictureCodecs& codecs;
};

// What an operation does to a picture, with its options already read.
using Transform = std::function<Bitmap24(Bitmap24 picture)>;

// A new picture made from a whole source, a band of its rows at a time
// (strips.h), with its options already read.
struct ResultRows {
    Size size;
    std::function<void(RowBand band)> fill;  // the result's pixels in the band's rows
};
using RowsOf = std::function<ResultRows(ConstPixelView source)>;

// One subcommand: "kelbo-cli NAME [options] ARGS". Handlers throw UsageError
// for bad arguments and any other std::exception for a failure; they return
// the exit code otherwise.
struct Command {
    std::string name;
    std::string summary;    // one line for the list
    std::string arguments;  // positional arguments for the usage line, e.g. "FILE"
    std::string description;
    std::vector<OptionDef> options;
    std::size_t minPositional = 0;
    std::size_t maxPositional = 0;
    std::function<int(const ParsedArgs&, CommandIo&)> run;
    // An operation from one picture to another, which batch can chain: its
    // options (checked, throwing UsageError) give the change. Empty for the
    // other commands.
    std::function<Transform(const ParsedArgs&)> transform = {};
    // For a transform whose every output row depends only on the input rows
    // within this many of it (0: on its own row alone), and which keeps the
    // picture's size: run from file to file in strips when the files allow
    // (strips.h). -1: the whole picture at once.
    int stripReach = -1;
};

class CommandRegistry {
public:
    // Throws std::logic_error on a repeated name, to catch wiring mistakes.
    void Add(Command command);
    const Command* Find(std::string_view name) const;
    const std::vector<Command>& All() const { return commands_; }

private:
    std::vector<Command> commands_;
};

// Runs the command line (without the program name). Never throws.
int RunCli(const CommandRegistry& registry, std::span<const std::string> args, CommandIo io);

void PrintCommandHelp(const Command& command, std::ostream& out);

}  // namespace kelbo::cli
