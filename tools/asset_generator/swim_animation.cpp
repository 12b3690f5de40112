#include "tools/asset_generator/swim_animation.h"

#include <cmath>
#include <numbers>

namespace assets {

double SwimBend(const FishSpecies& species, int bone, double phase) {
    const double amplitude = species.swimAmplitudes[bone];
    return amplitude * std::sin(2.0 * std::numbers::pi * phase - species.swimPhaseStep * bone);
}

SwimAnimation BuildSwimAnimation(const FishSpecies& species, const std::vector<Bone>& bones) {
    SwimAnimation animation;
    animation.name = "Swim";
    for (std::size_t b = 0; b < bones.size(); ++b) {
        BoneTrack track;
        track.bone = static_cast<int>(b);
        for (int k = 0; k <= kSwimKeysPerBeat; ++k) {
            // The closing key takes the phase of the first, so the loop is
            // exact rather than equal up to rounding.
            const double phase = static_cast<double>(k % kSwimKeysPerBeat) / kSwimKeysPerBeat;
            const double half = 0.5 * SwimBend(species, track.bone, phase);
            AnimationKey key;
            key.tick = species.swimPeriodTicks * k / kSwimKeysPerBeat;
            key.rotation = {std::cos(half), 0.0, std::sin(half), 0.0};
            key.translation = bones[b].offset;
            track.keys.push_back(key);
        }
        animation.tracks.push_back(track);
    }
    return animation;
}

}  // namespace assets
