// kelbo-hlpc SOURCE OUTPUT: compiles the help source into a WinHelp file.
#include <iostream>
#include <string>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "help_source.h"
#include "hlp_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kelbo-hlpc SOURCE.txt OUTPUT.hlp\n";
        return 2;
    }
    try {
        std::vector<std::uint8_t> source = kelbo::ReadFileBytes(kelbo::PathFromUtf8(argv[1]));
        kelbo::hlpc::HelpBook book = kelbo::hlpc::ParseHelpSource(std::string(source.begin(), source.end()));
        kelbo::WriteFileAtomically(kelbo::PathFromUtf8(argv[2]), kelbo::hlpc::WriteHelpFile(book));
    } catch (const kelbo::hlpc::HelpSourceError& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "kelbo-hlpc: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
