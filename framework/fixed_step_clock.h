#pragma once

#include <cmath>
#include <cstdint>

#include "framework/clock.h"

namespace RenderLib {

// A clock that advances by a fixed step each time the counter is read. The
// frame timer reads the counter once per tick, so every frame then measures
// exactly step seconds: runs become repeatable, frame for frame.
class FixedStepClock : public Clock {
public:
    static constexpr std::int64_t kFrequency = 1'000'000'000;  // nanoseconds

    // step in seconds, at least 0.
    explicit FixedStepClock(double step)
        : step_(static_cast<std::int64_t>(std::llround(step * kFrequency))) {}

    bool QueryPerformanceFrequency(std::int64_t* frequency) override {
        *frequency = kFrequency;
        return true;
    }
    std::int64_t QueryPerformanceCounter() override { return counter_ += step_; }
    std::uint32_t TimeGetTime() override {
        return static_cast<std::uint32_t>(QueryPerformanceCounter() / 1'000'000);
    }

private:
    std::int64_t step_;
    std::int64_t counter_ = 0;
};

}  // namespace RenderLib
