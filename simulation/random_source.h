#pragma once

#include <cstdint>

// The program's one source of pseudo-random numbers. It keeps the classic C
// runtime contract the flock was designed around: values 0 to 32767, seed 1
// unless told otherwise, so every run builds and steers the same flock. The
// platform's own rand() is never used: glibc's returns values up to 2^31 - 1.
class RandomSource {
public:
    static constexpr int kMax = 32767;

    explicit RandomSource(std::uint32_t seed = 1) : state_(seed) {}

    // Next value, 0 to kMax: state = state * 214013 + 2531011 (mod 2^32),
    // result = bits 16 to 30 of the new state.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

    void Seed(std::uint32_t seed) { state_ = seed; }
    // The whole state: Seed(State()) later repeats the values from here on.
    std::uint32_t State() const { return state_; }

private:
    std::uint32_t state_;
};

// The process-wide generator that everything drawing "rand" shares. It starts
// in its default state (seed 1); tests and tools reset it with Seed(1).
RandomSource& SharedRandom();

// Next value of the shared generator, 0 to 32767.
inline int Rand() { return SharedRandom().Next(); }
