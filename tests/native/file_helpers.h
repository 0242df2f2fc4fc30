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

// Every entry of the directory: a file's bytes, a link's "-> target".
inline std::map<std::string, std::string> DirectoryContents(const std::filesystem::path& dir) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    contents[entry.path().filename().string()] =
        entry.is_symlink() ? "-> " + std::filesystem::read_symlink(entry.path()).string()
                           : ReadRaw(entry.path());
  }
  return contents;
}

}  // namespace kelbo::testing
