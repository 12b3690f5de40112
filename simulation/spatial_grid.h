#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

// A uniform grid of cubic cells over a set of points, rebuilt from scratch
// whenever the points change. Every point belongs to exactly one cell: a point
// outside the grid's box, or one with a coordinate that is not finite, belongs
// to the nearest border cell (cell 0 for NaN). Clamping is monotone, so a
// query that visits the cells overlapped by a box also visits the cell of
// every point inside that box: the candidates are a superset of the points in
// the box, never fewer.
class SpatialGrid {
public:
    // Bins points 0 .. count-1, given by their coordinates. cellSize is the
    // wanted edge of a cell in world units; the box is the points' bounding
    // box, trimmed of far outliers, and cells grow when more than maxCells
    // would be needed. A cellSize that is not positive and finite lets the
    // grid choose one from the box. Reuses its buffers.
    void Build(const float* x, const float* y, const float* z, std::uint32_t count, double cellSize,
               std::size_t maxCells);

    // The points in cell order: the points of cell c are
    // Order()[CellStart()[c] .. CellStart()[c + 1]), and cells run x fastest.
    const std::vector<std::uint32_t>& Order() const { return order_; }

    // Calls visit(begin, end) for runs of positions in Order() that together
    // hold every point within distance reach of centre. Each run is part of
    // one row of cells along x, so a point is visited at most once. Rows and
    // cells that are a whole cell clear of the ball are left out, with a
    // margin far above the rounding of the cell arithmetic.
    template <class Visit>
    void ForEachRun(const std::array<double, 3>& centre, double reach, Visit&& visit) const;

    double CellSize() const { return cellSize_; }
    std::size_t CellCount() const { return cellStart_.empty() ? 0 : cellStart_.size() - 1; }

private:
    // Relative size of the margin against the rounding of cell coordinates.
    static constexpr double kCellMargin = 1e-9;

    // A lower bound on the distance along an axis between any point of cell
    // and any point of cell own: the whole cells between them, less margin.
    double GapBelowDistance(std::uint32_t cell, std::uint32_t own, double margin) const {
        const std::uint32_t gap = cell > own ? cell - own - 1 : (cell < own ? own - cell - 1 : 0);
        return std::max(0.0, gap * cellSize_ - margin);
    }
    // The cell coordinate of value along axis, clamped to the grid. Binning
    // and searching both use it, so its rounding is the same for both.
    std::uint32_t CellOf(double value, int axis) const {
        const double t = (value - origin_[axis]) * inverseCellSize_;
        if (!(t >= 0.0)) {
            return 0;  // below the box, or NaN
        }
        if (t >= static_cast<double>(dims_[axis])) {
            return dims_[axis] - 1;
        }
        return static_cast<std::uint32_t>(t);
    }
    void ChooseBox(const float* const* axes, std::uint32_t count, double cellSize,
                   std::size_t maxCells);
    std::size_t Index(std::uint32_t cx, std::uint32_t cy, std::uint32_t cz) const {
        return (static_cast<std::size_t>(cz) * dims_[1] + cy) * dims_[0] + cx;
    }

    std::array<double, 3> origin_ = {0.0, 0.0, 0.0};  // the low corner of cell (0, 0, 0)
    std::array<std::uint32_t, 3> dims_ = {1, 1, 1};   // cells per axis
    double cellSize_ = 1.0;                           // edge of a cell, world units
    double inverseCellSize_ = 1.0;                    // 1 / cellSize_
    std::vector<std::uint32_t> cellStart_;            // CellCount() + 1 offsets into order_
    std::vector<std::uint32_t> order_;                // point indices in cell order
    std::vector<std::uint32_t> cellOfPoint_;          // scratch: each point's cell
    std::vector<float> trim_;                         // scratch for the outlier trim
};

template <class Visit>
void SpatialGrid::ForEachRun(const std::array<double, 3>& centre, double reach,
                             Visit&& visit) const {
    std::uint32_t low[3];
    std::uint32_t high[3];
    std::uint32_t own[3];
    double margin = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        low[axis] = CellOf(centre[axis] - reach, axis);
        high[axis] = CellOf(centre[axis] + reach, axis);
        own[axis] = CellOf(centre[axis], axis);
        if (low[axis] > high[axis]) {
            return;  // a negative reach
        }
        margin += std::fabs(centre[axis]) + std::fabs(origin_[axis]) + dims_[axis] * cellSize_;
    }
    margin *= kCellMargin;
    const double reachSquared = reach * reach;
    for (std::uint32_t cz = low[2]; cz <= high[2]; ++cz) {
        const double dz = GapBelowDistance(cz, own[2], margin);
        for (std::uint32_t cy = low[1]; cy <= high[1]; ++cy) {
            const double dy = GapBelowDistance(cy, own[1], margin);
            const double rest = reachSquared - dz * dz - dy * dy;
            if (rest < 0.0) {
                continue;
            }
            const double halfWidth = std::sqrt(rest);
            const std::uint32_t first = CellOf(centre[0] - halfWidth, 0);
            const std::uint32_t last = CellOf(centre[0] + halfWidth, 0);
            const std::uint32_t begin = cellStart_[Index(first, cy, cz)];
            const std::uint32_t end = cellStart_[Index(last, cy, cz) + 1];
            if (begin < end) {
                visit(begin, end);
            }
        }
    }
}
