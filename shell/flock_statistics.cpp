#include "shell/flock_statistics.h"

#include "simulation/population.h"
#include "simulation/world.h"

bool FlockStatistics::Update(const cWorld& world, double simulatedSeconds, bool paused) {
    if (measured_ && simulatedSeconds < measuredAt_) {
        Clear();  // the flock was built anew
    }
    if (paused) {
        DropOlderThan(simulatedSeconds - kHistorySeconds);
        if (measured_ && simulatedSeconds == measuredAt_) {
            return false;
        }
        Measure(world, simulatedSeconds);
        return true;
    }
    const bool due = history_.empty() ||
                     simulatedSeconds - history_.back().seconds >= kSampleInterval * (1.0 - 1e-9);
    if (!due) {
        return false;
    }
    Measure(world, simulatedSeconds);
    if (!history_.empty() && history_.back().polarisation.size() != schools_.size()) {
        history_.clear();
    }
    Sample sample{simulatedSeconds, {}};
    for (const SchoolMetrics& school : schools_) {
        sample.polarisation.push_back(school.polarisation);
    }
    history_.push_back(std::move(sample));
    DropOlderThan(simulatedSeconds - kHistorySeconds);
    return true;
}

// The newest sample is never older than the clock, so at least it stays
// while running.
void FlockStatistics::DropOlderThan(double seconds) {
    while (!history_.empty() &&
           (history_.size() > kHistorySamples || history_.front().seconds <= seconds)) {
        history_.pop_front();
    }
}

void FlockStatistics::Measure(const cWorld& world, double simulatedSeconds) {
    schools_ = MeasureSchools(world, kFishType);
    measuredAt_ = simulatedSeconds;
    measured_ = true;
}

void FlockStatistics::Clear() {
    schools_.clear();
    measured_ = false;
    measuredAt_ = 0.0;
    history_.clear();
}

std::vector<float> FlockStatistics::PolarisationHistory(std::size_t school) const {
    std::vector<float> values;
    for (const Sample& sample : history_) {
        if (school < sample.polarisation.size()) {
            values.push_back(sample.polarisation[school]);
        }
    }
    return values;
}
