#include "framework/timer.h"

#include <cmath>
#include <cstdint>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using RenderLib::Clock;
using RenderLib::CTimer;

// A clock under the test's control. The counter runs at 2^20 ticks per second
// so that whole and binary-fractional seconds convert to float exactly.
class FakeClock : public Clock {
public:
    static constexpr std::int64_t kFrequency = 1 << 20;

    bool hasCounter = true;
    std::int64_t frequency = kFrequency;
    std::int64_t counter = 0;
    std::uint32_t milliseconds = 0;
    std::int64_t counterStepPerRead = 0;  // added after every counter read
    std::uint32_t msStepPerRead = 0;      // added after every millisecond read
    long reads = 0;
    long readLimit = 10'000'000;  // a runaway busy wait ends the test instead of hanging it

    bool QueryPerformanceFrequency(std::int64_t* out) override {
        if (!hasCounter) {
            return false;
        }
        *out = frequency;
        return true;
    }
    std::int64_t QueryPerformanceCounter() override {
        CountRead();
        const std::int64_t value = counter;
        counter += counterStepPerRead;
        return value;
    }
    std::uint32_t TimeGetTime() override {
        CountRead();
        const std::uint32_t value = milliseconds;
        milliseconds += msStepPerRead;
        return value;
    }

    void Advance(double seconds) {
        counter += static_cast<std::int64_t>(std::llround(seconds * kFrequency));
    }

private:
    void CountRead() {
        if (++reads > readLimit) {
            throw std::runtime_error("clock read without end");
        }
    }
};

void TickAfter(FakeClock& clock, CTimer& timer, double seconds) {
    clock.Advance(seconds);
    timer.Tick(0.0f);
}

// ---- History acceptance ----

TEST(TimerHistory, StartsEmptyWithZeroStep) {
    FakeClock clock;
    CTimer timer(clock);
    EXPECT_TRUE(timer.UsesPerformanceCounter());
    EXPECT_EQ(timer.GetElapsed(), 0.0f);
    EXPECT_EQ(timer.GetHistoryCount(), 0u);
    EXPECT_EQ(timer.GetFrameRate(), 0u);
}

TEST(TimerHistory, FrameWithinASecondOfTheSmoothedStepIsAccepted) {
    FakeClock clock;
    CTimer timer(clock);
    TickAfter(clock, timer, 0.016);
    EXPECT_NEAR(timer.GetElapsed(), 0.016f, 1e-6f);

    TickAfter(clock, timer, 0.5);
    EXPECT_EQ(timer.GetHistoryCount(), 2u);
    EXPECT_NEAR(timer.GetElapsed(), (0.016f + 0.5f) / 2.0f, 1e-6f);
}

TEST(TimerHistory, StallOfASecondOrMoreIsLeftOutAndTheMeanKept) {
    FakeClock clock;
    CTimer timer(clock);
    TickAfter(clock, timer, 0.016);
    TickAfter(clock, timer, 0.016);
    TickAfter(clock, timer, 1.2);
    EXPECT_EQ(timer.GetHistoryCount(), 2u);
    EXPECT_NEAR(timer.GetElapsed(), 0.016f, 1e-6f);

    // The stall still ends the frame: the next one is measured from it.
    TickAfter(clock, timer, 0.02);
    EXPECT_EQ(timer.GetHistoryCount(), 3u);
    EXPECT_NEAR(timer.GetElapsed(), (0.016f * 2 + 0.02f) / 3.0f, 1e-6f);
}

TEST(TimerHistory, DifferenceOfExactlyOneSecondIsRefused) {
    FakeClock clock;
    CTimer timer(clock);
    TickAfter(clock, timer, 1.0);  // first tick, compared with a step of 0
    EXPECT_EQ(timer.GetHistoryCount(), 0u);
    EXPECT_EQ(timer.GetElapsed(), 0.0f);

    TickAfter(clock, timer, 0.5);
    TickAfter(clock, timer, 1.5 - 1.0 / FakeClock::kFrequency);  // just under 1 s from 0.5
    EXPECT_EQ(timer.GetHistoryCount(), 2u);
}

TEST(TimerHistory, KeepsTheNewestFiftyFrames) {
    FakeClock clock;
    CTimer timer(clock);
    std::vector<float> frames;
    for (int i = 0; i < 60; ++i) {
        const double seconds = (10 + i) / 1024.0;
        frames.push_back(static_cast<float>(seconds));
        TickAfter(clock, timer, seconds);
    }
    EXPECT_EQ(timer.GetHistoryCount(), CTimer::kHistorySize);
    const float newestFifty = std::accumulate(frames.end() - 50, frames.end(), 0.0f) / 50.0f;
    EXPECT_NEAR(timer.GetElapsed(), newestFifty, 1e-6f);
}

// ---- Frame rate ----

TEST(TimerFrameRate, CountsTicksOnceTheSmoothedStepsPassOneSecond) {
    FakeClock clock;
    CTimer timer(clock);
    // Steps of 1/8 s: before tick k the smoothed steps sum to (k - 1) / 8,
    // exactly 1.0 at tick 9, which is not yet above one second.
    for (int tick = 1; tick <= 9; ++tick) {
        TickAfter(clock, timer, 0.125);
        EXPECT_EQ(timer.GetFrameRate(), 0u) << "tick " << tick;
    }
    TickAfter(clock, timer, 0.125);
    EXPECT_EQ(timer.GetFrameRate(), 10u);

    // The next second starts from zero and holds one tick less, since its
    // first tick adds a whole step.
    for (int tick = 11; tick <= 18; ++tick) {
        TickAfter(clock, timer, 0.125);
        EXPECT_EQ(timer.GetFrameRate(), 10u) << "tick " << tick;
    }
    TickAfter(clock, timer, 0.125);
    EXPECT_EQ(timer.GetFrameRate(), 9u);
}

TEST(TimerFrameRate, WritesTheRateAndSuffix) {
    FakeClock clock;
    CTimer timer(clock);
    char text[32];
    std::fill(std::begin(text), std::end(text), 'x');
    EXPECT_EQ(timer.GetFrameRate(text), 0u);
    EXPECT_STREQ(text, "0 FPS");

    for (int tick = 0; tick < 10; ++tick) {
        TickAfter(clock, timer, 0.125);
    }
    EXPECT_EQ(timer.GetFrameRate(text), 10u);
    EXPECT_STREQ(text, "10 FPS");
}

// ---- Frame-rate cap ----

TEST(TimerLock, CappedTickWaitsUntilTheTargetHasPassed) {
    FakeClock clock;
    CTimer timer(clock);
    clock.counterStepPerRead = 256;  // about 0.24 ms per read
    const std::int64_t start = clock.counter;
    timer.Tick(30.0f);
    const double waited = static_cast<double>(clock.counter - 256 - start) / FakeClock::kFrequency;
    EXPECT_GE(waited, 1.0 / 30.0);
    EXPECT_LT(waited, 1.0 / 30.0 + 256.0 / FakeClock::kFrequency);
    EXPECT_GE(timer.GetElapsed(), 1.0f / 30.0f);
}

TEST(TimerLock, NextCappedTickCountsFromTheEndOfTheWait) {
    FakeClock clock;
    CTimer timer(clock);
    clock.counterStepPerRead = 256;
    timer.Tick(30.0f);
    const long readsAfterFirst = clock.reads;
    timer.Tick(30.0f);
    // A second wait of the same length, not an immediate return.
    EXPECT_GT(clock.reads - readsAfterFirst, 100);
    EXPECT_NEAR(timer.GetElapsed(), 1.0f / 30.0f, 256.0f / FakeClock::kFrequency);
}

TEST(TimerLock, SlowFrameIsNotHeldBack) {
    FakeClock clock;
    CTimer timer(clock);
    clock.Advance(0.1);
    const long before = clock.reads;
    timer.Tick(30.0f);
    EXPECT_EQ(clock.reads - before, 1);
    EXPECT_NEAR(timer.GetElapsed(), 0.1f, 1e-5f);
}

// ---- Millisecond fallback ----

TEST(TimerMilliseconds, WorksWithoutAHighResolutionCounter) {
    FakeClock clock;
    clock.hasCounter = false;
    clock.milliseconds = 5000;
    CTimer timer(clock);
    EXPECT_FALSE(timer.UsesPerformanceCounter());

    clock.milliseconds += 16;
    timer.Tick(0.0f);
    EXPECT_NEAR(timer.GetElapsed(), 0.016f, 1e-6f);

    clock.milliseconds += 1;
    timer.Tick(0.0f);
    EXPECT_NEAR(timer.GetElapsed(), (0.016f + 0.001f) / 2.0f, 1e-6f);
}

TEST(TimerMilliseconds, CapWaitsInWholeMilliseconds) {
    FakeClock clock;
    clock.hasCounter = false;
    clock.msStepPerRead = 1;
    CTimer timer(clock);
    timer.Tick(30.0f);
    // 1/30 s is 33.3 ms; the first whole millisecond at or past it is 34.
    EXPECT_NEAR(timer.GetElapsed(), 0.034f, 1e-6f);
}

TEST(TimerMilliseconds, FrameAcrossTheClockWrapIsMeasuredAsItsLength) {
    FakeClock clock;
    clock.hasCounter = false;
    clock.milliseconds = 0xFFFFFFF0u;
    CTimer timer(clock);
    clock.milliseconds += 32;  // wraps to 16
    timer.Tick(0.0f);
    EXPECT_EQ(timer.GetHistoryCount(), 1u);
    EXPECT_NEAR(timer.GetElapsed(), 0.032f, 1e-6f);

    // A capped tick right after a wrap must end as well.
    clock.milliseconds = 0xFFFFFFFEu;
    CTimer capped(clock);
    clock.msStepPerRead = 1;
    EXPECT_NO_THROW(capped.Tick(60.0f));
    EXPECT_NEAR(capped.GetElapsed(), 0.017f, 1e-6f);
}

TEST(TimerMilliseconds, CounterReportingZeroFrequencyIsNotUsed) {
    FakeClock clock;
    clock.frequency = 0;
    CTimer timer(clock);
    EXPECT_FALSE(timer.UsesPerformanceCounter());
    clock.milliseconds += 20;
    timer.Tick(0.0f);
    EXPECT_NEAR(timer.GetElapsed(), 0.020f, 1e-6f);
}

// ---- Default clock ----

TEST(DefaultClock, NanosecondCounterMovesForward) {
    Clock& clock = Clock::Default();
    std::int64_t frequency = 0;
    ASSERT_TRUE(clock.QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency, 1'000'000'000);
    const std::int64_t first = clock.QueryPerformanceCounter();
    EXPECT_LE(first, clock.QueryPerformanceCounter());
}

}  // namespace
