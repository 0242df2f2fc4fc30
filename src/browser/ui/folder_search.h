// The disk's side of FolderLister: every entry of a folder with its
// hidden and system attributes, by the system's own search.
#pragma once

#include <string>
#include <vector>

#include "browser/folder_listing.h"

namespace kelbo {

std::vector<FolderEntry> SearchFolder(const std::string& folder);

}  // namespace kelbo
