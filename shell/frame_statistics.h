#pragma once

#include <algorithm>
#include <cstdio>

// Wall-clock statistics of rendered frames.
class FrameStatistics {
public:
    void Add(double seconds) {
        ++frames_;
        total_ += seconds;
        worst_ = std::max(worst_, seconds);
    }

    long long Frames() const { return frames_; }
    double MeanSeconds() const { return frames_ > 0 ? total_ / frames_ : 0.0; }
    double WorstSeconds() const { return worst_; }
    double FramesPerSecond() const { return total_ > 0 ? frames_ / total_ : 0.0; }

    void Print(std::FILE* out) const {
        std::fprintf(out, "frames %lld, mean %.3f ms, worst %.3f ms, %.1f frames per second\n",
                     Frames(), MeanSeconds() * 1000.0, WorstSeconds() * 1000.0,
                     FramesPerSecond());
    }

private:
    long long frames_ = 0;
    double total_ = 0.0;
    double worst_ = 0.0;
};
