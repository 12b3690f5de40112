#pragma once

// Builds a fish's mesh: the lofted body (rings of vertices around the spine,
// closed by a point at the snout and a flat cap at the tail root) and its
// fins, with texture coordinates after TextureLayout and smoothed normals.

#include "tools/asset_generator/body_shape.h"
#include "tools/asset_generator/fish_mesh.h"

namespace assets {

// How finely a fish is lofted. kFull is the model drawn up close; kLow is the
// low-detail model drawn far away and for all but the nearest fish of a large
// flock: a few percent of the triangles with the same outline, because its
// four segments fall on the back, the flanks and the belly, its rings on the
// profile's own curve, and its fins keep their ends, base lines and the
// tail's notch. The software renderer's cost for such a fish is mostly its
// triangles, so it has as few as keep that outline (88 against 3,152).
struct LoftDetail {
    int rings;          // cross-sections from snout to tail root
    int segments;       // vertices around one cross-section; a multiple of 4
    int finColumns;     // grid steps along a median or tail fin's base; even
    int finRows;        // grid steps from base to edge of the other fins
    int caudalRows;     // grid steps from the tail fin's base to its edge
    int pairedColumns;  // grid steps along a paired fin's base

    static const LoftDetail kFull;
    static const LoftDetail kLow;
};

inline constexpr LoftDetail LoftDetail::kFull{48, 24, 14, 3, 4, 6};
inline constexpr LoftDetail LoftDetail::kLow{6, 4, 2, 1, 1, 1};

class BodyLofter {
public:
    static constexpr int kRings = LoftDetail::kFull.rings;
    static constexpr int kSegments = LoftDetail::kFull.segments;

    // Keeps a reference to shape.
    explicit BodyLofter(const BodyShape& shape, LoftDetail detail = LoftDetail::kFull);

    // The finished mesh: body, then fins; normals computed.
    FishMesh Build() const;

    // Only the closed body surface, normals not yet computed.
    void AddBody(FishMesh& mesh) const;

private:
    void AddSnout(FishMesh& mesh, int firstRing) const;
    void AddTailCap(FishMesh& mesh, int lastRing) const;

    const BodyShape& shape_;
    LoftDetail detail_;
};

}  // namespace assets
