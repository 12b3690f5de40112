#pragma once

// Sizes of a splitter's columns (or rows) along one axis: every track but
// the last gets its ideal size, the last takes what is left; bars of a fixed
// width separate the tracks. No track gets less than one pixel while the
// total allows it, so every pane keeps a drawable size. Pure arithmetic in
// pixels.

#include <vector>

struct SplitterTrack {
    int ideal = 0;    // wanted size; ignored for the last track
    int minimum = 0;  // smallest size a drag may leave (at least 1 is kept anyway)
};

// One size per track for a total extent and bar width.
std::vector<int> LayoutSplitterTracks(const std::vector<SplitterTrack>& tracks, int total, int bar);

// The ideal size track index gets when its bar is dragged so that the track
// would end at position (pixels from the start of the axis), with sizes as
// now laid out: at least the track's minimum, and leaving one pixel for each
// later track.
int DraggedTrackSize(const std::vector<SplitterTrack>& tracks, const std::vector<int>& sizes,
                     int index, int position, int total, int bar);
