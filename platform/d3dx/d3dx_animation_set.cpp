#include "platform/d3dx/d3dx_animation_set.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// The index of the last key at or before ticks (0 before the first key) and
// the blend factor toward the next key.
template <class Key>
std::pair<std::size_t, float> Bracket(const std::vector<Key>& keys, double ticks) {
    const auto after = std::upper_bound(keys.begin(), keys.end(), ticks,
                                        [](double t, const Key& key) { return t < key.Time; });
    if (after == keys.begin()) {
        return {0, 0.0f};
    }
    const std::size_t index = static_cast<std::size_t>(after - keys.begin()) - 1;
    if (after == keys.end()) {
        return {index, 0.0f};
    }
    const double span = after->Time - keys[index].Time;
    const double blend = span > 0.0 ? (ticks - keys[index].Time) / span : 0.0;
    return {index, static_cast<float>(blend)};
}

D3DXVECTOR3 SampleVector(const std::vector<D3DXKEY_VECTOR3>& keys, double ticks,
                         const D3DXVECTOR3& absent) {
    if (keys.empty()) {
        return absent;
    }
    const auto [index, blend] = Bracket(keys, ticks);
    if (blend == 0.0f) {
        return keys[index].Value;
    }
    D3DXVECTOR3 value;
    D3DXVec3Lerp(&value, &keys[index].Value, &keys[index + 1].Value, blend);
    return value;
}

D3DXQUATERNION SampleRotation(const std::vector<D3DXKEY_QUATERNION>& keys, double ticks) {
    if (keys.empty()) {
        return D3DXQUATERNION{};
    }
    const auto [index, blend] = Bracket(keys, ticks);
    if (blend == 0.0f) {
        return keys[index].Value;
    }
    D3DXQUATERNION value;
    D3DXQuaternionSlerp(&value, &keys[index].Value, &keys[index + 1].Value, blend);
    return value;
}
}  // namespace

D3DXMATRIX D3DXAnimationTrack::Sample(double ticks) const {
    const D3DXVECTOR3 scale = SampleVector(scaleKeys, ticks, D3DXVECTOR3{1.0f, 1.0f, 1.0f});
    const D3DXQUATERNION rotation = SampleRotation(rotationKeys, ticks);
    const D3DXVECTOR3 translation = SampleVector(translationKeys, ticks, D3DXVECTOR3{});
    D3DXMATRIX matrix;
    D3DXMatrixScaleRotationTranslation(&matrix, &scale, &rotation, &translation);
    return matrix;
}

D3DXKeyframedAnimationSet::D3DXKeyframedAnimationSet(std::string name, double ticksPerSecond,
                                                     double period)
    : name_(std::move(name)), ticksPerSecond_(ticksPerSecond), period_(period) {}

double D3DXKeyframedAnimationSet::GetPeriodicPosition(double seconds) const {
    if (!(period_ > 0.0) || !std::isfinite(seconds)) {
        return 0.0;
    }
    const double position = std::fmod(seconds * ticksPerSecond_, period_);
    return position < 0.0 ? position + period_ : position;
}

void D3DXKeyframedAnimationSet::AddTrack(D3DXAnimationTrack track) {
    tracks_.push_back(std::move(track));
}
