#pragma once

// A keyframed animation set: for each animated frame (by name) its scale,
// rotation and translation keys. Times are in ticks; ticksPerSecond converts
// seconds to ticks. Sampling between two keys interpolates linearly (scale,
// translation) or spherically along the shorter arc (rotation); before the
// first key the first value holds, after the last the last.

#include <string>
#include <vector>

#include "platform/d3dx/d3dx_math.h"

struct D3DXKEY_VECTOR3 {
    float Time = 0.0f;  // ticks
    D3DXVECTOR3 Value;
};

struct D3DXKEY_QUATERNION {
    float Time = 0.0f;  // ticks
    D3DXQUATERNION Value;
};

// The keys of one frame. A sequence may be empty: the missing part is then
// the identity (scale 1, no rotation, no translation).
struct D3DXAnimationTrack {
    std::string frameName;
    std::vector<D3DXKEY_VECTOR3> scaleKeys;        // ascending times
    std::vector<D3DXKEY_QUATERNION> rotationKeys;  // ascending times
    std::vector<D3DXKEY_VECTOR3> translationKeys;  // ascending times

    // Scale, then rotation, then translation at time ticks.
    D3DXMATRIX Sample(double ticks) const;
};

class D3DXKeyframedAnimationSet {
public:
    // ticksPerSecond must be positive; period is the length of one pass in
    // ticks (0 for a set that does not move).
    D3DXKeyframedAnimationSet(std::string name, double ticksPerSecond, double period);

    const std::string& GetName() const { return name_; }
    double GetSourceTicksPerSecond() const { return ticksPerSecond_; }
    double GetPeriod() const { return period_; }  // ticks
    // The looping position of time seconds within one period, in ticks.
    double GetPeriodicPosition(double seconds) const;

    // Keys must be in ascending time order; tracks keep the order added.
    void AddTrack(D3DXAnimationTrack track);
    const std::vector<D3DXAnimationTrack>& Tracks() const { return tracks_; }

private:
    std::string name_;
    double ticksPerSecond_;
    double period_;
    std::vector<D3DXAnimationTrack> tracks_;
};
