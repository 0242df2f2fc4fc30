// The mesh file (.kmw): for every link, its source record then its target
// record, each the six fields as signed 32-bit little-endian integers; no
// header, so its length is 48 bytes per link.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <vector>

#include "warp/mesh.h"

namespace kelbo {

inline constexpr std::size_t kMeshRecordBytes = 24;
inline constexpr std::size_t kMeshPairBytes = 2 * kMeshRecordBytes;

// A mesh file that cannot be loaded; the message says why in Slovak.
class MeshFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's bytes; the target is made first (without marking it valid)
// when it is not valid, so the file then holds the source twice.
std::vector<std::uint8_t> EncodeMesh(WarpMesh& mesh);

// A mesh from the file's bytes: LinkCount pairs, NodeCount one more than
// the greatest node number, TargetValid set. Refused with MeshFileError
// (nothing is taken): no links, a length that is not a whole number of
// pairs, more than MaxMeshLinks pairs, node numbers outside 0..kMaxMeshNodes - 1
// or coordinates beyond kMaxMeshCoordinate.
WarpMesh DecodeMesh(std::span<const std::uint8_t> bytes);

// SaveMesh writes atomically (FileError on failure); LoadMesh throws
// FileError or MeshFileError, and on failure leaves `mesh` as it was.
void SaveMesh(WarpMesh& mesh, const std::filesystem::path& path);
void LoadMesh(WarpMesh& mesh, const std::filesystem::path& path);

}  // namespace kelbo
