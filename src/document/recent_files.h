// The File menu's list of recently opened pictures, newest first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelbo {

class RecentFiles {
public:
    static constexpr int kCapacity = 10;

    RecentFiles() = default;
    // Entries beyond the capacity are dropped.
    explicit RecentFiles(std::vector<std::string> entries);

    // A path already in the list (compared byte for byte) changes nothing;
    // otherwise it goes first and a full list drops its last entry.
    // Returns whether the list changed.
    bool Add(std::string_view path);

    const std::vector<std::string>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }

private:
    std::vector<std::string> entries_;
};

}  // namespace kelbo
