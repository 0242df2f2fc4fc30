// Where the program keeps its settings file.
#pragma once

#include <filesystem>

namespace kelbo {

// "kelbo.ini" is opened by name only, so the profile rules put it in the
// Windows directory; the settings code reads and writes it there directly.
std::filesystem::path SettingsFilePath();

}  // namespace kelbo
