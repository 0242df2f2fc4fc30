#include "browser/ui/folder_search.h"

#include <windows.h>

#include "forms/text.h"

namespace kelbo {

std::vector<FolderEntry> SearchFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = forms::Wide(folder) + L"\\*.*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back({forms::Narrow(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

}  // namespace kelbo
