#pragma once

// Where a horizontal trackbar draws its channel, thumb and ticks, and how a
// point on it maps to a position. Pure arithmetic, in pixels from the
// control's left edge.

#include <vector>

struct TrackbarGeometry {
    float channelLeft = 0.0f;   // x of the range's minimum
    float channelRight = 0.0f;  // x of the range's maximum
};

inline constexpr float kTrackbarInset = 10.0f;  // channel ends from the control's edges
inline constexpr float kTrackbarThumbWidth = 10.0f;

// The channel of a control width pixels wide (never reversed: a control
// narrower than both insets has a channel of zero length at its middle).
TrackbarGeometry TrackbarGeometryFor(float width);
// x of position in [minimum, maximum]; the channel's left end when the
// range is empty.
float TrackbarPositionToX(const TrackbarGeometry& geometry, int position, int minimum, int maximum);
// The position nearest to x, clamped to [minimum, maximum].
int TrackbarXToPosition(const TrackbarGeometry& geometry, float x, int minimum, int maximum);
// Positions that carry a tick mark: the minimum, every frequency from it,
// and the maximum. Only the two ends when frequency ≤ 0.
std::vector<int> TrackbarTickPositions(int minimum, int maximum, int frequency);
