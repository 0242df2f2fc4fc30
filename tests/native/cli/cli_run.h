// Runs kelbo-cli in the test process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "all_commands.h"
#include "commands.h"

namespace kelbo::cli {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun Cli(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    TJPEGImage jpeg;
    const int code = RunCli(AllCommands(), args, {out, err, {jpeg}});
    return {code, out.str(), err.str()};
}

}  // namespace kelbo::cli
