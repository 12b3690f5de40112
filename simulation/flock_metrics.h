#pragma once

// How a school swims, measured from its members' positions and velocities
// alone: the one definition that the statistics panel, the headless
// driver's measurements and the tests share.

#include <cstdint>
#include <vector>

#include "base/vector_math.h"

class cEntity;
class cGroup;
class cWorld;

struct SchoolMetrics {
    int count = 0;      // members, the non-finite ones included
    int nonFinite = 0;  // members whose position or velocity is not finite; left out below
    Vector3 centroid{};  // mean position, world units
    float meanSpeed = 0.0f;  // mean length of velocity, world units per second
    // Length of the mean unit heading: 1 when every member swims the same
    // way, near 0 when headings cancel. Members at rest have no heading and
    // are left out; 0 when none moves.
    float polarisation = 0.0f;
    // Mean over the members of the distance to the nearest other member,
    // world units; 0 with fewer than two. Exact: a grid search that gives
    // what comparing every pair would, at a cost near linear in the size.
    float meanNearestDistance = 0.0f;
    // Root of the mean squared distance from the centroid, world units.
    float radiusOfGyration = 0.0f;
};

// The distance from each point to the nearest other one (0 when another
// lies on it), in the points' order; empty with fewer than two points. The
// coordinates must be finite. Equal, to the bit, to comparing every pair in
// double precision.
std::vector<double> NearestNeighbourDistances(const std::vector<Vector3>& points);

SchoolMetrics MeasureSchool(const std::vector<cEntity*>& members);

// Where a school is and which way it swims, in one pass over its members
// and without any neighbour search: cheap enough for every frame (the
// overlays, the cameras). Members whose position or velocity is not finite
// are left out, as in MeasureSchool.
struct SchoolCourse {
    int finite = 0;          // members taken into account
    Vector3 centroid{};      // their mean position; the origin when there is none
    Vector3 meanHeading{};   // mean unit heading of the moving ones; its length is the polarisation
};
SchoolCourse LocateSchool(const std::vector<cEntity*>& members);

// The groups of the world whose first member has typeId (the schools, not
// the player's group), in the world's group order.
std::vector<const cGroup*> SchoolsOf(const cWorld& world, std::uint32_t typeId);

// Mean lengths of the neighbour lists over the entities of typeId (the
// fish): school-mates and foreign entities seen in the last step.
struct NeighbourCounts {
    double flock = 0.0;
    double foreign = 0.0;
};
NeighbourCounts MeanNeighbourCounts(const cWorld& world, std::uint32_t typeId);

// One entry per group of the world whose first member has typeId (the
// schools, not the player's group), in the world's group order.
std::vector<SchoolMetrics> MeasureSchools(const cWorld& world, std::uint32_t typeId);
