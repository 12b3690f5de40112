#include "tools/asset_generator/value_noise.h"

#include <cmath>

namespace assets {

namespace {

std::uint32_t Mix32(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Quintic(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

double LatticeValue(int x, int y, int z, std::uint32_t seed) {
    std::uint32_t h = Mix32(seed ^ 0x9E3779B9u);
    h = Mix32(h ^ static_cast<std::uint32_t>(x));
    h = Mix32(h ^ static_cast<std::uint32_t>(y));
    h = Mix32(h ^ static_cast<std::uint32_t>(z));
    return (h & 0xFFFFFFu) / static_cast<double>(0xFFFFFFu);
}

double ValueNoise(const Vec3& p, std::uint32_t seed) {
    const double fx = std::floor(p.x);
    const double fy = std::floor(p.y);
    const double fz = std::floor(p.z);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const int iz = static_cast<int>(fz);
    const double tx = Quintic(p.x - fx);
    const double ty = Quintic(p.y - fy);
    const double tz = Quintic(p.z - fz);
    double layers[2];
    for (int dz = 0; dz < 2; ++dz) {
        const double bottom =
            Lerp(LatticeValue(ix, iy, iz + dz, seed), LatticeValue(ix + 1, iy, iz + dz, seed), tx);
        const double top = Lerp(LatticeValue(ix, iy + 1, iz + dz, seed),
                                LatticeValue(ix + 1, iy + 1, iz + dz, seed), tx);
        layers[dz] = Lerp(bottom, top, ty);
    }
    return Lerp(layers[0], layers[1], tz);
}

double FractalNoise(const Vec3& p, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double weight = 0.0;
    double amplitude = 1.0;
    Vec3 q = p;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * ValueNoise(q, seed + static_cast<std::uint32_t>(octave) * 101u);
        weight += amplitude;
        amplitude *= 0.5;
        q = q * 2.0;
    }
    return weight > 0.0 ? sum / weight : 0.0;
}

}  // namespace assets
