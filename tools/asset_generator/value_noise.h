#pragma once

// Smooth pseudo-random noise for painting: value noise on the integer
// lattice, interpolated with a quintic ease, summed over octaves. It is a pure
// function of its arguments (an integer hash, no global state), so every run
// paints the same pictures.

#include <cstdint>

#include "tools/asset_generator/vec3.h"

namespace assets {

// Noise in [0, 1] at p; seed selects an independent field.
double ValueNoise(const Vec3& p, std::uint32_t seed);

// Sum of octaves of ValueNoise, each of twice the frequency and half the
// amplitude of the one before, normalised back to [0, 1].
double FractalNoise(const Vec3& p, int octaves, std::uint32_t seed);

// A hash of three integers and a seed to [0, 1].
double LatticeValue(int x, int y, int z, std::uint32_t seed);

}  // namespace assets
