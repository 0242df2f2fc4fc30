#include "browser/fast_view_files.h"

#include "browser/picture_names.h"

namespace kelbo {
namespace {

void Collect(const std::string& folder, int depth, const FolderLister& list, const FastViewSearch& search,
             std::vector<std::string>& files) {
    if (search.onFolder) search.onFolder(folder);
    for (const FolderEntry& entry : list(folder)) {
        if (entry.hidden && !search.showHiddenFiles) continue;
        if (entry.directory) {
            if (search.includeSubDirs && entry.name != "." && entry.name != ".." && depth < kFastViewMaxDepth) {
                Collect(folder + "\\" + entry.name, depth + 1, list, search, files);
            }
            continue;
        }
        if (!IsPictureFile(entry.name)) continue;
        files.push_back(folder + "\\" + entry.name);
        if (search.onFound) search.onFound(files.size());
    }
}

}  // namespace

std::vector<std::string> CollectFiles(std::string_view folder, const FolderLister& list, const FastViewSearch& search) {
    if (folder.ends_with('\\')) folder.remove_suffix(1);
    std::vector<std::string> files;
    Collect(std::string(folder), 0, list, search, files);
    return files;
}

std::vector<std::string> FastViewFiles(std::string_view folder, const FolderLister& list,
                                       const FastViewSearch& search) {
    std::vector<std::string> files = CollectFiles(folder, list, search);
    SortPictureNames(files);
    return files;
}

std::string SearchCaption(std::size_t found) { return "Vyhľadávanie (" + std::to_string(found) + " súborov)"; }

std::string SearchText(std::string_view folder) {
    return "Vytváram informácie o grafických súboroch a štruktúre adresárov uložených na disku. \r" +
           std::string(folder);
}

}  // namespace kelbo
