// The folder search of the browser's windows on the disk.
#pragma once

#include <string>
#include <vector>

#include "browser/folder_listing.h"

namespace kelbo {

// A FolderLister over the disk: every entry of `folder` with its hidden and
// system attributes, "." and ".." as the system gives them; empty for a
// folder that cannot be searched.
std::vector<FolderEntry> ListDiskFolder(const std::string& folder);

}  // namespace kelbo
