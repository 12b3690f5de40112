#include "spatial_grid.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this many points the outlier trim is not worth its cost.
constexpr std::uint32_t kTrimMinimumPoints = 64;
// The trim drops this fraction of the points at each end of each axis; they
// stay in the border cells.
constexpr std::uint32_t kTrimDivisor = 256;

// Cells of the box [low, high] per axis at cell edge h, in floating point so
// that no product overflows.
double CellsNeeded(const double* low, const double* high, double h) {
    double cells = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        cells *= std::floor((high[axis] - low[axis]) / h) + 1.0;
    }
    return cells;
}

}  // namespace

// The box is the bounding box of the finite coordinates. When it would need
// more than maxCells cells, a few far points per axis (a player far from the
// flock, a runaway fish) are left out of it first, and only then are the
// cells enlarged.
void SpatialGrid::ChooseBox(const float* const* axes, std::uint32_t count, double cellSize,
                            std::size_t maxCells) {
    double low[3];
    double high[3];
    bool any = false;
    for (int axis = 0; axis < 3; ++axis) {
        low[axis] = HUGE_VAL;
        high[axis] = -HUGE_VAL;
        for (std::uint32_t i = 0; i < count; ++i) {
            const double v = axes[axis][i];
            if (std::isfinite(v)) {
                low[axis] = std::min(low[axis], v);
                high[axis] = std::max(high[axis], v);
                any = true;
            }
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (low[axis] > high[axis]) {
            low[axis] = high[axis] = 0.0;  // no finite coordinate on this axis
        }
    }
    if (!any) {
        origin_ = {0.0, 0.0, 0.0};
        dims_ = {1, 1, 1};
        cellSize_ = 1.0;
        inverseCellSize_ = 1.0;
        return;
    }
    double largest = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        largest = std::max(largest, high[axis] - low[axis]);
    }
    double h = cellSize;
    if (!(h > 0.0) || !std::isfinite(h)) {
        h = largest > 0.0 ? largest / std::cbrt(static_cast<double>(std::max(count, 1u))) : 1.0;
    }
    const double limit = static_cast<double>(std::max<std::size_t>(maxCells, 1));
    if (CellsNeeded(low, high, h) > limit && count >= kTrimMinimumPoints) {
        for (int axis = 0; axis < 3; ++axis) {
            trim_.clear();
            for (std::uint32_t i = 0; i < count; ++i) {
                if (std::isfinite(axes[axis][i])) {
                    trim_.push_back(axes[axis][i]);
                }
            }
            if (trim_.empty()) {
                continue;
            }
            const std::size_t cut = trim_.size() / kTrimDivisor;
            std::nth_element(trim_.begin(), trim_.begin() + cut, trim_.end());
            low[axis] = trim_[cut];
            std::nth_element(trim_.begin(), trim_.end() - 1 - cut, trim_.end());
            high[axis] = trim_[trim_.size() - 1 - cut];
        }
    }
    for (double cells = CellsNeeded(low, high, h); cells > limit;
         cells = CellsNeeded(low, high, h)) {
        h *= std::cbrt(cells / limit) * 1.001;
    }
    cellSize_ = h;
    inverseCellSize_ = 1.0 / h;
    for (int axis = 0; axis < 3; ++axis) {
        origin_[axis] = low[axis];
        dims_[axis] = static_cast<std::uint32_t>(std::floor((high[axis] - low[axis]) / h)) + 1;
    }
}

void SpatialGrid::Build(const float* x, const float* y, const float* z, std::uint32_t count,
                        double cellSize, std::size_t maxCells) {
    const float* const axes[3] = {x, y, z};
    ChooseBox(axes, count, cellSize, maxCells);

    // A counting sort by cell: cellStart_[c + 1] first counts cell c.
    const std::size_t cells = static_cast<std::size_t>(dims_[0]) * dims_[1] * dims_[2];
    cellStart_.assign(cells + 1, 0);
    cellOfPoint_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t cell = Index(CellOf(x[i], 0), CellOf(y[i], 1), CellOf(z[i], 2));
        cellOfPoint_[i] = static_cast<std::uint32_t>(cell);
        ++cellStart_[cell + 1];
    }
    for (std::size_t c = 0; c < cells; ++c) {
        cellStart_[c + 1] += cellStart_[c];
    }
    // Scatter with cellStart_[c] as the write position of cell c, which leaves
    // it at the start of cell c + 1; one shift restores the starts. Points keep
    // their index order within a cell.
    order_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        order_[cellStart_[cellOfPoint_[i]]++] = i;
    }
    for (std::size_t c = cells; c > 0; --c) {
        cellStart_[c] = cellStart_[c - 1];
    }
    cellStart_[0] = 0;
}
