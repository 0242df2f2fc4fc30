#include "browser/tree_nodes.h"

#include "browser/picture_names.h"

namespace kelbo {

std::optional<TreeNodeFacts> DriveNode(char letter, DriveType type) {
    const std::string drive = std::string(1, letter) + ":";
    switch (type) {
    case DriveType::kRemovable: return TreeNodeFacts{"Disketa (" + drive + ")", kRemovableImage};
    case DriveType::kFixed: return TreeNodeFacts{"Pevný disk (" + drive + ")", kFixedDiskImage};
    case DriveType::kRemote: return TreeNodeFacts{drive, kNetworkDriveImage};
    case DriveType::kCdRom: return TreeNodeFacts{"CD-ROM (" + drive + ")", kCdRomImage};
    case DriveType::kRamDisk: return TreeNodeFacts{"RAM disk (" + drive + ")", kNetworkDriveImage};
    default: return std::nullopt;
    }
}

std::vector<TreeNodeFacts> DriveNodes(const std::function<DriveType(char letter)>& typeOf) {
    std::vector<TreeNodeFacts> nodes;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (auto node = DriveNode(letter, typeOf(letter))) nodes.push_back(std::move(*node));
    }
    return nodes;
}

std::string NodeDrive(std::string_view caption) {
    const std::size_t colon = caption.find(':');
    if (colon == std::string_view::npos || colon == 0) return "C:";
    // The letter may be more than one byte of UTF-8.
    std::size_t start = colon - 1;
    while (start > 0 && (static_cast<unsigned char>(caption[start]) & 0xC0) == 0x80) --start;
    return std::string(caption.substr(start, colon - start)) + ":";
}

std::string NodePath(std::span<const TreeNodeFacts> chain) {
    if (chain.empty()) return "";
    const auto hasParent = [&](std::size_t i) { return i + 1 < chain.size(); };
    const auto isFolder = [&](std::size_t i) {
        return hasParent(i) && (chain[i].imageIndex == kClosedFolderImage || chain[i].imageIndex == kOpenFolderImage);
    };
    std::string text;
    std::size_t node = 0;
    for (;;) {
        text = chain[node].caption + "\\" + text;
        if (!hasParent(node)) return "";  // the start was the root
        ++node;
        if (!isFolder(node)) break;
    }
    if (hasParent(node)) return NodeDrive(chain[node].caption) + "\\" + text;
    return NodeDrive(chain[0].caption);
}

std::vector<std::string> SubfolderNames(const std::vector<FolderEntry>& entries, bool showHidden) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) {
        if (!entry.directory || entry.name == "." || entry.name == "..") continue;
        if (!showHidden && (entry.hidden || entry.system)) continue;
        names.push_back(entry.name);
    }
    SortPictureNames(names);
    return names;
}

}  // namespace kelbo
