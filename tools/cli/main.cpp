#include <iostream>
#include <string>
#include <vector>

#include "all_commands.h"

#if defined(_WIN32)
#include "core/text_encoding.h"

// Wide arguments keep file names outside the ANSI code page intact.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(kelbo::WideToUtf8(argv[i]));
  return kelbo::cli::RunCli(kelbo::cli::AllCommands(), args, {std::cout, std::cerr});
}
#else
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kelbo::cli::RunCli(kelbo::cli::AllCommands(), args, {std::cout, std::cerr});
}
#endif
