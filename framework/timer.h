#pragma once

// The frame timer: measures the time between frames, smooths it over the last
// 50 accepted frames, counts frames per second and can cap the frame rate by
// busy waiting. Ticked once at the start of every frame from the one thread
// that renders; a tick allocates nothing.

#include <cstdint>

#include "framework/clock.h"

namespace RenderLib {

class CTimer {
public:
    static constexpr std::uint32_t kHistorySize = 50;

    // Reads the default steady clock.
    CTimer();
    // Reads clock, which must outlive the timer (not owned).
    explicit CTimer(Clock& clock);
    virtual ~CTimer() = default;

    // Measures the frame since the previous tick (or construction) and updates
    // the statistics. lockFps in frames per second holds the tick back until
    // 1 / lockFps seconds have passed since the previous tick; 0 means no cap.
    void Tick(float lockFps);

    // The smoothed time step in seconds: the mean of the history, 0 before
    // the first accepted frame.
    float GetElapsed() const { return elapsed; }

    // The number of frames counted in the last completed second. When text is
    // not null it also receives the rate's decimal digits followed by " FPS"
    // and a terminating zero; the caller supplies at least 16 characters.
    std::uint32_t GetFrameRate(char* text = nullptr) const;

    // Number of frame times in the history, at most kHistorySize.
    std::uint32_t GetHistoryCount() const { return historyCount; }
    bool UsesPerformanceCounter() const { return usePerformanceCounter; }

    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

private:
    std::int64_t ReadClock();
    float SecondsSinceLastCount() const;
    void RecordFrame(float frameTime);
    void CountFrame();
    float MeanOfHistory() const;

    bool usePerformanceCounter;        // the high-resolution counter is available
    float secondsPerCount;             // 1 / frequency, or 0.001 for the ms clock
    float elapsed = 0.0f;              // seconds; mean of the history
    std::int64_t currentCount = 0;     // counter read by the latest tick
    std::int64_t lastCount = 0;        // counter at the end of the previous tick
    std::int64_t frequency = 0;        // counts per second of the high-resolution counter
    float history[kHistorySize] = {};  // seconds, newest first
    std::uint32_t historyCount = 0;    // valid entries of history
    std::uint32_t frameRate = 0;       // frames in the last completed second
    std::uint32_t frameCount = 0;      // frames in the current second
    float secondAccumulator = 0.0f;    // seconds summed toward the current second
    Clock* clock;                      // not owned, never null
};

}  // namespace RenderLib
