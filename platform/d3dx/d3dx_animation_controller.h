#pragma once

// Plays one keyframed animation set, looping, into the transformation
// matrices of the frames it animates. The controller owns its set; it does
// not own the matrices it writes, which must outlive it or be unregistered
// by releasing the controller first.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/d3dx/d3dx_animation_set.h"
#include "platform/gfx/d3d9.h"

class ID3DXAnimationController : public IUnknown {
public:
    // The matrix written for the track of frame name; tracks without an
    // output are sampled by no one. Registering a name again replaces it.
    HRESULT RegisterAnimationOutput(const char* name, D3DXMATRIX* matrix);

    // Adds elapsed seconds to the global time and writes every registered
    // output for the new time (wrapped into the set's period). The callback
    // handler must be null: this layer has no key callbacks.
    HRESULT AdvanceTime(double elapsed, void* callbackHandler);
    double GetTime() const { return time_; }
    HRESULT ResetTime();

    const D3DXKeyframedAnimationSet& GetAnimationSet() const { return *set_; }

private:
    friend HRESULT D3DXCreateAnimationController(std::unique_ptr<D3DXKeyframedAnimationSet>,
                                                 ID3DXAnimationController**);

    ID3DXAnimationController() = default;
    ~ID3DXAnimationController() override = default;

    std::unique_ptr<D3DXKeyframedAnimationSet> set_;
    std::vector<D3DXMATRIX*> outputs_;  // one per track of set_, null when unregistered
    std::unordered_multimap<std::string, std::size_t> tracksByName_;
    double time_ = 0.0;  // seconds
};

// A controller playing set from time 0, with no outputs registered.
HRESULT D3DXCreateAnimationController(std::unique_ptr<D3DXKeyframedAnimationSet> set,
                                      ID3DXAnimationController** controller);
