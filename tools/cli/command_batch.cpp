// "batch": a chain of operations over many files, files shared out among a
// pool of threads. Every output goes through the safe save; a failed file is
// reported on its own line and never stops the others.
#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "all_commands.h"
#include "codecs/jpeg_image.h"
#include "core/text_encoding.h"
#include "picture_io.h"

namespace kelbo::cli {
namespace {

struct Step {
    const Command* command;
    ParsedArgs args;
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// "gauss; rgb --red 120" into the registry's commands and their checked
// options; every mistake is a UsageError before any file is read.
std::vector<Step> ParseOps(const CommandRegistry& registry, const std::string& ops) {
    std::vector<Step> steps;
    std::size_t start = 0;
    while (start <= ops.size()) {
        const std::size_t end = std::min(ops.find(';', start), ops.size());
        const std::vector<std::string> words = Words(ops.substr(start, end - start));
        start = end + 1;
        if (words.empty()) continue;
        const Command* command = registry.Find(words[0]);
        if (!command) throw UsageError("batch: no operation \"" + words[0] + "\"");
        if (!command->transform) throw UsageError("batch: \"" + words[0] + "\" is not an operation on one picture");
        const std::vector<std::string> rest(words.begin() + 1, words.end());
        Step step{command, ParseArgs(rest, command->options)};
        if (!step.args.Positional().empty())
            throw UsageError("batch: " + words[0] + " takes no file names inside --ops");
        command->transform(step.args);  // checks the options now
        steps.push_back(std::move(step));
    }
    if (steps.empty()) throw UsageError("batch: --ops names no operation");
    return steps;
}

std::string OutputExtension(const ParsedArgs& args, const std::filesystem::path& in) {
    if (!args.Has("format")) return PathToUtf8(in.extension());
    std::string format = *args.Value("format");
    if (format.empty() || format.find_first_of("/\\\\") != std::string::npos)
        throw UsageError("batch: --format must be an extension such as png or .bmp");
    return format.front() == '.' ? format : "." + format;
}

// The progress line and the failures, from every thread in turn.
class Report {
public:
    Report(CommandIo& io, std::size_t total) : io_(io), total_(total) {}
    void Done(const std::string& failure = {}) {
        const std::lock_guard lock(mutex_);
        ++done_;
        if (!failure.empty()) {
            ++failed_;
            io_.err << (lineOpen_ ? "\n" : "") << "kelbo-cli batch: " << failure << '\n';
        }
        io_.err << "\rbatch: " << done_ << "/" << total_ << " done, " << failed_ << " failed" << std::flush;
        lineOpen_ = done_ < total_;
        if (!lineOpen_) io_.err << '\n';
    }
    std::size_t Failed() const { return failed_; }

private:
    CommandIo& io_;
    std::mutex mutex_;
    std::size_t total_, done_ = 0, failed_ = 0;
    bool lineOpen_ = false;  // the progress line has no line end yet
};

void ConvertOne(const std::vector<Step>& steps, const std::string& in, const std::filesystem::path& out,
                const PictureCodecs& codecs) {
    Bitmap24 picture = std::move(ReadInputPicture(in, codecs).bitmap);
    for (const Step& step : steps) picture = step.command->transform(step.args)(std::move(picture));
    SavePictureFile(out, picture.View(), PixelFormat::k24, {}, codecs);
}

int RunBatch(const ParsedArgs& args, CommandIo& io) {
    const CommandRegistry registry = AllCommands();
    const std::vector<Step> steps = ParseOps(registry, args.ValueOr("ops", ""));
    const int threads = args.IntValue("threads", static_cast<int>(std::max(1u, std::thread::hardware_concurrency())), 1,
                                      256);
    if (!args.Has("out")) throw UsageError("batch: --out DIR is required");
    const std::filesystem::path dir = PathFromUtf8(*args.Value("out"));
    const std::vector<std::string>& files = args.Positional();
    std::vector<std::filesystem::path> outputs;
    for (const std::string& in : files) {
        const std::filesystem::path path = PathFromUtf8(in);
        outputs.push_back(dir / PathFromUtf8(PathToUtf8(path.stem()) + OutputExtension(args, path)));
    }
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!std::filesystem::is_directory(dir)) {
        io.err << "kelbo-cli batch: cannot make the folder " << PathToUtf8(dir) << ": " << error.message() << '\n';
        return kExitFailure;
    }
    // Two inputs of one base name would write one file: the later ones are refused.
    std::map<std::filesystem::path, std::size_t> first;
    for (std::size_t i = 0; i < outputs.size(); ++i) first.emplace(outputs[i], i);

    Report report(io, files.size());
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        TJPEGImage jpeg;  // one per thread: the JPEG picture keeps state
        const PictureCodecs codecs{jpeg};
        for (std::size_t i; (i = next++) < files.size();) {
            if (first.at(outputs[i]) != i) {
                report.Done(files[i] + ": " + PathToUtf8(outputs[i]) + " is the output of " +
                            files[first.at(outputs[i])] + " too");
                continue;
            }
            try {
                ConvertOne(steps, files[i], outputs[i], codecs);
                report.Done();
            } catch (const std::exception& e) {
                report.Done(files[i] + ": " + e.what());
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::min<int>(threads, static_cast<int>(files.size())); ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    io.out << "wrote " << files.size() - report.Failed() << " of " << files.size() << " files to " << PathToUtf8(dir)
           << '\n';
    return report.Failed() ? kExitFailure : kExitOk;
}

}  // namespace

void AddBatchCommand(CommandRegistry& registry) {
    registry.Add(Command{
        .name = "batch",
        .summary = "apply a chain of operations to many files, on several threads",
        .arguments = "FILE...",
        .description = "Runs the operations of --ops (subcommands with their options, separated by\n"
                       "\";\", e.g. \"gauss; rgb --red 120; resize --width-percent 50\") on each FILE in\n"
                       "turn and writes the result to DIR under the FILE's base name with the extension\n"
                       "of --format (default: the FILE's own), at 24 bits, through the safe save. Files\n"
                       "are shared among --threads threads. A progress line goes to stderr, and one line\n"
                       "for each file that fails; the others go on. Exit 1 when any file failed.",
        .options = {{"ops", "OPS", "the operations, \";\" between them (required)"},
                    {"out", "DIR", "the folder of the results, made when missing (required)"},
                    {"format", "EXT", "the results' extension, e.g. png (default: each FILE's)"},
                    {"threads", "N", "worker threads, 1..256 (default: the number of cores)"}},
        .minPositional = 1,
        .maxPositional = static_cast<std::size_t>(-1),
        .run = RunBatch,
    });
}

}  // namespace kelbo::cli
