#include "commands.h"

#include <algorithm>
#include <exception>
#include <iomanip>
#include <stdexcept>

#include "core/version.h"

namespace kelbo::cli {
namespace {

constexpr std::string_view kProgram = "kelbo-cli";

const OptionDef kHelpOption{"help", "", "show this help"};

void PrintVersion(std::ostream& out) {
    out << kProgram << ' ' << kVersion << '\n'
        << "Kelbo picture viewer, editor and warper: command-line front end\n"
#if defined(_WIN32)
        << "platform: Windows"
#else
        << "platform: Linux"
#endif
        << ", " << (sizeof(void*) * 8) << "-bit, built with g++ " << __VERSION__ << '\n';
}

void PrintGeneralHelp(const CommandRegistry& registry, std::ostream& out) {
    out << "usage: " << kProgram << " SUBCOMMAND [options] ARGUMENTS\n"
        << "       " << kProgram << " help SUBCOMMAND | --help | --version\n\n"
        << "subcommands:\n";
    std::size_t width = 0;
    for (const Command& c : registry.All()) width = std::max(width, c.name.size());
    for (const Command& c : registry.All()) {
        out << "  " << std::left << std::setw(static_cast<int>(width + 2)) << c.name << c.summary << '\n';
    }
    out << "\nExit status: 0 success, 1 failure, 2 wrong command line.\n";
}

int UsageFailure(std::ostream& err, const std::string& message, std::string_view hintCommand) {
    err << kProgram << ": " << message << '\n'
        << "run '" << kProgram << " help" << (hintCommand.empty() ? "" : " ") << hintCommand << "' for help\n";
    return kExitUsage;
}

void CheckPositionalCount(const Command& command, const ParsedArgs& parsed) {
    const std::size_t count = parsed.Positional().size();
    if (count < command.minPositional) {
        throw UsageError(command.name + ": missing argument" +
                         (command.arguments.empty() ? "" : " (" + command.arguments + ")"));
    }
    if (count > command.maxPositional) {
        throw UsageError(command.name + ": unexpected argument \"" + parsed.Positional()[command.maxPositional] + "\"");
    }
}

int RunCommand(const Command& command, std::span<const std::string> args, CommandIo& io) {
    std::vector<OptionDef> defs = command.options;
    defs.push_back(kHelpOption);
    try {
        const ParsedArgs parsed = ParseArgs(args, defs);
        if (parsed.Has("help")) {
            PrintCommandHelp(command, io.out);
            return kExitOk;
        }
        CheckPositionalCount(command, parsed);
        return command.run(parsed, io);
    } catch (const UsageError& e) {
        return UsageFailure(io.err, e.what(), command.name);
    } catch (const std::exception& e) {
        io.err << kProgram << ' ' << command.name << ": " << e.what() << '\n';
        return kExitFailure;
    }
}

int RunHelp(const CommandRegistry& registry, std::span<const std::string> rest, CommandIo& io) {
    if (rest.empty()) {
        PrintGeneralHelp(registry, io.out);
        return kExitOk;
    }
    if (rest.size() > 1) return UsageFailure(io.err, "help takes one subcommand name", "");
    const Command* command = registry.Find(rest[0]);
    if (!command) return UsageFailure(io.err, "unknown subcommand \"" + rest[0] + "\"", "");
    PrintCommandHelp(*command, io.out);
    return kExitOk;
}

}  // namespace

void CommandRegistry::Add(Command command) {
    if (Find(command.name)) throw std::logic_error("subcommand registered twice: " + command.name);
    commands_.push_back(std::move(command));
}

const Command* CommandRegistry::Find(std::string_view name) const {
    for (const Command& c : commands_) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
    out << "usage: " << kProgram << ' ' << command.name << (command.options.empty() ? "" : " [options]")
        << (command.arguments.empty() ? "" : " ") << command.arguments << '\n'
        << command.summary << '\n';
    if (!command.description.empty()) out << '\n' << command.description << '\n';
    std::vector<std::string> names;
    std::size_t width = 0;
    for (const OptionDef& o : command.options) {
        names.push_back("--" + o.name + (o.valueName.empty() ? "" : " " + o.valueName));
        width = std::max(width, names.back().size());
    }
    if (names.empty()) return;
    out << "\noptions:\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        out << "  " << std::left << std::setw(static_cast<int>(width + 2)) << names[i] << command.options[i].help
            << '\n';
    }
}

int RunCli(const CommandRegistry& registry, std::span<const std::string> args, CommandIo io) {
    try {
        if (args.empty()) {
            PrintGeneralHelp(registry, io.err);
            return kExitUsage;
        }
        const std::string& first = args[0];
        if (first == "--help" || first == "-h") return RunHelp(registry, args.subspan(1), io);
        if (first == "help") return RunHelp(registry, args.subspan(1), io);
        if (first == "--version") {
            if (args.size() > 1) return UsageFailure(io.err, "--version takes no arguments", "");
            PrintVersion(io.out);
            return kExitOk;
        }
        if (!first.empty() && first[0] == '-') return UsageFailure(io.err, "unknown option " + first, "");
        const Command* command = registry.Find(first);
        if (!command) return UsageFailure(io.err, "unknown subcommand \"" + first + "\"", "");
        return RunCommand(*command, args.subspan(1), io);
    } catch (const std::exception& e) {
        io.err << kProgram << ": " << e.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace kelbo::cli
