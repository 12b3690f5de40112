#include "platform/ui/docview/splitter_layout.h"

#include <algorithm>

std::vector<int> LayoutSplitterTracks(const std::vector<SplitterTrack>& tracks, int total,
                                      int bar) {
    const int count = static_cast<int>(tracks.size());
    std::vector<int> sizes(tracks.size(), 0);
    if (count == 0) {
        return sizes;
    }
    int left = total - bar * (count - 1);  // space for the tracks themselves
    for (int i = 0; i < count - 1; ++i) {
        const int reserve = count - 1 - i;  // one pixel for each later track
        sizes[i] = std::max(1, std::min(tracks[i].ideal, left - reserve));
        left -= sizes[i];
    }
    sizes[count - 1] = std::max(1, left);
    return sizes;
}

int DraggedTrackSize(const std::vector<SplitterTrack>& tracks, const std::vector<int>& sizes,
                     int index, int position, int total, int bar) {
    const int count = static_cast<int>(tracks.size());
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start += sizes[i] + bar;
    }
    int laterFixed = 0;  // the ideal tracks between this one and the last keep their sizes
    for (int i = index + 1; i < count - 1; ++i) {
        laterFixed += sizes[i] + bar;
    }
    const int largest = total - start - laterFixed - bar - 1;
    const int smallest = std::max(1, tracks[index].minimum);
    return std::max(std::min(position - start, largest), std::min(smallest, largest));
}
