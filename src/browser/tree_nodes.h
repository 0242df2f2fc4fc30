// The browser's tree: the drive nodes, the folder a node stands for, and
// the subfolders an expanded node shows.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "browser/folder_listing.h"

namespace kelbo {

// Images of the tree's image list.
inline constexpr int kClosedFolderImage = 0;
inline constexpr int kOpenFolderImage = 1;
inline constexpr int kComputerImage = 2;
inline constexpr int kRemovableImage = 3;
inline constexpr int kFixedDiskImage = 4;
inline constexpr int kNetworkDriveImage = 6;
inline constexpr int kCdRomImage = 7;

inline constexpr std::string_view kComputerCaption = "Môj počítač";

// The system's drive types, with its numbers.
enum class DriveType {
    kUnknown = 0,
    kNoRootDir = 1,
    kRemovable = 2,
    kFixed = 3,
    kRemote = 4,
    kCdRom = 5,
    kRamDisk = 6
};

struct TreeNodeFacts {
    std::string caption;
    int imageIndex = 0;  // the same for the selected image
    bool operator==(const TreeNodeFacts&) const = default;
};

// "Pevný disk (C:)" and the like; none for an unknown type or no root folder.
std::optional<TreeNodeFacts> DriveNode(char letter, DriveType type);

// The root's children: DriveNode of A to Z in order, `typeOf` asked once per
// letter.
std::vector<TreeNodeFacts> DriveNodes(const std::function<DriveType(char letter)>& typeOf);

// The character before the first ":" of a caption, and ":"; "C:" for a
// caption with no character before a ":".
std::string NodeDrive(std::string_view caption);

// The folder a node stands for. `chain` is the node, then its parent, and so
// on up to a node of the top level. "" for the root, "C:" for a drive,
// "C:\Folder\Sub\" (with the trailing backslash) for a folder Sub inside
// Folder on drive C; a node counts as a folder when it has a parent and
// image 0 or 1.
std::string NodePath(std::span<const TreeNodeFacts> chain);

// The names of the subfolders an expanded node shows, sorted by
// PictureNameLess: directories but "." and ".."; hidden and system ones
// only with `showHidden`.
std::vector<std::string> SubfolderNames(const std::vector<FolderEntry>& entries, bool showHidden);

}  // namespace kelbo
