#include "platform/d3dx/d3dx_animation_controller.h"

#include <utility>

HRESULT D3DXCreateAnimationController(std::unique_ptr<D3DXKeyframedAnimationSet> set,
                                      ID3DXAnimationController** controller) {
    if (controller == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *controller = nullptr;
    if (set == nullptr || !(set->GetSourceTicksPerSecond() > 0.0)) {
        return D3DERR_INVALIDCALL;
    }
    auto* created = new ID3DXAnimationController();
    created->outputs_.assign(set->Tracks().size(), nullptr);
    for (std::size_t i = 0; i < set->Tracks().size(); ++i) {
        created->tracksByName_.emplace(set->Tracks()[i].frameName, i);
    }
    created->set_ = std::move(set);
    *controller = created;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::RegisterAnimationOutput(const char* name, D3DXMATRIX* matrix) {
    if (name == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const auto [first, last] = tracksByName_.equal_range(name);
    for (auto it = first; it != last; ++it) {
        outputs_[it->second] = matrix;
    }
    return first != last ? D3D_OK : D3DERR_NOTFOUND;
}

HRESULT ID3DXAnimationController::AdvanceTime(double elapsed, void* callbackHandler) {
    if (callbackHandler != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    time_ += elapsed;
    const double ticks = set_->GetPeriodicPosition(time_);
    const std::vector<D3DXAnimationTrack>& tracks = set_->Tracks();
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (outputs_[i] != nullptr) {
            *outputs_[i] = tracks[i].Sample(ticks);
        }
    }
    return D3D_OK;
}

HRESULT ID3DXAnimationController::ResetTime() {
    time_ = 0.0;
    return D3D_OK;
}
