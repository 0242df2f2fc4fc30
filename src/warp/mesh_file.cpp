#include "warp/mesh_file.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/byte_writer.h"
#include "core/file_io.h"

namespace kelbo {
namespace {

void AppendLink(std::vector<std::uint8_t>& out, const TMeshLink& link) {
    for (std::int32_t v : {link.X1, link.Y1, link.X2, link.Y2, link.Node1, link.Node2}) AppendI32Le(out, v);
}

std::int32_t ReadI32Le(const std::uint8_t* p) {
    const std::uint32_t u = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                            std::uint32_t{p[3]} << 24;
    return static_cast<std::int32_t>(u);
}

TMeshLink ReadLink(const std::uint8_t* p) {
    return {ReadI32Le(p), ReadI32Le(p + 4), ReadI32Le(p + 8), ReadI32Le(p + 12), ReadI32Le(p + 16), ReadI32Le(p + 20)};
}

bool NodesInRange(const TMeshLink& link) {
    return link.Node1 >= 0 && link.Node1 < kMaxMeshNodes && link.Node2 >= 0 && link.Node2 < kMaxMeshNodes;
}

bool CoordinatesInRange(const TMeshLink& link) {
    return std::ranges::all_of(std::array{link.X1, link.Y1, link.X2, link.Y2},
                               [](std::int32_t v) { return v >= -kMaxMeshCoordinate && v <= kMaxMeshCoordinate; });
}

}  // namespace

std::vector<std::uint8_t> EncodeMesh(WarpMesh& mesh) {
    MakeTarget(mesh);
    std::vector<std::uint8_t> out;
    out.reserve(kMeshPairBytes * mesh.LinkCount);
    for (int i = 0; i < mesh.LinkCount; ++i) {
        AppendLink(out, mesh.SourceLinks[i]);
        AppendLink(out, mesh.TargetLinks[i]);
    }
    return out;
}

WarpMesh DecodeMesh(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) throw MeshFileError("Súbor so sieťou neobsahuje žiadny spoj.");
    if (bytes.size() % kMeshPairBytes != 0)
        throw MeshFileError("Súbor so sieťou je poškodený: jeho dĺžka " + std::to_string(bytes.size()) +
                            " B nie je násobkom 48 B.");
    const std::size_t pairs = bytes.size() / kMeshPairBytes;
    if (pairs > MaxMeshLinks)
        throw MeshFileError("Súbor so sieťou má " + std::to_string(pairs) + " spojov; sieť môže mať najviac 301.");
    WarpMesh mesh;
    std::int32_t greatest = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        const TMeshLink source = ReadLink(bytes.data() + i * kMeshPairBytes);
        const TMeshLink target = ReadLink(bytes.data() + i * kMeshPairBytes + kMeshRecordBytes);
        if (!NodesInRange(source) || !NodesInRange(target))
            throw MeshFileError("Súbor so sieťou je poškodený: spoj " + std::to_string(i) +
                                " má číslo uzla mimo rozsahu 0 až 601.");
        if (!CoordinatesInRange(source) || !CoordinatesInRange(target))
            throw MeshFileError("Súbor so sieťou je poškodený: spoj " + std::to_string(i) +
                                " má súradnicu mimo rozsahu -1048576 až 1048576.");
        mesh.SourceLinks[i] = source;
        mesh.TargetLinks[i] = target;
        greatest = std::max({greatest, source.Node1, source.Node2});
    }
    mesh.LinkCount = static_cast<std::uint16_t>(pairs);
    mesh.NodeCount = static_cast<std::uint16_t>(greatest + 1);
    mesh.TargetValid = true;
    return mesh;
}

void SaveMesh(WarpMesh& mesh, const std::filesystem::path& path) { WriteFileAtomically(path, EncodeMesh(mesh)); }

void LoadMesh(WarpMesh& mesh, const std::filesystem::path& path) {
    // A file too long to be a mesh is refused without reading all of it.
    const FilePrefix prefix = ReadFilePrefix(path, kMeshPairBytes * MaxMeshLinks + kMeshPairBytes);
    if (prefix.fileSize > kMeshPairBytes * MaxMeshLinks && prefix.fileSize % kMeshPairBytes == 0)
        throw MeshFileError("Súbor so sieťou má " + std::to_string(prefix.fileSize / kMeshPairBytes) +
                            " spojov; sieť môže mať najviac 301.");
    if (prefix.fileSize != prefix.bytes.size())
        throw MeshFileError("Súbor so sieťou je poškodený: jeho dĺžka " + std::to_string(prefix.fileSize) +
                            " B nie je násobkom 48 B.");
    mesh = DecodeMesh(prefix.bytes);
}

}  // namespace kelbo
