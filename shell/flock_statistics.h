#pragma once

// FlockStatistics: the school measurements the statistics panel shows, taken
// from the flock a few times a second of simulated time rather than every
// frame, with each school's polarisation over the last ten simulated seconds
// for the panel's sparklines. Nothing is sampled while time stands still.

#include <cstddef>
#include <deque>
#include <vector>

#include "simulation/flock_metrics.h"

class cWorld;

class FlockStatistics {
public:
    static constexpr double kSampleInterval = 0.25;  // simulated seconds between samples
    static constexpr double kHistorySeconds = 10.0;  // polarisation kept, simulated seconds
    // Samples the history holds at most.
    static constexpr std::size_t kHistorySamples =
        static_cast<std::size_t>(kHistorySeconds / kSampleInterval);

    // Called every frame with the flock's simulated time since it was built.
    // Running: measures the schools (MeasureSchools) when kSampleInterval has
    // passed since the last sample, adding each school's polarisation to the
    // history and dropping what is older than kHistorySeconds. Paused: the
    // history stays as it is; the figures are measured again only when the
    // flock has moved since they were taken (a single step) or there are
    // none. A clock that went back or a changed number of schools (the flock
    // was rebuilt) starts afresh. Returns whether it measured.
    bool Update(const cWorld& world, double simulatedSeconds, bool paused);
    // Forgets everything (the next Update measures).
    void Clear();

    // The schools as last measured, in the world's group order.
    const std::vector<SchoolMetrics>& Schools() const { return schools_; }
    // The polarisation of school over the history, oldest first.
    std::vector<float> PolarisationHistory(std::size_t school) const;
    std::size_t SampleCount() const { return history_.size(); }

private:
    struct Sample {
        double seconds;
        std::vector<float> polarisation;  // per school
    };

    void Measure(const cWorld& world, double simulatedSeconds);
    void DropOlderThan(double seconds);

    std::vector<SchoolMetrics> schools_;
    double measuredAt_ = 0.0;  // simulated time of schools_
    bool measured_ = false;
    std::deque<Sample> history_;
};
