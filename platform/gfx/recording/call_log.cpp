#include "platform/gfx/recording/recording_device.h"

std::vector<std::string> CallLog::Matching(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& line : lines_) {
        if (line.starts_with(prefix)) {
            matching.push_back(line);
        }
    }
    return matching;
}
