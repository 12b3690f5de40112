#pragma once

// Builds a fish's mesh: the lofted body (rings of vertices around the spine,
// closed by a point at the snout and a flat cap at the tail root) and its
// fins, with texture coordinates after TextureLayout and smoothed normals.

#include "tools/asset_generator/body_shape.h"
#include "tools/asset_generator/fish_mesh.h"

namespace assets {

class BodyLofter {
public:
    static constexpr int kRings = 48;     // cross-sections from snout to tail root
    static constexpr int kSegments = 24;  // vertices around one cross-section

    explicit BodyLofter(const BodyShape& shape);  // keeps a reference

    // The finished mesh: body, then fins; normals computed.
    FishMesh Build() const;

    // Only the closed body surface, normals not yet computed.
    void AddBody(FishMesh& mesh) const;

private:
    void AddSnout(FishMesh& mesh, int firstRing) const;
    void AddTailCap(FishMesh& mesh, int lastRing) const;

    const BodyShape& shape_;
};

}  // namespace assets
