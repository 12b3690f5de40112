#include "flock_metrics.h"

// Sums are kept in double so that large schools far from the origin lose
// nothing to rounding; results are rounded to float once.

#include <cmath>
#include <limits>

#include "entity.h"
#include "group.h"
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

double MeanNearestDistance(const std::vector<Point>& points) {
    if (points.size() < 2) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        double nearest = std::numeric_limits<double>::infinity();
        for (std::size_t j = 0; j < points.size(); ++j) {
            if (j != i) {
                nearest = std::min(nearest, SquaredDistance(points[i], points[j]));
            }
        }
        sum += std::sqrt(nearest);
    }
    return sum / static_cast<double>(points.size());
}

}  // namespace

SchoolMetrics MeasureSchool(const std::vector<cEntity*>& members) {
    SchoolMetrics metrics;
    metrics.count = static_cast<int>(members.size());
    std::vector<Point> positions;
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
        positions.push_back(p);
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
    for (const Point& p : positions) {
        spread += SquaredDistance(p, centroid);
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

std::vector<SchoolMetrics> MeasureSchools(const cWorld& world, std::uint32_t typeId) {
    std::vector<SchoolMetrics> schools;
    for (const cGroup* group : world.groups) {
        if (!group->members.empty() && group->members.front()->typeId == typeId) {
            schools.push_back(MeasureSchool(group->members));
        }
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
