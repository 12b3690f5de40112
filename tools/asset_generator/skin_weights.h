#pragma once

// The bone chain along a fish's spine and the weights binding its mesh to it.
// Bone i owns the stretch of body from its joint back to the next joint; a
// vertex is shared between at most two neighbouring bones, blended smoothly
// over the half-stretches either side of each joint, and its weights sum to 1.

#include <vector>

#include "tools/asset_generator/body_shape.h"
#include "tools/asset_generator/fish_model.h"

namespace assets {

// One vertex's share of up to two bones; unused slots have bone -1, weight 0.
struct SpineBlend {
    int bones[2] = {-1, -1};
    double weights[2] = {0.0, 0.0};
};

// Bones at the species' joints, head first, each joint on the spine. Names
// are "Head", "Spine1", ..., "Tail".
std::vector<Bone> BuildSpineBones(const BodyShape& shape);

// The blend for a point at z given the joints' z (strictly decreasing, head
// first). In front of the first joint the head bone holds all; behind the
// last joint the tail bone does; at a joint the two bones share equally.
SpineBlend BlendAt(double z, const std::vector<double>& jointZ);

// Per-bone weight lists for every vertex of the mesh (by its z).
std::vector<BoneWeights> ComputeSkinWeights(const FishMesh& mesh, const std::vector<Bone>& bones);

}  // namespace assets
