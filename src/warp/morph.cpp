#include "warp/morph.h"

#include <stdexcept>

namespace kelbo {

std::int32_t InterpolateCoordinate(std::int32_t s, std::int32_t t, int k, int n) {
    // Coordinates and k are bounded, so the product fits 64 bits; the value is
    // kept as it comes, not wrapped through 16 bits, so a node outside the
    // picture on the left or top stays there.
    return static_cast<std::int32_t>(s + (std::int64_t{k} * (std::int64_t{t} - s)) / n);
}

void InterpolateTarget(WarpMesh& mesh, const MeshLinks& target, int k, int n) {
    for (int i = 0; i < mesh.LinkCount; ++i) {
        const TMeshLink& s = mesh.SourceLinks[i];
        const TMeshLink& t = target[i];
        TMeshLink& out = mesh.TargetLinks[i];
        out = {InterpolateCoordinate(s.X1, t.X1, k, n),
               InterpolateCoordinate(s.Y1, t.Y1, k, n),
               InterpolateCoordinate(s.X2, t.X2, k, n),
               InterpolateCoordinate(s.Y2, t.Y2, k, n),
               t.Node1,
               t.Node2};
    }
}

namespace {

// Puts the user's target mesh back on every way out.
class TargetGuard {
public:
    explicit TargetGuard(WarpMesh& mesh) : mesh_(mesh), saved_(mesh.TargetLinks), count_(mesh.LinkCount) {}
    ~TargetGuard() { mesh_.TargetLinks = saved_; }
    TargetGuard(const TargetGuard&) = delete;
    TargetGuard& operator=(const TargetGuard&) = delete;

    const MeshLinks& Saved() const { return saved_; }

    // Links the triangulation kept (with "ChangeNum" off) get their ends'
    // positions in the user's target, so later frames move them with their
    // nodes instead of toward whatever the saved entries held.
    void AdoptAddedLinks() {
        for (; count_ < mesh_.LinkCount; ++count_) {
            const TMeshLink& link = mesh_.SourceLinks[count_];
            const std::span<const TMeshLink> kept = std::span(saved_).first(count_);
            const MeshPoint a = NodePosition(kept, link.Node1), b = NodePosition(kept, link.Node2);
            saved_[count_] = {a.x, a.y, b.x, b.y, link.Node1, link.Node2};
        }
    }

private:
    WarpMesh& mesh_;
    MeshLinks saved_;
    int count_;
};

}  // namespace

void RenderMorph(ConstPixelView clean, WarpMesh& mesh, const MorphOptions& options,
                 const std::function<void(int k, Bitmap24 frame)>& onFrame) {
    if (options.frames <= 0 || options.frames > 65535)
        throw std::invalid_argument("Počet obrázkov animácie musí byť 1 až 65535.");
    if (options.first < 0 || options.first > 65535 || options.last < 0 || options.last > 65535)
        throw std::invalid_argument("Číslo obrázku animácie musí byť 0 až 65535.");
    MakeTarget(mesh);
    TargetGuard guard(mesh);
    for (int k = options.first; k <= options.last; ++k) {
        InterpolateTarget(mesh, guard.Saved(), k, options.frames);
        Bitmap24 frame = WarpPicture(clean, mesh, options.warp);
        guard.AdoptAddedLinks();
        onFrame(k, std::move(frame));
    }
}

}  // namespace kelbo
