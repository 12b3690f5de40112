#include "framework/timer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace RenderLib {

namespace {
// A frame that differs from the smoothed step by this much or more (a stall,
// a debugger pause, a window drag) is kept out of the history.
constexpr float kOutlierSeconds = 1.0f;
constexpr float kMillisecondsToSeconds = 0.001f;
}  // namespace

CTimer::CTimer() : CTimer(Clock::Default()) {}

CTimer::CTimer(Clock& source) : clock(&source) {
    usePerformanceCounter = clock->QueryPerformanceFrequency(&frequency) && frequency > 0;
    if (usePerformanceCounter) {
        secondsPerCount = 1.0f / static_cast<float>(frequency);
    } else {
        frequency = 0;
        secondsPerCount = kMillisecondsToSeconds;
    }
    lastCount = ReadClock();
    currentCount = lastCount;
}

std::int64_t CTimer::ReadClock() {
    if (usePerformanceCounter) {
        return clock->QueryPerformanceCounter();
    }
    // The millisecond clock fills the low half of the count; the high half is 0.
    return static_cast<std::int64_t>(clock->TimeGetTime());
}

float CTimer::SecondsSinceLastCount() const {
    std::int64_t counts = currentCount - lastCount;
    if (!usePerformanceCounter) {
        // Modular 32-bit difference: the millisecond clock wraps after about
        // 49.7 days, and a plain 64-bit difference would then be hugely
        // negative (and hold a capped tick in its busy wait forever).
        counts = static_cast<std::uint32_t>(static_cast<std::uint32_t>(currentCount) -
                                            static_cast<std::uint32_t>(lastCount));
    }
    return static_cast<float>(counts) * secondsPerCount;
}

void CTimer::Tick(float lockFps) {
    currentCount = ReadClock();
    float frameTime = SecondsSinceLastCount();
    if (lockFps > 0.0f) {
        const float target = 1.0f / lockFps;
        while (frameTime < target) {
            currentCount = ReadClock();
            frameTime = SecondsSinceLastCount();
        }
    }
    lastCount = currentCount;

    if (std::fabs(frameTime - elapsed) < kOutlierSeconds) {
        RecordFrame(frameTime);
    }
    CountFrame();
    elapsed = MeanOfHistory();
}

void CTimer::RecordFrame(float frameTime) {
    // Shift in place: the oldest of a full history drops out.
    std::copy_backward(history, history + kHistorySize - 1, history + kHistorySize);
    history[0] = frameTime;
    if (historyCount < kHistorySize) {
        ++historyCount;
    }
}

void CTimer::CountFrame() {
    // Sums the smoothed step as it stood before this tick.
    secondAccumulator += elapsed;
    ++frameCount;
    if (secondAccumulator > 1.0f) {
        frameRate = frameCount;
        frameCount = 0;
        secondAccumulator = 0.0f;
    }
}

float CTimer::MeanOfHistory() const {
    if (historyCount == 0) {
        return 0.0f;
    }
    float sum = 0.0f;
    for (std::uint32_t i = 0; i < historyCount; ++i) {
        sum += history[i];
    }
    return sum / static_cast<float>(historyCount);
}

std::uint32_t CTimer::GetFrameRate(char* text) const {
    if (text != nullptr) {
        std::snprintf(text, 16, "%u FPS", static_cast<unsigned>(frameRate));
    }
    return frameRate;
}

}  // namespace RenderLib
