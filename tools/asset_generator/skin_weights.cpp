#include "tools/asset_generator/skin_weights.h"

#include <string>

namespace assets {

namespace {

// Weights below this are left out of the lists rather than written as 0.
constexpr double kNegligible = 1e-9;

std::string BoneName(std::size_t index, std::size_t count) {
    if (index == 0) {
        return "Head";
    }
    if (index + 1 == count) {
        return "Tail";
    }
    return "Spine" + std::to_string(index);
}

}  // namespace

std::vector<Bone> BuildSpineBones(const BodyShape& shape) {
    const std::vector<double>& joints = shape.Species().jointT;
    std::vector<Bone> bones;
    Vec3 parent;
    for (std::size_t i = 0; i < joints.size(); ++i) {
        Bone bone;
        bone.name = BoneName(i, joints.size());
        bone.joint = shape.SpinePoint(joints[i]);
        bone.offset = bone.joint - parent;
        parent = bone.joint;
        bones.push_back(bone);
    }
    return bones;
}

SpineBlend BlendAt(double z, const std::vector<double>& jointZ) {
    SpineBlend blend;
    blend.bones[0] = 0;
    blend.weights[0] = 1.0;
    const int last = static_cast<int>(jointZ.size()) - 1;
    if (last <= 0 || z >= jointZ[0]) {
        return blend;
    }
    int bone = 0;
    while (bone < last && z < jointZ[bone + 1]) {
        ++bone;
    }
    // The tail bone's stretch has no end joint; it blends over a stretch as
    // long as the one before it.
    const double length =
        bone < last ? jointZ[bone] - jointZ[bone + 1] : jointZ[last - 1] - jointZ[last];
    const double s = (jointZ[bone] - z) / length;  // 0 at the bone's own joint
    int other = -1;
    double shared = 0.0;
    if (s < 0.5 && bone > 0) {
        other = bone - 1;
        shared = 0.5 * (1.0 - SmoothStep(s / 0.5));
    } else if (s >= 0.5 && bone < last) {
        other = bone + 1;
        shared = 0.5 * SmoothStep((s - 0.5) / 0.5);
    }
    blend.bones[0] = bone;
    if (other >= 0 && shared >= kNegligible) {
        blend.bones[1] = other;
        blend.weights[1] = shared;
        blend.weights[0] = 1.0 - shared;
    }
    return blend;
}

std::vector<BoneWeights> ComputeSkinWeights(const FishMesh& mesh, const std::vector<Bone>& bones) {
    std::vector<double> jointZ;
    for (const Bone& bone : bones) {
        jointZ.push_back(bone.joint.z);
    }
    std::vector<BoneWeights> skin(bones.size());
    for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
        const SpineBlend blend = BlendAt(mesh.vertices[v].position.z, jointZ);
        for (int k = 0; k < 2; ++k) {
            if (blend.bones[k] >= 0) {
                skin[blend.bones[k]].vertices.push_back(static_cast<int>(v));
                skin[blend.bones[k]].weights.push_back(blend.weights[k]);
            }
        }
    }
    return skin;
}

}  // namespace assets
