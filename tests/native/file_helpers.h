#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
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

}  // namespace kelbo::testing
