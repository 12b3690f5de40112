#pragma once

// The flock's measurements as comma-separated values: a header row, then one
// row per school for each frame written. Numbers are written in the shortest
// form that reads back to the same value, so a reader gets them exactly.

#include <cstdio>
#include <string>
#include <vector>

#include "simulation/flock_metrics.h"
#include "simulation/vector_math.h"

// The header row, without its line end.
std::string MetricsCsvHeader();

// The rows of one frame (time in seconds), each with the player's position,
// without the last line end.
std::string MetricsCsvRows(long long frame, double time, const std::vector<SchoolMetrics>& schools,
                           const Vector3& player);
