// The pictures the fast view shows for a folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/folder_listing.h"

namespace kelbo {

struct FastViewSearch {
    bool includeSubDirs = true;
    bool showHiddenFiles = false;
    // The search window's two texts: told each folder as its search begins,
    // and the number of pictures found after each one.
    std::function<void(const std::string& folder)> onFolder;
    std::function<void(std::size_t found)> onFound;
};

// Subfolders deeper than this are not searched: a folder link that leads
// back up would otherwise never end the search.
inline constexpr int kFastViewMaxDepth = 64;

// The folder (one trailing backslash removed) + "\" + name of every picture
// file (IsPictureFile) in the folder, and with `includeSubDirs` in its
// subfolders too, in the system's order; hidden entries, files and folders,
// only with `showHiddenFiles`, system ones always. A directory is never
// taken for a picture, whatever its name.
std::vector<std::string> CollectFiles(std::string_view folder, const FolderLister& list, const FastViewSearch& search);

// The folder's pictures as the view steps through them: CollectFiles sorted
// by PictureNameLess over the full paths, so a subfolder's pictures fall
// among the others by their path.
std::vector<std::string> FastViewFiles(std::string_view folder, const FolderLister& list, const FastViewSearch& search);

// The search window's texts.
std::string SearchCaption(std::size_t found);
std::string SearchText(std::string_view folder);

}  // namespace kelbo
