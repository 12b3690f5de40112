#pragma once

// Adds a fish's fins to its mesh as thin two-sided sheets: every fin is a grid
// between a base line on the body and an outer edge, emitted twice with
// opposite winding (and welds of its own per side), so it shows from both
// sides under back-face culling.

#include <vector>

#include "tools/asset_generator/body_lofter.h"
#include "tools/asset_generator/body_shape.h"
#include "tools/asset_generator/fish_mesh.h"
#include "tools/asset_generator/texture_layout.h"

namespace assets {

class FinLofter {
public:
    // Keeps a reference to shape.
    explicit FinLofter(const BodyShape& shape, LoftDetail detail = LoftDetail::kFull);

    // Dorsal, anal, tail and both pairs of paired fins.
    void AddFins(FishMesh& mesh) const;

    // A two-sided grid from base[i] to edge[i] (same length, at least 2)
    // with `rows` steps between them; texture v runs along i inside kind's
    // band, u from the base to the edge.
    static void AddSheet(FishMesh& mesh, const std::vector<Vec3>& base,
                         const std::vector<Vec3>& edge, int rows, FinKind kind);

    // The height of a median fin at s (0 front .. 1 back) from its keys,
    // eased between keys; 0 outside the keys.
    static double HeightAt(const MedianFin& fin, double s);

private:
    void AddMedianFin(FishMesh& mesh, const MedianFin& fin, bool onBack) const;
    void AddCaudalFin(FishMesh& mesh) const;
    void AddPairedFin(FishMesh& mesh, const PairedFin& fin, double side) const;

    const BodyShape& shape_;
    LoftDetail detail_;
};

}  // namespace assets
