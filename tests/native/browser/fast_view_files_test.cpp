#include <gtest/gtest.h>

#include <map>

#include "browser/fast_view_files.h"

namespace kelbo {
namespace {

// Pictures, a hidden and a system one, a directory named like a picture, a
// subfolder with one more and a hidden folder.
std::vector<FolderEntry> FakeTree(const std::string& folder) {
    static const std::map<std::string, std::vector<FolderEntry>> tree = {
        {"C:\\F",
         {{".", true},
          {"..", true},
          {"z.bmp"},
          {"Sub", true},
          {"b.JPG"},
          {"skryty.gif", false, true},
          {"system.ico", false, false, true},
          {"dir.jpg", true},
          {"text.txt"}}},
        {"C:\\F\\Sub", {{".", true}, {"..", true}, {"A.jpeg"}, {"Tajne", true, true}}},
        {"C:\\F\\Sub\\Tajne", {{"t.bmp"}}}};
    const auto found = tree.find(folder);
    return found == tree.end() ? std::vector<FolderEntry>{} : found->second;
}

TEST(FastViewFiles, WhichPicturesInWhichOrder) {
    const std::string b = "C:\\F\\b.JPG", s = "C:\\F\\system.ico", z = "C:\\F\\z.bmp", a = "C:\\F\\Sub\\A.jpeg";
    // With subfolders, with hidden entries: the pictures, and the folders searched (dir.jpg too).
    const std::tuple<bool, bool, std::vector<std::string>, std::size_t> cases[] = {
        {false, false, {b, s, z}, 1},
        {true, false, {b, a, s, z}, 3},
        {true, true, {b, "C:\\F\\skryty.gif", a, "C:\\F\\Sub\\Tajne\\t.bmp", s, z}, 4}};
    for (const auto& [subDirs, hidden, files, searched] : cases) {
        std::vector<std::string> folders;
        std::size_t found = 0;
        const FastViewSearch search{subDirs, hidden, [&](const std::string& f) { folders.push_back(f); },
                                    [&](std::size_t n) { found = n; }};
        EXPECT_EQ(FastViewFiles("C:\\F\\", FakeTree, search), files);
        EXPECT_EQ(folders.size(), searched);
        EXPECT_EQ(found, files.size());
    }
    EXPECT_EQ(CollectFiles("C:\\F", FakeTree, {}).front(), z);  // the system's order
    EXPECT_TRUE(FastViewFiles("C:\\nie", FakeTree, {}).empty());
}

TEST(FastViewFiles, AFolderLinkLeadingBackEndsTheSearch) {
    const auto loop = [](const std::string&) { return std::vector<FolderEntry>{{"a.bmp"}, {"spat", true}}; };
    EXPECT_EQ(CollectFiles("C:", loop, {}).size(), static_cast<std::size_t>(kFastViewMaxDepth + 1));
}

}  // namespace
}  // namespace kelbo
