#include "browser/ui/disk_folder.h"

#include <windows.h>

#include "forms/text.h"

namespace kelbo {

// FindFirstFileW rather than std::filesystem: the attributes come with the
// names, and the hidden and system ones decide what is listed.
std::vector<FolderEntry> ListDiskFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = forms::Wide(folder + "\\*.*");
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        FolderEntry entry;
        entry.name = forms::Narrow(found.cFileName);
        entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

}  // namespace kelbo
