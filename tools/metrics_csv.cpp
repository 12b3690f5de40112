#include "tools/metrics_csv.h"

#include <charconv>

namespace {

template <typename Number>
std::string Exact(Number value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace

std::string MetricsCsvHeader() {
    return "frame,time,school,count,centroid_x,centroid_y,centroid_z,mean_speed,polarisation,"
           "mean_nearest_distance,radius_of_gyration,non_finite,player_x,player_y,player_z";
}

std::string MetricsCsvRows(long long frame, double time, const std::vector<SchoolMetrics>& schools,
                           const Vector3& player) {
    std::string rows;
    for (std::size_t school = 0; school < schools.size(); ++school) {
        const SchoolMetrics& m = schools[school];
        if (!rows.empty()) {
            rows += '\n';
        }
        rows += Exact(frame) + ',' + Exact(time) + ',' + Exact(school) + ',' + Exact(m.count) + ',' +
                Exact(m.centroid.x) + ',' + Exact(m.centroid.y) + ',' + Exact(m.centroid.z) + ',' +
                Exact(m.meanSpeed) + ',' + Exact(m.polarisation) + ',' +
                Exact(m.meanNearestDistance) + ',' + Exact(m.radiusOfGyration) + ',' +
                Exact(m.nonFinite) + ',' + Exact(player.x) + ',' + Exact(player.y) + ',' +
                Exact(player.z);
    }
    return rows;
}
