#pragma once

#include <cstdint>

// An animated, skinned model loaded from a DirectX .x file as a hierarchy of
// frames. Only mesh containers with skin information are drawn: each Render
// blends the source mesh's vertices with the bones' current matrices on the
// CPU into the container's working mesh, then draws it subset by subset
// with each subset's material and texture. The file's first animation set
// plays looping; Animate advances it and recomputes every frame's combined
// matrix.
//
// The model owns its frames and meshes (through the hierarchy allocator),
// its animation controller and a bone-matrix workspace shared by all its
// containers, which only grows. Not copyable.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "framework/data_file_failure.h"
#include "framework/model_frame.h"
#include "framework/render_object.h"
#include "platform/d3dx/d3dx_animation_controller.h"

namespace RenderLib {

class CHierarchyModel : public CRenderObject {
public:
    CHierarchyModel() = default;
    CHierarchyModel(const CHierarchyModel&) = delete;
    CHierarchyModel& operator=(const CHierarchyModel&) = delete;
    ~CHierarchyModel() override;  // Release

    // Finds fileName with FindMediaFile (a short name such as
    // "Data\Models\blackbass.x") and loads it with managed buffers; textures
    // named by its materials are searched the same way. Drops anything
    // loaded before. Results: 0; the search's status when the file is not
    // found; the loader's status for a file it cannot load; E_FAIL when a
    // bone names no frame; E_OUTOFMEMORY. After a failure the model holds
    // nothing and one line on standard error names the file and the reason.
    // A texture that cannot be loaded does not fail the load (its subsets
    // draw untextured) but, like the model's own file, is listed in
    // LoadFailures.
    HRESULT Load(IDirect3DDevice9* device, const char* fileName);

    // The data files the last Load could not use, each once, in the order
    // met: the model's file, or textures its materials name. Empty after a
    // clean load.
    const std::vector<DataFileFailure>& LoadFailures() const { return loadFailures; }
    // Adds file (as searched or tried) with reason to LoadFailures, unless it
    // is listed already. For the hierarchy allocator.
    void NoteLoadFailure(const char* file, const std::string& reason);

    // Destroys the frames and meshes and releases the animation controller;
    // the workspace stays. Returns 0.
    HRESULT Release() override;
    // Draws every skinned mesh container, skinning it first unless it already
    // holds the current pose (frame order: a frame's containers,
    // then its siblings, then its children). Returns 0.
    HRESULT Render(IDirect3DDevice9* device, DWORD unused1, DWORD unused2) override;
    // min = -3.4028235e38 and max = 3.4028235e38 on every axis, then the
    // bounding sphere of the hierarchy: centre ± radius × 1.4142135. A
    // failure of the sphere (nothing loaded) is returned with the box as preset.
    HRESULT GetBounds(float box[6]) override;
    // Advances the animation by elapsed seconds, if there is one, and
    // recomputes every combined matrix from the root.
    void Animate(IDirect3DDevice9* device, float elapsed) override;

    D3DXFRAME* GetRootFrame() const { return rootFrame; }
    ID3DXAnimationController* GetAnimationController() const { return animationController; }
    // The workspace: matrices aligned to 16 bytes.
    const D3DXMATRIX* GetBoneMatrices() const { return boneMatrices.get(); }
    UINT GetBoneMatrixCapacity() const { return boneMatrixCapacity; }
    // Replaces the workspace by one of exactly count matrices when it holds
    // fewer. E_OUTOFMEMORY when that fails (the old one stays).
    HRESULT ReserveBoneMatrices(UINT count);

private:
    struct AlignedFree {
        void operator()(D3DXMATRIX* matrices) const;
    };

    // fileName only labels the message of a failure.
    HRESULT LinkBones(const char* fileName);
    void ListModelFileFailure(const char* file, const std::string& reason);
    void UpdateFrameMatrices(D3DXFRAME* frame, const D3DXMATRIX& parent);
    void DrawFrame(IDirect3DDevice9* device, D3DXFRAME* frame);
    void DrawMeshContainer(IDirect3DDevice9* device, ModelMeshContainer& container);
    bool SkinMeshContainer(ModelMeshContainer& container);

    D3DXFRAME* rootFrame = nullptr;
    ID3DXAnimationController* animationController = nullptr;
    std::unique_ptr<D3DXMATRIX[], AlignedFree> boneMatrices;
    UINT boneMatrixCapacity = 0;
    // Counts the poses the combined matrices have taken; a container whose
    // skinnedPose equals it already holds this pose's vertices.
    std::uint64_t pose = 1;
    std::vector<DataFileFailure> loadFailures;
};

}  // namespace RenderLib
