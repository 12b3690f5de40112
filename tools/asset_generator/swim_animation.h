#pragma once

// The looping swim of a fish: every bone turns about the y axis by a sine of
// the beat's phase, each joint lagging the one ahead of it, so a bend travels
// from head to tail; amplitudes grow toward the tail.

#include <vector>

#include "tools/asset_generator/fish_model.h"
#include "tools/asset_generator/fish_species.h"

namespace assets {

// Keys per beat; one more key at the beat's end repeats the first exactly.
constexpr int kSwimKeysPerBeat = 12;

// The bend of bone `bone` (radians about +y) at `phase` (0..1 of a beat).
double SwimBend(const FishSpecies& species, int bone, double phase);

// One track per bone with kSwimKeysPerBeat + 1 rotation keys spread evenly
// over species.swimPeriodTicks; each key's translation is the bone's rest
// offset. Named "Swim".
SwimAnimation BuildSwimAnimation(const FishSpecies& species, const std::vector<Bone>& bones);

}  // namespace assets
