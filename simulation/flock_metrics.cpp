#include "flock_metrics.h"

// Sums are kept in double so that large schools far from the origin lose
// nothing to rounding; results are rounded to float once.

#include <algorithm>
#include <cmath>
#include <limits>

#include "entity.h"
#include "group.h"
#include "spatial_grid.h"
#include "world.h"

namespace {

struct Point {
    double x, y, z;
};

bool IsFinite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

Point ToPoint(const Vector3& v) {
    return {v.x, v.y, v.z};
}

double SquaredDistance(const Point& a, const Point& b) {
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return dx * dx + dy * dy + dz * dz;
}

// The squared distance from the point at position k of the grid's order to
// the nearest other point; sorted holds the points in that order. The ball
// searched doubles until the nearest candidate lies inside it: the grid then
// has offered every point that could be nearer, so the answer is the one
// comparing every pair would give, to the bit.
double NearestSquaredDistance(const SpatialGrid& grid, const std::vector<Point>& sorted,
                              std::uint32_t k) {
    // Keeps the stopping test clear of the rounding of the squared distances.
    constexpr double kReachSafety = 1.0 + 1e-9;
    const Point centre = sorted[k];
    double nearest = std::numeric_limits<double>::infinity();
    for (double reach = grid.CellSize();; reach *= 2.0) {
        grid.ForEachRun(
            {centre.x, centre.y, centre.z}, reach, [&](std::uint32_t begin, std::uint32_t end) {
                for (std::uint32_t other = begin; other < end; ++other) {
                    if (other != k) {
                        nearest = std::min(nearest, SquaredDistance(centre, sorted[other]));
                    }
                }
            });
        if (nearest * kReachSafety <= reach * reach) {
            return nearest;
        }
    }
}

double MeanNearestDistance(const std::vector<Vector3>& points) {
    const std::vector<double> distances = NearestNeighbourDistances(points);
    double sum = 0.0;
    for (double distance : distances) {
        sum += distance;
    }
    return distances.empty() ? 0.0 : sum / static_cast<double>(distances.size());
}

}  // namespace

std::vector<double> NearestNeighbourDistances(const std::vector<Vector3>& points) {
    std::vector<double> distances;
    if (points.size() < 2) {
        return distances;
    }
    const auto count = static_cast<std::uint32_t>(points.size());
    std::vector<float> x(count), y(count), z(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        x[i] = points[i].x;
        y[i] = points[i].y;
        z[i] = points[i].z;
    }
    SpatialGrid grid;
    grid.Build(x.data(), y.data(), z.data(), count, 0.0, 2 * std::size_t{count});
    // The points in cell order: neighbours lie close in memory.
    const std::vector<std::uint32_t>& order = grid.Order();
    std::vector<Point> sorted(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        sorted[k] = ToPoint(points[order[k]]);
    }
    distances.resize(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        distances[order[k]] = std::sqrt(NearestSquaredDistance(grid, sorted, k));
    }
    return distances;
}

SchoolMetrics MeasureSchool(const std::vector<cEntity*>& members) {
    SchoolMetrics metrics;
    metrics.count = static_cast<int>(members.size());
    std::vector<Vector3> positions;
    positions.reserve(members.size());
    Point sum{0, 0, 0};
    Point heading{0, 0, 0};
    double speeds = 0.0;
    int moving = 0;
    for (const cEntity* fish : members) {
        if (!IsFinite(fish->position) || !IsFinite(fish->velocity)) {
            ++metrics.nonFinite;
            continue;
        }
        const Point p = ToPoint(fish->position);
        const Point v = ToPoint(fish->velocity);
        positions.push_back(fish->position);
        sum = {sum.x + p.x, sum.y + p.y, sum.z + p.z};
        const double speed = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        speeds += speed;
        if (speed > 0.0) {
            heading = {heading.x + v.x / speed, heading.y + v.y / speed, heading.z + v.z / speed};
            ++moving;
        }
    }
    if (positions.empty()) {
        return metrics;
    }
    const double n = static_cast<double>(positions.size());
    const Point centroid{sum.x / n, sum.y / n, sum.z / n};
    double spread = 0.0;
    for (const Vector3& p : positions) {
        spread += SquaredDistance(ToPoint(p), centroid);
    }
    metrics.centroid = Vector3{static_cast<float>(centroid.x), static_cast<float>(centroid.y),
                               static_cast<float>(centroid.z)};
    metrics.meanSpeed = static_cast<float>(speeds / n);
    if (moving > 0) {
        const double m = static_cast<double>(moving);
        metrics.polarisation = static_cast<float>(
            std::sqrt(SquaredDistance({heading.x / m, heading.y / m, heading.z / m}, {0, 0, 0})));
    }
    metrics.meanNearestDistance = static_cast<float>(MeanNearestDistance(positions));
    metrics.radiusOfGyration = static_cast<float>(std::sqrt(spread / n));
    return metrics;
}

SchoolCourse LocateSchool(const std::vector<cEntity*>& members) {
    SchoolCourse course;
    Point sum{0, 0, 0};
    Point heading{0, 0, 0};
    int moving = 0;
    for (const cEntity* fish : members) {
        if (!IsFinite(fish->position) || !IsFinite(fish->velocity)) {
            continue;
        }
        const Point p = ToPoint(fish->position);
        const Point v = ToPoint(fish->velocity);
        sum = {sum.x + p.x, sum.y + p.y, sum.z + p.z};
        ++course.finite;
        const double speed = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        if (speed > 0.0) {
            heading = {heading.x + v.x / speed, heading.y + v.y / speed, heading.z + v.z / speed};
            ++moving;
        }
    }
    if (course.finite > 0) {
        const double n = static_cast<double>(course.finite);
        course.centroid = Vector3{static_cast<float>(sum.x / n), static_cast<float>(sum.y / n),
                                  static_cast<float>(sum.z / n)};
    }
    if (moving > 0) {
        const double m = static_cast<double>(moving);
        course.meanHeading = Vector3{static_cast<float>(heading.x / m),
                                     static_cast<float>(heading.y / m),
                                     static_cast<float>(heading.z / m)};
    }
    return course;
}

std::vector<const cGroup*> SchoolsOf(const cWorld& world, std::uint32_t typeId) {
    std::vector<const cGroup*> schools;
    for (const cGroup* group : world.groups) {
        if (!group->members.empty() && group->members.front()->typeId == typeId) {
            schools.push_back(group);
        }
    }
    return schools;
}

std::vector<SchoolMetrics> MeasureSchools(const cWorld& world, std::uint32_t typeId) {
    std::vector<SchoolMetrics> schools;
    for (const cGroup* school : SchoolsOf(world, typeId)) {
        schools.push_back(MeasureSchool(school->members));
    }
    return schools;
}

NeighbourCounts MeanNeighbourCounts(const cWorld& world, std::uint32_t typeId) {
    NeighbourCounts sum;
    std::size_t count = 0;
    for (const cGroup* group : world.groups) {
        for (const cEntity* entity : group->members) {
            if (entity->typeId == typeId) {
                sum.flock += static_cast<double>(entity->flockNeighbors.size());
                sum.foreign += static_cast<double>(entity->foreignNeighbors.size());
                ++count;
            }
        }
    }
    if (count > 0) {
        sum.flock /= static_cast<double>(count);
        sum.foreign /= static_cast<double>(count);
    }
    return sum;
}
