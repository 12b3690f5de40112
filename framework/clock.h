#pragma once

// The time sources the frame timer reads: a high-resolution counter (which a
// platform may lack) and a 32-bit millisecond clock. The default clock reads
// std::chrono::steady_clock with a nanosecond counter; tests derive their own
// to script time.

#include <cstdint>

namespace RenderLib {

class Clock {
public:
    virtual ~Clock() = default;

    // Writes the counter's ticks per second into frequency and returns true,
    // or returns false (frequency untouched) when there is no high-resolution
    // counter. frequency must not be null.
    virtual bool QueryPerformanceFrequency(std::int64_t* frequency);
    // The high-resolution counter in ticks; never decreases.
    virtual std::int64_t QueryPerformanceCounter();
    // Milliseconds since an arbitrary origin; wraps around at 2^32.
    virtual std::uint32_t TimeGetTime();

    // The process-wide steady clock; lives for the whole process.
    static Clock& Default();
};

}  // namespace RenderLib
