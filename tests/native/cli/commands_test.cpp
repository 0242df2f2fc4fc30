#include "commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "all_commands.h"
#include "codecs/bmp_info.h"
#include "core/text_encoding.h"
#include "file_helpers.h"
#include "temp_dir.h"

namespace kelbo::cli {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun RunWith(const CommandRegistry& registry, std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    TJPEGImage jpeg;
    const int code = RunCli(registry, args, {out, err, {jpeg}});
    return {code, out.str(), err.str()};
}

CliRun RunAll(std::vector<std::string> args) { return RunWith(AllCommands(), std::move(args)); }

// A registry with one command whose handler records what it was given.
CommandRegistry EchoRegistry(std::vector<std::string>& seen) {
    CommandRegistry registry;
    registry.Add(Command{
        .name = "echo",
        .summary = "repeat the arguments",
        .arguments = "WORD...",
        .description = "",
        .options = {{"times", "N", "how often"}},
        .minPositional = 1,
        .maxPositional = 2,
        .run =
            [&seen](const ParsedArgs& args, CommandIo& io) {
                seen = args.Positional();
                io.out << args.IntValue("times", 1, 1, 3);
                if (seen[0] == "fail") throw std::runtime_error("it failed");
                return kExitOk;
            },
    });
    return registry;
}

TEST(RunCli, DispatchesToTheSubcommandWithParsedArguments) {
    std::vector<std::string> seen;
    const CliRun r = RunWith(EchoRegistry(seen), {"echo", "--times=2", "a", "b"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, "2");
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

TEST(RunCli, ExitCodesForUsageErrorsAndFailures) {
    std::vector<std::string> seen;
    const CommandRegistry registry = EchoRegistry(seen);
    EXPECT_EQ(RunWith(registry, {}).code, kExitUsage);
    EXPECT_EQ(RunWith(registry, {"nope"}).code, kExitUsage);
    EXPECT_EQ(RunWith(registry, {"--nope"}).code, kExitUsage);
    EXPECT_EQ(RunWith(registry, {"echo"}).code, kExitUsage);                 // too few
    EXPECT_EQ(RunWith(registry, {"echo", "a", "b", "c"}).code, kExitUsage);  // too many
    EXPECT_EQ(RunWith(registry, {"echo", "--times", "9", "a"}).code, kExitUsage);
    EXPECT_EQ(RunWith(registry, {"echo", "--color", "a"}).code, kExitUsage);
    const CliRun failed = RunWith(registry, {"echo", "fail"});
    EXPECT_EQ(failed.code, kExitFailure);
    EXPECT_EQ(failed.err, "kelbo-cli echo: it failed\n");
}

TEST(RunCli, UsageErrorsPointToHelp) {
    std::vector<std::string> seen;
    const CliRun r = RunWith(EchoRegistry(seen), {"echo", "--color", "a"});
    EXPECT_EQ(r.err, "kelbo-cli: unknown option --color\nrun 'kelbo-cli help echo' for help\n");
}

TEST(RunCli, HelpListsEverySubcommand) {
    const CliRun r = RunAll({"--help"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_NE(r.out.find("usage: kelbo-cli SUBCOMMAND"), std::string::npos);
    const CommandRegistry registry = AllCommands();
    for (const Command& c : registry.All()) {
        EXPECT_NE(r.out.find("  " + c.name + " "), std::string::npos) << c.name;
    }
    EXPECT_EQ(RunAll({"help"}).out, r.out);
}

TEST(RunCli, HelpForOneSubcommand) {
    const CliRun r = RunAll({"help", "testcard"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_NE(r.out.find("usage: kelbo-cli testcard [options] OUT.bmp"), std::string::npos);
    EXPECT_NE(r.out.find("--width W"), std::string::npos);
    EXPECT_EQ(RunAll({"testcard", "--help"}).out, r.out);
    EXPECT_EQ(RunAll({"testcard", "-h"}).out, r.out);
    EXPECT_EQ(RunAll({"help", "nope"}).code, kExitUsage);
}

TEST(RunCli, Version) {
    const CliRun r = RunAll({"--version"});
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out.rfind("kelbo-cli 2.0\n", 0), 0u);
    EXPECT_EQ(RunAll({"--version", "x"}).code, kExitUsage);
}

TEST(RunCli, RepeatedSubcommandNamesAreAWiringError) {
    const auto make = [] {
        return Command{"x", "summary", "", "", {}, 0, 0, [](const ParsedArgs&, CommandIo&) { return 0; }};
    };
    CommandRegistry registry;
    registry.Add(make());
    EXPECT_THROW(registry.Add(make()), std::logic_error);
}

TEST(InfoCommand, DescribesABitmap) {
    testing::TempDir dir;
    const std::string path = PathToUtf8(dir / "card.bmp");
    ASSERT_EQ(RunAll({"testcard", "--width", "33", "--height=17", path}).code, kExitOk);
    const CliRun r = RunAll({"info", path});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "file: " + path +
                         "\n"
                         "format: Windows bitmap\n"
                         "width: 33\n"
                         "height: 17\n"
                         "bits per pixel: 24\n"
                         "compression: BI_RGB\n"
                         "header: BITMAPINFOHEADER (40 bytes)\n"
                         "row order: bottom-up\n"
                         "colours used: 0\n"
                         "palette entries: 0\n"
                         "pixel data offset: 54\n"
                         "pixel format: 24 bits\n"
                         "image size field: 1700\n"
                         "pixels per metre: 2835 x 2835\n");
}

TEST(InfoCommand, ExplainsWhyAFileIsNotReadable) {
    testing::TempDir dir;
    testing::WriteRaw(dir / "x.png", "\x89PNG\r\n");
    const std::string path = PathToUtf8(dir / "x.png");
    const CliRun r = RunAll({"info", path});
    EXPECT_EQ(r.code, kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "kelbo-cli info: " + path + ": not a Windows bitmap (no \"BM\" signature)\n");
    EXPECT_EQ(RunAll({"info", PathToUtf8(dir / "missing.bmp")}).code, kExitFailure);
    EXPECT_EQ(RunAll({"info"}).code, kExitUsage);
}

TEST(TestCardCommand, WritesTheRequestedSizeAndChecksItsOptions) {
    testing::TempDir dir;
    const std::string path = PathToUtf8(dir / "Čítaj ma.bmp");
    const CliRun r = RunAll({"testcard", path});
    EXPECT_EQ(r.code, kExitOk) << r.err;
    const auto info = ReadBmpInfo(PathFromUtf8(path));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 640);
    EXPECT_EQ(info->height, 480);
    EXPECT_EQ(RunAll({"testcard", "--width", "0", path}).code, kExitUsage);
    EXPECT_EQ(RunAll({"testcard", "--height", "9000", path}).code, kExitUsage);
    EXPECT_EQ(RunAll({"testcard", "--width", "abc", path}).code, kExitUsage);
    EXPECT_EQ(RunAll({"testcard", PathToUtf8(dir / "no" / "x.bmp")}).code, kExitFailure);
}

}  // namespace
}  // namespace kelbo::cli
