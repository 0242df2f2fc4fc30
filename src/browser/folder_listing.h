// One entry of a folder search, as the tree and the fast view see it, and
// the search itself as something the caller provides (the disk in the
// program, a made-up tree in tests).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelbo {

struct FolderEntry {
    std::string name;  // without the folder; "." and ".." as the system gives them
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

// Every entry of a folder (a path without a trailing backslash; a drive
// alone is "C:"), in the system's order; empty for a folder that cannot be
// searched.
using FolderLister = std::function<std::vector<FolderEntry>(const std::string& folder)>;

}  // namespace kelbo
