#include "document/recent_files.h"

#include <algorithm>

namespace kelbo {

RecentFiles::RecentFiles(std::vector<std::string> entries) : entries_(std::move(entries)) {
    if (entries_.size() > kCapacity) entries_.resize(kCapacity);
}

bool RecentFiles::Add(std::string_view path) {
    if (std::find(entries_.begin(), entries_.end(), path) != entries_.end()) return false;
    entries_.insert(entries_.begin(), std::string(path));
    if (entries_.size() > kCapacity) entries_.pop_back();
    return true;
}

}  // namespace kelbo
