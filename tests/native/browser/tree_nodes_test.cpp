#include <gtest/gtest.h>

#include "browser/tree_nodes.h"

namespace kelbo {
namespace {

TEST(TreeNodes, DriveNodesByType) {
    const std::string types = "2034560";  // from A: removable, none, fixed, remote, CD-ROM, RAM disk, no root
    const auto nodes = DriveNodes([&](char letter) {
        return static_cast<DriveType>(letter < 'H' ? types[static_cast<std::size_t>(letter - 'A')] - '0' : 0);
    });
    const std::vector<TreeNodeFacts> want = {
        {"Disketa (A:)", 3}, {"Pevný disk (C:)", 4}, {"D:", 6}, {"CD-ROM (E:)", 7}, {"RAM disk (F:)", 6}};
    EXPECT_EQ(nodes, want);
}

TEST(TreeNodes, PathOfANode) {
    const TreeNodeFacts root{"Môj počítač", 2}, c{"Pevný disk (C:)", 4}, d{"D:", 6}, folder{"Folder", 0}, sub{"Sub", 1},
        noColon{"Disk", 4};
    const std::pair<std::vector<TreeNodeFacts>, const char*> cases[] = {
        {{root}, ""},
        {{c, root}, "C:"},
        {{d, root}, "D:"},
        {{noColon, root}, "C:"},
        {{folder, c, root}, "C:\\Folder\\"},
        {{sub, folder, d, root}, "D:\\Folder\\Sub\\"},
        {{folder, noColon, root}, "C:\\Folder\\"},
        {{sub, folder}, "C:"}};  // a folder image at the top level is no folder node
    for (const auto& [chain, path] : cases) EXPECT_EQ(NodePath(chain), path) << chain.front().caption;
    EXPECT_EQ(NodeDrive(":x"), "C:");
    EXPECT_EQ(NodeDrive("Ž:"), "Ž:");
}

TEST(TreeNodes, SubfoldersOfAnExpandedNode) {
    const std::vector<FolderEntry> entries = {{".", true},
                                              {"..", true},
                                              {"zeta", true},
                                              {"a.bmp", false},
                                              {"Beta", true},
                                              {"skryty", true, true},
                                              {"sys", true, false, true},
                                              {"alfa", true}};
    EXPECT_EQ(SubfolderNames(entries, false), (std::vector<std::string>{"alfa", "Beta", "zeta"}));
    EXPECT_EQ(SubfolderNames(entries, true), (std::vector<std::string>{"alfa", "Beta", "skryty", "sys", "zeta"}));
}

}  // namespace
}  // namespace kelbo
