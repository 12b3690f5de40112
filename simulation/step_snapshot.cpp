#include "step_snapshot.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numeric>

#include "group.h"
#include "world.h"

namespace {

// Cells per perception radius along an axis. A search visits the rows of
// cells that its ball reaches, each trimmed to the ball's extent, so small
// cells waste little volume; 2 to 4 measure alike on dense flocks.
constexpr double kCellsPerRadius = 4.0;
// An entity whose step moves it further than this many cells along an axis is
// an outsider; the rest are found by widening every search by their largest
// move.
constexpr double kLargestBinnedShiftInCells = 0.25;
// Cells allowed per binned entity, plus a floor for tiny worlds.
constexpr std::size_t kCellsPerEntity = 4;
constexpr std::size_t kMinimumCells = 64;
// Worlds with more distinct foreign masks than this are left to the
// exhaustive scan; the start-up world has two.
constexpr std::size_t kMaxForeignMasks = 64;
// A search's ball is widened by this factor and this many units so that it
// holds every entity whose rounded distance can pass the radius test: the
// rounding of a single-precision distance is below 3 × 10⁻⁷ relative, and a
// square below the smallest float vanishes only for offsets below 10⁻¹⁸. An
// entity binned before its move may stand up to √3 times the largest move
// along an axis from where it is measured.
constexpr double kReachFactor = 1.0 + 1e-5;
constexpr double kReachSlack = 1e-18;
constexpr double kDiagonal = 1.7320509;

// Grows keys to hold at least size, doubling, so that the buffers of a
// thread soon stop growing; what they hold beyond the counts is never read.
void MakeRoom(std::vector<std::uint64_t>& keys, std::size_t size) {
    if (keys.size() < size) {
        keys.resize(std::max(size, 2 * keys.size()));
    }
}

// The distance of a key of Collect: the root of its square.
float DistanceOf(std::uint64_t key) {
    return std::sqrt(std::bit_cast<float>(static_cast<std::uint32_t>(key >> 32)));
}

// The largest float whose square root is below radius, or -1 when none is:
// a squared distance passes the radius test exactly when it is at most this,
// since the correctly rounded square root never decreases. NaN squares pass
// neither test.
float LargestSquareWithin(float radius) {
    if (!(radius > 0.0f)) {
        return -1.0f;  // not positive, or NaN: no distance is below it
    }
    if (std::isinf(radius)) {
        return std::numeric_limits<float>::max();
    }
    float square = static_cast<float>(static_cast<double>(radius) * radius);
    if (std::isinf(square)) {
        square = std::numeric_limits<float>::max();
    }
    while (square >= 0.0f && !(std::sqrt(square) < radius)) {
        square = std::nextafter(square, -1.0f);
    }
    for (float above = std::nextafter(square, HUGE_VALF);
         std::isfinite(above) && std::sqrt(above) < radius;
         above = std::nextafter(square, HUGE_VALF)) {
        square = above;
    }
    return square;
}

// Runs of entities at one distance longer than this are ordered by a
// comparison sort rather than by insertion.
constexpr std::size_t kInsertionLimit = 24;

bool SameOrBothNaN(float a, float b) {
    return a == b || (a != a && b != b);
}

}  // namespace

bool StepSnapshot::Capture(const cWorld& world, float elapsed) {
    CaptureEntities(world, elapsed);
    if (std::find(planned_.begin(), planned_.end(), 1) == planned_.end() ||
        entities_.size() >= UINT32_MAX) {
        return false;
    }
    RankByIdentity();
    if (!BuildForeignTables(world)) {
        return false;
    }
    BuildGrids();
    return true;
}

void StepSnapshot::CaptureEntities(const cWorld& world, float elapsed) {
    entities_.clear();
    bySlot_.clear();
    radius_.clear();
    planned_.clear();
    groupStart_.clear();
    groupCount_ = static_cast<std::uint32_t>(world.groups.size());
    for (std::uint32_t g = 0; g < groupCount_; ++g) {
        const cGroup* group = world.groups[g];
        groupStart_.push_back(static_cast<std::uint32_t>(entities_.size()));
        for (std::uint32_t m = 0; m < group->members.size(); ++m) {
            cEntity* entity = group->members[m];
            const bool passive = entity->IsPassive();
            const Vector3 before = entity->position;
            const Vector3 after = passive ? before : entity->NextPosition(elapsed);
            Candidate candidate = {{{before.x, before.y, before.z}, {after.x, after.y, after.z}},
                                   static_cast<std::uint32_t>(entities_.size()),
                                   g,
                                   m,
                                   0};
            entities_.push_back(entity);
            bySlot_.push_back(candidate);
            radius_.push_back(entity->perceptionRadius);
            planned_.push_back(!passive && entity->world == &world && entity->group == group);
        }
    }
    groupStart_.push_back(static_cast<std::uint32_t>(entities_.size()));
}

// Worlds built in the usual way are already in identity order; others are
// sorted once.
void StepSnapshot::RankByIdentity() {
    const std::uint32_t count = Size();
    identities_.resize(count);
    for (std::uint32_t slot = 0; slot < count; ++slot) {
        identities_[slot] = entities_[slot]->GetIdentity();
    }
    if (std::is_sorted(identities_.begin(), identities_.end())) {
        for (std::uint32_t slot = 0; slot < count; ++slot) {
            bySlot_[slot].rank = slot;
        }
        return;
    }
    byIdentity_.resize(count);
    std::iota(byIdentity_.begin(), byIdentity_.end(), 0u);
    std::sort(byIdentity_.begin(), byIdentity_.end(),
              [this](std::uint32_t a, std::uint32_t b) { return identities_[a] < identities_[b]; });
    for (std::uint32_t rank = 0; rank < count; ++rank) {
        bySlot_[byIdentity_[rank]].rank = rank;
    }
}

// The exhaustive foreign scan leaves a group at its first member that fails
// the mask test; for each mask that searches, the cut says where.
bool StepSnapshot::BuildForeignTables(const cWorld& world) {
    masks_.clear();
    maskRow_.assign(Size(), 0);
    for (std::uint32_t slot = 0; slot < Size(); ++slot) {
        if (!planned_[slot]) {
            continue;
        }
        const std::uint32_t mask = entities_[slot]->avoidMask;
        auto found = std::find(masks_.begin(), masks_.end(), mask);
        if (found == masks_.end()) {
            if (masks_.size() == kMaxForeignMasks) {
                return false;
            }
            found = masks_.insert(masks_.end(), mask);
        }
        maskRow_[slot] = static_cast<std::uint32_t>(found - masks_.begin());
    }
    cuts_.resize(masks_.size() * groupCount_);
    for (std::size_t row = 0; row < masks_.size(); ++row) {
        for (std::uint32_t g = 0; g < groupCount_; ++g) {
            const std::vector<cEntity*>& members = world.groups[g]->members;
            std::uint32_t cut = 0;
            while (cut < members.size() && (members[cut]->typeMask & masks_[row]) != 0) {
                ++cut;
            }
            cuts_[row * groupCount_ + g] = cut;
        }
    }
    return true;
}

void StepSnapshot::BuildGrids() {
    radii_.clear();
    for (std::uint32_t slot = 0; slot < Size(); ++slot) {
        if (planned_[slot] && radius_[slot] > 0.0f && std::isfinite(radius_[slot])) {
            radii_.push_back(radius_[slot]);
        }
    }
    double cellSize = 0.0;  // the grids choose when no radius is usable
    if (!radii_.empty()) {
        std::nth_element(radii_.begin(), radii_.begin() + radii_.size() / 2, radii_.end());
        cellSize = radii_[radii_.size() / 2] / kCellsPerRadius;
    }
    const double shiftBound = cellSize > 0.0 ? cellSize * kLargestBinnedShiftInCells : HUGE_VAL;

    outsiders_.clear();
    candidates_.clear();
    largestShift_ = 0.0;
    if (groups_.size() < groupCount_) {
        groups_.resize(groupCount_);
    }
    for (std::uint32_t g = 0; g < groupCount_; ++g) {
        for (auto& axis : binned_) {
            axis.clear();
        }
        binnedSlot_.clear();
        for (std::uint32_t slot = groupStart_[g]; slot < groupStart_[g + 1]; ++slot) {
            const Candidate& candidate = bySlot_[slot];
            double shift = 0.0;
            for (int axis = 0; axis < 3; ++axis) {
                shift = std::max(shift, std::fabs(static_cast<double>(candidate.at[1][axis]) -
                                                  candidate.at[0][axis]));
            }
            if (!(shift <= shiftBound)) {  // also a shift that is not finite
                outsiders_.push_back(candidate);
                continue;
            }
            largestShift_ = std::max(largestShift_, shift);
            for (int axis = 0; axis < 3; ++axis) {
                binned_[axis].push_back(candidate.at[0][axis]);
            }
            binnedSlot_.push_back(slot);
        }
        GroupGrid& group = groups_[g];
        const auto binnedCount = static_cast<std::uint32_t>(binnedSlot_.size());
        group.grid.Build(binned_[0].data(), binned_[1].data(), binned_[2].data(), binnedCount,
                         cellSize, kCellsPerEntity * binnedCount + kMinimumCells);
        group.first = static_cast<std::uint32_t>(candidates_.size());
        for (const std::uint32_t point : group.grid.Order()) {
            candidates_.push_back(bySlot_[binnedSlot_[point]]);
        }
    }
    outsidersFirst_ = static_cast<std::uint32_t>(candidates_.size());
    candidates_.insert(candidates_.end(), outsiders_.begin(), outsiders_.end());
    candidateHandle_.resize(candidates_.size());
    for (std::size_t k = 0; k < candidates_.size(); ++k) {
        candidateHandle_[k] = entities_[candidates_[k].slot]->GetHandle();
    }
}

bool StepSnapshot::StandsAsPredicted(std::uint32_t slot) const {
    const Vector3& now = entities_[slot]->position;
    const float* after = bySlot_[slot].at[1];
    return SameOrBothNaN(now.x, after[0]) && SameOrBothNaN(now.y, after[1]) &&
           SameOrBothNaN(now.z, after[2]);
}

// The squared distance is computed exactly as IsWithinPerception computes it
// before its square root, from the position the candidate has when the entity
// at slot searches: after its own step when it comes earlier in world order
// (or is the entity itself). The key holds the square, and the candidate's
// place in candidates_. The loop has no branch on the candidates: every key
// is written, and the list ends advance only for the candidates that belong.
template <StepSnapshot::Lists kLists>
void StepSnapshot::Collect(std::uint32_t first, std::uint32_t count, const Query& query,
                           NeighborQueryScratch& scratch) const {
    constexpr bool kFlock = kLists != Lists::kForeignOnly;
    constexpr bool kForeign = kLists != Lists::kFlockOnly;
    if (kFlock) {
        MakeRoom(scratch.flockKeys, scratch.flockCount + count);
    }
    if (kForeign) {
        MakeRoom(scratch.foreignKeys, scratch.foreignCount + count);
    }
    std::uint64_t* flock = scratch.flockKeys.data();
    std::uint64_t* foreign = scratch.foreignKeys.data();
    std::size_t flockCount = scratch.flockCount;
    std::size_t foreignCount = scratch.foreignCount;
    const Candidate* candidates = candidates_.data() + first;
    for (std::uint32_t k = 0; k < count; ++k) {
        const Candidate& other = candidates[k];
        const float* at = other.at[other.slot <= query.slot];
        const Vector3 offset = {at[0] - query.centre[0], at[1] - query.centre[1],
                                at[2] - query.centre[2]};
        const float square = offset.x * offset.x + offset.y * offset.y + offset.z * offset.z;
        const bool near = square <= query.passing;
        const std::uint64_t key = NeighborKey(std::bit_cast<std::uint32_t>(square), first + k);
        if constexpr (kFlock) {
            const bool inFlock = other.group == query.group && other.slot != query.slot;
            flock[flockCount] = key;
            flockCount += near & inFlock;
        }
        if constexpr (kForeign) {
            const bool isForeign = other.member < query.cuts[other.group];
            foreign[foreignCount] = key;
            foreignCount += near & isForeign;
        }
    }
    scratch.flockCount = flockCount;
    scratch.foreignCount = foreignCount;
}

template <StepSnapshot::Lists kLists>
void StepSnapshot::CollectFromGrid(const GroupGrid& group, const Query& query,
                                   NeighborQueryScratch& scratch) const {
    const std::array<double, 3> centre = {query.centre[0], query.centre[1], query.centre[2]};
    group.grid.ForEachRun(centre, query.reach, [&](std::uint32_t begin, std::uint32_t end) {
        Collect<kLists>(group.first + begin, end - begin, query, scratch);
    });
}

// Only the entity's own group and the groups its foreign scan reaches hold
// candidates; each has a grid of its own.
void StepSnapshot::ComputeNeighbors(std::uint32_t slot, NeighborQueryScratch& scratch,
                                    std::vector<NeighborEntry>& flock,
                                    std::vector<NeighborEntry>& foreign, Vector3& flockSum) const {
    const Candidate& self = bySlot_[slot];
    const Query query = {
        {self.at[1][0], self.at[1][1], self.at[1][2]},
        LargestSquareWithin(radius_[slot]),
        slot,
        self.group,
        &cuts_[static_cast<std::size_t>(maskRow_[slot]) * groupCount_],
        (static_cast<double>(radius_[slot]) + kDiagonal * largestShift_) * kReachFactor +
            kReachSlack,
    };
    scratch.flockCount = 0;
    scratch.foreignCount = 0;
    for (std::uint32_t g = 0; g < groupCount_; ++g) {
        if (g != self.group && query.cuts[g] == 0) {
            continue;
        }
        if (query.cuts[g] == 0) {
            CollectFromGrid<Lists::kFlockOnly>(groups_[g], query, scratch);  // none foreign
        } else if (g != self.group) {
            CollectFromGrid<Lists::kForeignOnly>(groups_[g], query, scratch);
        } else {
            CollectFromGrid<Lists::kBoth>(groups_[g], query, scratch);
        }
    }
    Collect<Lists::kBoth>(outsidersFirst_,
                          static_cast<std::uint32_t>(candidates_.size()) - outsidersFirst_, query,
                          scratch);
    flockSum = FillList<true>(
        SortNeighborKeys({scratch.flockKeys.data(), scratch.flockCount}, scratch.sort), slot,
        flock);
    FillList<false>(
        SortNeighborKeys({scratch.foreignKeys.data(), scratch.foreignCount}, scratch.sort), slot,
        foreign);
}

// Writes the list from keys sorted by squared distance and, when kSum,
// returns the sum of the listed entities' positions as the step of the entity
// at slot reads them (see Collect), added in list order with the rounding of
// Vector3's +=; cohesion reads it for the flock list.
//
// Keys in that order list the entities in distance order, since the square
// root is monotone; only entities at equal distances (equal squares, or
// squares whose roots round alike) may stand out of identity order. Such a
// run is noticed at its second entry and then written again in list order.
template <bool kSum>
Vector3 StepSnapshot::FillList(std::span<std::uint64_t> sorted, std::uint32_t slot,
                               std::vector<NeighborEntry>& list) const {
    // Every entry is written below, so only a list that must grow is
    // emptied first (growing then copies nothing), and it grows with room to
    // spare, since an entity's neighbours come and go from step to step; a
    // list that already holds room keeps its entries, and entries are not
    // cleared as it grows. The lists are a step's largest memory traffic, at
    // a hundred thousand fish gigabytes.
    if (list.capacity() < sorted.size()) {
        list.clear();
        list.reserve(sorted.size() + sorted.size() / 4);
    }
    list.resize(sorted.size());
    // Local copies of the pointers, which the stores to the list would
    // otherwise make the compiler load again for every entry.
    NeighborEntry* const entries = list.data();
    const Candidate* const candidates = candidates_.data();
    const EntityHandle* const handles = candidateHandle_.data();
    Vector3 sum;
    // Writes entry k and, when kSum, adds the neighbour's position as the step
    // of the entity at slot sees it (see Collect).
    const auto write = [&](std::size_t k, float distance) {
        const auto index = static_cast<std::uint32_t>(sorted[k]);
        entries[k] = {distance, handles[index]};
        if constexpr (kSum) {
            const Candidate& other = candidates[index];
            // Indexed, not branched on: which of the two it is varies at random.
            const float* seen = other.at[other.slot <= slot];
            sum += Vector3{seen[0], seen[1], seen[2]};
        }
    };
    Vector3 sumBeforeRun;
    std::size_t runStart = 0;
    float previous = -1.0f;
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        const float distance = DistanceOf(sorted[k]);
        if (distance == previous) [[unlikely]] {
            const std::size_t runEnd = OrderRunByIdentity(sorted, runStart);
            sum = sumBeforeRun;
            for (std::size_t tied = runStart; tied < runEnd; ++tied) {
                write(tied, distance);
            }
            k = runEnd - 1;
            continue;
        }
        sumBeforeRun = sum;
        runStart = k;
        previous = distance;
        write(k, distance);
    }
    return sum;
}

// Sorts the keys from first on that share its distance by identity rank, and
// returns where they end. In a flock such runs hold two or three entries;
// long ones (fish on a lattice, or at one point) get a comparison sort.
std::size_t StepSnapshot::OrderRunByIdentity(std::span<std::uint64_t> sorted,
                                             std::size_t first) const {
    const float distance = DistanceOf(sorted[first]);
    std::size_t end = first + 1;
    while (end < sorted.size() && DistanceOf(sorted[end]) == distance) {
        ++end;
    }
    const auto rank = [this](std::uint64_t key) {
        return candidates_[static_cast<std::uint32_t>(key)].rank;
    };
    const auto byRank = [&rank](std::uint64_t a, std::uint64_t b) { return rank(a) < rank(b); };
    if (end - first > kInsertionLimit) {
        std::sort(sorted.begin() + first, sorted.begin() + end, byRank);
        return end;
    }
    for (std::size_t i = first + 1; i < end; ++i) {
        const std::uint64_t key = sorted[i];
        std::size_t j = i;
        for (; j > first && byRank(key, sorted[j - 1]); --j) {
            sorted[j] = sorted[j - 1];
        }
        sorted[j] = key;
    }
    return end;
}
