#pragma once

// A skinned, animated fish model as it is written to a .x file: one triangle
// mesh, a chain of bones along the spine with the weights that bind the mesh
// to them, a looping swim animation and one textured material. Positions are
// in the model's own left-handed frame, head toward +z.

#include <string>
#include <vector>

#include "tools/asset_generator/fish_mesh.h"
#include "tools/asset_generator/image.h"
#include "tools/asset_generator/vec3.h"

namespace assets {

// A frame of the bone chain. Bone 0 hangs below the model's root frame; each
// later bone is the child of the one before.
struct Bone {
    std::string name;
    Vec3 joint;   // position in the model frame at rest
    Vec3 offset;  // translation relative to the parent frame at rest
};

// The vertices one bone moves and how strongly. Entries are in ascending
// vertex order; no weight is zero.
struct BoneWeights {
    std::vector<int> vertices;
    std::vector<double> weights;
};

struct Quat {
    double w = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct AnimationKey {
    int tick = 0;
    Quat rotation;     // the bone's rotation relative to its parent
    Vec3 translation;  // the bone's offset, constant
};

struct BoneTrack {
    int bone = 0;
    std::vector<AnimationKey> keys;  // ascending ticks; the last repeats the first
};

struct SwimAnimation {
    std::string name;
    int ticksPerSecond = 4800;
    std::vector<BoneTrack> tracks;  // one per bone, in bone order
};

struct FishModel {
    std::string name;
    FishMesh mesh;
    std::vector<Bone> bones;
    std::vector<BoneWeights> skin;  // one per bone
    SwimAnimation animation;
    Color diffuse;
    std::string textureName;  // as written into the material
};

}  // namespace assets
