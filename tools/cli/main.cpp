#include <iostream>
#include <string>
#include <vector>

#include "all_commands.h"
#include "codecs/jpeg_image.h"

#if defined(_WIN32)
#include "core/text_encoding.h"

// Wide arguments keep file names outside the ANSI code page intact.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(kelbo::WideToUtf8(argv[i]));
    kelbo::TJPEGImage jpeg;  // the run's one JPEG picture
    return kelbo::cli::RunCli(kelbo::cli::AllCommands(), args, {std::cout, std::cerr, {jpeg}});
}
#else
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    kelbo::TJPEGImage jpeg;  // the run's one JPEG picture
    return kelbo::cli::RunCli(kelbo::cli::AllCommands(), args, {std::cout, std::cerr, {jpeg}});
}
#endif
