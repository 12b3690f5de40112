#include "platform/d3dx/d3dx_hierarchy_loader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/d3dx/d3dx_load_failure.h"
#include "platform/d3dx/file_bytes.h"
#include "platform/d3dx/x_file_scanner.h"
#include "platform/d3dx/x_mesh_builder.h"

// Sections: frames and mesh containers; the animation set; the entry points.

namespace {

void Report(const char* name, const std::string& reason) {
    D3DXReportLoadFailure("D3DXLoadMeshHierarchyFromXA", name, reason);
}

// A refusal of the scanner in plain words: the kind first, then the details.
std::string ScanFailureWords(XFileFault fault, const std::string& error) {
    switch (fault) {
        case XFileFault::kNotXFile:
            return "not a model file";
        case XFileFault::kTruncated:
            return "truncated (" + error + ")";
        default:
            return "damaged (" + error + ")";
    }
}

// Which layout mesh and part each of the importer's meshes is.
struct MeshSource {
    std::size_t mesh = 0;
    std::size_t part = 0;
};

class HierarchyBuilder {
public:
    HierarchyBuilder(const aiScene& scene, const XFileLayout& layout, DWORD options,
                     IDirect3DDevice9* device, ID3DXAllocateHierarchy& allocator)
        : scene_(scene),
          layout_(layout),
          options_(options),
          device_(device),
          allocator_(allocator) {}

    // Builds the hierarchy into *root (null on failure, with nothing left).
    HRESULT Build(D3DXFRAME** root);
    const std::string& Error() const { return error_; }

private:
    HRESULT BuildFrame(const aiNode& node, D3DXFRAME** frame);
    HRESULT BuildSiblings(aiNode* const* nodes, unsigned int count, D3DXFRAME** first);
    HRESULT BuildContainers(const aiNode& node, D3DXFRAME& frame);
    HRESULT BuildContainer(std::size_t mesh, const std::vector<const aiMesh*>& parts,
                           D3DXMESHCONTAINER** container);

    const aiScene& scene_;
    const XFileLayout& layout_;
    DWORD options_;
    IDirect3DDevice9* device_;
    ID3DXAllocateHierarchy& allocator_;
    std::vector<MeshSource> sources_;
    std::string error_;
};

// ---- Frames and mesh containers ----

HRESULT HierarchyBuilder::Build(D3DXFRAME** root) {
    *root = nullptr;
    for (std::size_t m = 0; m < layout_.meshes.size(); ++m) {
        for (std::size_t p = 0; p < layout_.meshes[m].parts.size(); ++p) {
            sources_.push_back({m, p});
        }
    }
    if (sources_.size() != scene_.mNumMeshes) {
        error_ = "the importer made a different number of meshes than the file holds";
        return D3DXERR_INVALIDDATA;
    }
    const aiNode& top = *scene_.mRootNode;
    // A root the importer made over several top-level frames is not ours:
    // those frames become the root and its siblings.
    const bool unwrap = layout_.syntheticRoot && !layout_.meshesOutsideFrames;
    const HRESULT result =
        unwrap ? BuildSiblings(top.mChildren, top.mNumChildren, root) : BuildFrame(top, root);
    if (FAILED(result) && *root != nullptr) {
        D3DXFrameDestroy(*root, &allocator_);
        *root = nullptr;
    }
    return result;
}

HRESULT HierarchyBuilder::BuildSiblings(aiNode* const* nodes, unsigned int count,
                                        D3DXFRAME** first) {
    D3DXFRAME** link = first;
    for (unsigned int i = 0; i < count; ++i) {
        if (nodes[i] == nullptr) {
            continue;
        }
        const HRESULT result = BuildFrame(*nodes[i], link);
        if (FAILED(result)) {
            return result;
        }
        link = &(*link)->pFrameSibling;
    }
    return D3D_OK;
}

// Links *frame as soon as it exists, so that a failure below it is cleaned
// up with the rest of the tree.
HRESULT HierarchyBuilder::BuildFrame(const aiNode& node, D3DXFRAME** frame) {
    const char* name = node.mName.length > 0 ? node.mName.C_Str() : nullptr;
    D3DXFRAME* created = nullptr;
    HRESULT result = allocator_.CreateFrame(name, &created);
    if (FAILED(result) || created == nullptr) {
        error_ = "the allocator refused a frame";
        return FAILED(result) ? result : E_FAIL;
    }
    *frame = created;
    created->TransformationMatrix = MatrixFromAssimp(node.mTransformation);
    result = BuildContainers(node, *created);
    if (FAILED(result)) {
        return result;
    }
    return BuildSiblings(node.mChildren, node.mNumChildren, &created->pFrameFirstChild);
}

HRESULT HierarchyBuilder::BuildContainers(const aiNode& node, D3DXFRAME& frame) {
    D3DXMESHCONTAINER** link = &frame.pMeshContainer;
    unsigned int i = 0;
    while (i < node.mNumMeshes) {
        // The importer's meshes of one .x mesh follow each other in a node.
        std::vector<const aiMesh*> parts;
        std::size_t mesh = 0;
        for (; i < node.mNumMeshes; ++i) {
            const unsigned int index = node.mMeshes[i];
            if (index >= sources_.size() || scene_.mMeshes[index] == nullptr) {
                error_ = "the importer made a mesh reference out of range";
                return D3DXERR_INVALIDDATA;
            }
            if (!parts.empty() && sources_[index].mesh != mesh) {
                break;
            }
            if (sources_[index].part != parts.size()) {
                error_ = "the importer ordered a mesh's parts differently from the file";
                return D3DXERR_INVALIDDATA;
            }
            mesh = sources_[index].mesh;
            parts.push_back(scene_.mMeshes[index]);
        }
        const HRESULT result = BuildContainer(mesh, parts, link);
        if (FAILED(result)) {
            return result;
        }
        while (*link != nullptr) {
            link = &(*link)->pNextMeshContainer;
        }
    }
    return D3D_OK;
}

HRESULT HierarchyBuilder::BuildContainer(std::size_t mesh, const std::vector<const aiMesh*>& parts,
                                         D3DXMESHCONTAINER** container) {
    const XFileLayout::Mesh& layout = layout_.meshes[mesh];
    XMeshContainerData data;
    HRESULT result = BuildXMesh(layout, parts, scene_, options_, device_, data, error_);
    if (FAILED(result)) {
        return result;
    }
    D3DXMESHDATA meshData;
    meshData.Type = D3DXMESHTYPE_MESH;
    meshData.pMesh = data.mesh;
    const char* name = layout.name.empty() ? nullptr : layout.name.c_str();
    result = allocator_.CreateMeshContainer(
        name, &meshData, data.materials.empty() ? nullptr : data.materials.data(), nullptr,
        static_cast<DWORD>(data.materials.size()), data.adjacency.data(), data.skinInfo, container);
    if (FAILED(result) || *container == nullptr) {
        *container = nullptr;
        error_ = "the allocator refused a mesh container";
        return FAILED(result) ? result : E_FAIL;
    }
    return D3D_OK;
}

// ---- The animation set ----

template <class Key, class AssimpKey, class Convert>
std::vector<Key> ConvertKeys(const AssimpKey* keys, unsigned int count, Convert convert) {
    std::vector<Key> converted;
    for (unsigned int k = 0; keys != nullptr && k < count; ++k) {
        Key key;
        key.Time = static_cast<float>(keys[k].mTime);
        key.Value = convert(keys[k].mValue);
        converted.push_back(key);
    }
    std::stable_sort(converted.begin(), converted.end(),
                     [](const Key& a, const Key& b) { return a.Time < b.Time; });
    return converted;
}

std::unique_ptr<D3DXKeyframedAnimationSet> BuildAnimationSet(const aiAnimation& animation) {
    const auto vector = [](const aiVector3D& v) { return D3DXVECTOR3{v.x, v.y, v.z}; };
    // Assimp's quaternion rotates column vectors the way ours rotates rows.
    const auto rotation = [](const aiQuaternion& q) { return D3DXQUATERNION{q.x, q.y, q.z, q.w}; };
    const double ticksPerSecond =
        animation.mTicksPerSecond > 0.0 ? animation.mTicksPerSecond : kDefaultTicksPerSecond;
    const double period =
        std::isfinite(animation.mDuration) && animation.mDuration > 0.0 ? animation.mDuration : 0.0;
    auto set = std::make_unique<D3DXKeyframedAnimationSet>(animation.mName.C_Str(), ticksPerSecond,
                                                           period);
    for (unsigned int c = 0; c < animation.mNumChannels; ++c) {
        const aiNodeAnim* channel = animation.mChannels[c];
        if (channel == nullptr || channel->mNodeName.length == 0) {
            continue;
        }
        D3DXAnimationTrack track;
        track.frameName = channel->mNodeName.C_Str();
        track.scaleKeys =
            ConvertKeys<D3DXKEY_VECTOR3>(channel->mScalingKeys, channel->mNumScalingKeys, vector);
        track.rotationKeys = ConvertKeys<D3DXKEY_QUATERNION>(channel->mRotationKeys,
                                                             channel->mNumRotationKeys, rotation);
        track.translationKeys =
            ConvertKeys<D3DXKEY_VECTOR3>(channel->mPositionKeys, channel->mNumPositionKeys, vector);
        set->AddTrack(std::move(track));
    }
    return set;
}

// Every named frame under frame (siblings included), the first in
// D3DXFrameFind's order (a frame, its children, then its siblings) winning.
void IndexFrames(D3DXFRAME* frame, std::unordered_map<std::string, D3DXFRAME*>& index) {
    for (; frame != nullptr; frame = frame->pFrameSibling) {
        if (frame->Name != nullptr) {
            index.emplace(frame->Name, frame);
        }
        IndexFrames(frame->pFrameFirstChild, index);
    }
}

// A controller for the first animation set, its tracks writing the frames of
// the same name; null when the file has none.
HRESULT BuildController(const aiScene& scene, D3DXFRAME* root,
                        ID3DXAnimationController** controller) {
    *controller = nullptr;
    if (scene.mNumAnimations == 0 || scene.mAnimations[0] == nullptr) {
        return D3D_OK;
    }
    HRESULT result =
        D3DXCreateAnimationController(BuildAnimationSet(*scene.mAnimations[0]), controller);
    if (FAILED(result)) {
        return result;
    }
    // The frames by name, the first in D3DXFrameFind's order winning.
    std::unordered_map<std::string, D3DXFRAME*> frames;
    IndexFrames(root, frames);
    for (const D3DXAnimationTrack& track : (*controller)->GetAnimationSet().Tracks()) {
        const auto found = frames.find(track.frameName);
        if (found != frames.end()) {
            (*controller)
                ->RegisterAnimationOutput(track.frameName.c_str(),
                                          &found->second->TransformationMatrix);
        }
    }
    return D3D_OK;
}

// ---- The entry points ----

const aiScene* Import(Assimp::Importer& importer, const void* data, std::size_t size,
                      std::string& error) {
    try {
        // Only the conversion back to the file's left-handed frame: no
        // triangulation, joining or sorting that would move vertices away
        // from their skin weights.
        const aiScene* scene = importer.ReadFileFromMemory(data, static_cast<unsigned int>(size),
                                                           aiProcess_ConvertToLeftHanded, "x");
        if (scene == nullptr || scene->mRootNode == nullptr) {
            error = std::string("the importer refused it (") + importer.GetErrorString() + ")";
            return nullptr;
        }
        return scene;
    } catch (const std::exception& exception) {
        error = std::string("the importer failed (") + exception.what() + ")";
        return nullptr;
    }
}

HRESULT LoadHierarchy(const void* data, std::size_t size, const char* name, DWORD options,
                      IDirect3DDevice9* device, ID3DXAllocateHierarchy* allocator,
                      D3DXFRAME** frames, ID3DXAnimationController** controller) {
    XFileLayout layout;
    std::string error;
    XFileFault fault = XFileFault::kNone;
    if (size == 0) {
        Report(name, "empty");
        return D3DXERR_INVALIDDATA;
    }
    if (size > 0xFFFFFFFFu) {
        Report(name, "too large");
        return D3DXERR_INVALIDDATA;
    }
    if (!ScanXFile(static_cast<const std::uint8_t*>(data), size, layout, error, &fault)) {
        Report(name, ScanFailureWords(fault, error));
        return D3DXERR_INVALIDDATA;
    }
    Assimp::Importer importer;
    const aiScene* scene = Import(importer, data, size, error);
    if (scene == nullptr) {
        Report(name, "damaged (" + error + ")");
        return D3DXERR_INVALIDDATA;
    }
    HierarchyBuilder builder(*scene, layout, options, device, *allocator);
    HRESULT result = builder.Build(frames);
    if (FAILED(result)) {
        Report(name, result == D3DXERR_INVALIDDATA ? "damaged (" + builder.Error() + ")"
                                                   : builder.Error());
        return result;
    }
    if (controller != nullptr && FAILED(result = BuildController(*scene, *frames, controller))) {
        D3DXFrameDestroy(*frames, allocator);
        *frames = nullptr;
        Report(name, "cannot build the animation controller");
    }
    return result;
}

bool ArgumentsValid(const char* name, const void* source, IDirect3DDevice9* device,
                    ID3DXAllocateHierarchy* allocator, void* userDataLoader, D3DXFRAME** frames) {
    if (source == nullptr || device == nullptr || allocator == nullptr ||
        userDataLoader != nullptr || frames == nullptr) {
        Report(name, "invalid argument");
        return false;
    }
    return true;
}

}  // namespace

HRESULT D3DXLoadMeshHierarchyFromXInMemory(const void* data, std::size_t size, DWORD meshOptions,
                                           IDirect3DDevice9* device,
                                           ID3DXAllocateHierarchy* allocator, void* userDataLoader,
                                           D3DXFRAME** frameHierarchy,
                                           ID3DXAnimationController** animationController) {
    D3DXClearLoadFailure();
    if (frameHierarchy != nullptr) {
        *frameHierarchy = nullptr;
    }
    if (animationController != nullptr) {
        *animationController = nullptr;
    }
    if (!ArgumentsValid("(memory)", data, device, allocator, userDataLoader, frameHierarchy)) {
        return D3DERR_INVALIDCALL;
    }
    return LoadHierarchy(data, size, "(memory)", meshOptions, device, allocator, frameHierarchy,
                         animationController);
}

HRESULT D3DXLoadMeshHierarchyFromXA(const char* fileName, DWORD meshOptions,
                                    IDirect3DDevice9* device, ID3DXAllocateHierarchy* allocator,
                                    void* userDataLoader, D3DXFRAME** frameHierarchy,
                                    ID3DXAnimationController** animationController) {
    D3DXClearLoadFailure();
    if (frameHierarchy != nullptr) {
        *frameHierarchy = nullptr;
    }
    if (animationController != nullptr) {
        *animationController = nullptr;
    }
    const char* name = fileName != nullptr ? fileName : "(null)";
    if (!ArgumentsValid(name, fileName, device, allocator, userDataLoader, frameHierarchy)) {
        return D3DERR_INVALIDCALL;
    }
    std::vector<std::uint8_t> bytes;
    const std::string problem = ReadFileBytes(fileName, bytes);
    if (!problem.empty()) {
        Report(name, problem);
        return D3DERR_NOTFOUND;
    }
    return LoadHierarchy(bytes.data(), bytes.size(), name, meshOptions, device, allocator,
                         frameHierarchy, animationController);
}
