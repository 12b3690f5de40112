#include "platform/ui/controls/trackbar_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TrackbarGeometry TrackbarGeometryFor(float width) {
    if (width < 2.0f * kTrackbarInset) {
        return {width * 0.5f, width * 0.5f};
    }
    return {kTrackbarInset, width - kTrackbarInset};
}

float TrackbarPositionToX(const TrackbarGeometry& geometry, int position, int minimum,
                          int maximum) {
    if (maximum <= minimum) {
        return geometry.channelLeft;
    }
    const int clamped = std::clamp(position, minimum, maximum);
    const double fraction =
        static_cast<double>(clamped - minimum) / (static_cast<double>(maximum) - minimum);
    return geometry.channelLeft +
           static_cast<float>(fraction * (geometry.channelRight - geometry.channelLeft));
}

int TrackbarXToPosition(const TrackbarGeometry& geometry, float x, int minimum, int maximum) {
    const float length = geometry.channelRight - geometry.channelLeft;
    if (maximum <= minimum || length <= 0.0f) {
        return minimum;
    }
    const double fraction = std::clamp((x - geometry.channelLeft) / length, 0.0f, 1.0f);
    const double span = static_cast<double>(maximum) - minimum;
    return static_cast<int>(minimum + std::llround(fraction * span));
}

std::vector<int> TrackbarTickPositions(int minimum, int maximum, int frequency) {
    std::vector<int> ticks{minimum};
    if (maximum <= minimum) {
        return ticks;
    }
    if (frequency > 0) {
        for (std::int64_t tick = static_cast<std::int64_t>(minimum) + frequency; tick < maximum;
             tick += frequency) {
            ticks.push_back(static_cast<int>(tick));
        }
    }
    ticks.push_back(maximum);
    return ticks;
}
