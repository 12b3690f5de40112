#include "framework/clock.h"

#include <chrono>

namespace RenderLib {

namespace {
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::chrono::nanoseconds SinceEpoch() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}
}  // namespace

bool Clock::QueryPerformanceFrequency(std::int64_t* frequency) {
    *frequency = kNanosecondsPerSecond;
    return true;
}

std::int64_t Clock::QueryPerformanceCounter() {
    return SinceEpoch().count();
}

std::uint32_t Clock::TimeGetTime() {
    // Truncation to 32 bits is the clock's wrap-around.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(SinceEpoch());
    return static_cast<std::uint32_t>(ms.count());
}

Clock& Clock::Default() {
    static Clock clock;
    return clock;
}

}  // namespace RenderLib
