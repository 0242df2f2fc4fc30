#include "app/ui/settings_location.h"

#include <windows.h>

#include <string>

namespace kelbo {

std::filesystem::path SettingsFilePath() {
    std::wstring dir(MAX_PATH, L'\0');
    UINT n = GetWindowsDirectoryW(dir.data(), static_cast<UINT>(dir.size()));
    if (n >= dir.size()) {
        dir.resize(n);
        n = GetWindowsDirectoryW(dir.data(), static_cast<UINT>(dir.size()));
    }
    dir.resize(n);
    return std::filesystem::path(dir) / L"kelbo.ini";
}

}  // namespace kelbo
