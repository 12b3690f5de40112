#pragma once

// Writes a FishModel as a text DirectX .x file ("xof 0303txt 0032"):
//
//   AnimTicksPerSecond
//   Frame <name>                      root, identity
//     Mesh                            positions, faces
//       MeshNormals, MeshTextureCoords, MeshMaterialList (one Material with
//       a TextureFilename), XSkinMeshHeader, one SkinWeights per bone
//     Frame Head                      the bone chain, each frame the child
//       Frame Spine1 ...              of the one before
//   AnimationSet Swim                 one Animation per bone: rotation (0),
//                                     scale (1) and position (2) keys, closed
//
// Positions, normals and matrices are written as stored (left-handed, row
// vectors, translation in the fourth row), faces in their stored winding.
// Numbers are printed with six decimals, so equal models give equal files.

#include <string>

#include "tools/asset_generator/fish_model.h"

namespace assets {

class XFileWriter {
public:
    // The whole file as text.
    static std::string ToText(const FishModel& model);

    // Writes ToText(model) to path; false when the file cannot be written.
    static bool WriteFile(const FishModel& model, const std::string& path);

    // The largest number of distinct bones among the three vertices of any
    // triangle (the header's nMaxSkinWeightsPerFace).
    static int MaxBonesPerFace(const FishModel& model);
};

}  // namespace assets
