#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace kelbo::testing {

inline void WriteRaw(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string ReadRaw(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every entry of the directory: a file's bytes, a link's "-> target", "/" for
// a directory.
inline std::map<std::string, std::string> DirectoryContents(const std::filesystem::path& dir) {
    std::map<std::string, std::string> contents;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        contents[e.path().filename().string()] = e.is_symlink()     ? "-> " + read_symlink(e).string()
                                                 : e.is_directory() ? "/"
                                                                    : ReadRaw(e);
    }
    return contents;
}

}  // namespace kelbo::testing
