#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "entity.h"
#include "neighbor_sort.h"
#include "spatial_grid.h"

class cWorld;

// Buffers of one thread computing neighbour lists, kept from step to step;
// each on cache lines of its own, since threads write their own all the time.
struct alignas(64) NeighborQueryScratch {
    std::vector<std::uint64_t> flockKeys;  // the first flockCount are listed
    std::vector<std::uint64_t> foreignKeys;
    std::size_t flockCount = 0;
    std::size_t foreignCount = 0;
    NeighborSortScratch sort;
};

// Everything the neighbour searches of one world step will see, captured
// before the step starts, with a uniform grid over each group's members.
//
// Why this is possible: a step moves an entity only in its first line, by its
// own velocity of the previous step, and behaviours write nothing but their
// own entity's steering. So when the entity in world slot i searches, every
// entity in an earlier slot stands at its position after its move and every
// later one at its position before it, both known now. The lists can then be
// computed in any order and on any thread, and equal those of the exhaustive
// scan run inside the step, bit for bit.
//
// The capture holds no reference into the entities' state, so the computing
// threads never read what the stepping thread writes.
class StepSnapshot {
public:
    // Captures world for a step of elapsed seconds. Returns false when the
    // step should use the exhaustive scan: no entity to search for, or more
    // distinct foreign masks than the capture keeps tables for.
    bool Capture(const cWorld& world, float elapsed);

    // Entities in world order (groups in order, members in order).
    std::uint32_t Size() const { return static_cast<std::uint32_t>(entities_.size()); }
    cEntity* EntityAt(std::uint32_t slot) const { return entities_[slot]; }
    // True when ComputeNeighbors serves the entity at slot: it searches and
    // its world and group are the ones that hold it.
    bool IsPlanned(std::uint32_t slot) const { return planned_[slot] != 0; }
    // Every slot once, in the order of the grids' cells (groups in order,
    // then the outsiders). Searches made in this order find their candidates
    // still in the cache from the search before.
    std::uint32_t SlotInCellOrder(std::uint32_t position) const {
        return candidates_[position].slot;
    }
    // True when the entity at slot stands where the capture predicted it after
    // its step: moved by its velocity, or unmoved when passive.
    bool StandsAsPredicted(std::uint32_t slot) const;

    // The flock and foreign lists of the planned entity at slot, in list
    // order, written over flock and foreign, and the sum of the flock
    // neighbours' positions as its step will see them, added in list order.
    // Threads may call this at once for different slots, each with scratch
    // of its own.
    void ComputeNeighbors(std::uint32_t slot, NeighborQueryScratch& scratch,
                          std::vector<NeighborEntry>& flock, std::vector<NeighborEntry>& foreign,
                          Vector3& flockSum) const;

private:
    // What a search needs of a possible neighbour, stored in cell order.
    struct Candidate {
        // Its position before ([0]) and after ([1]) its step; a search sees
        // one or the other by where the candidate stands in world order.
        float at[2][3];
        std::uint32_t slot;    // place in world order
        std::uint32_t group;   // index of the group holding it
        std::uint32_t member;  // place within that group
        std::uint32_t rank;    // place in identity order
    };

    // The searching entity, as Collect needs it.
    struct Query {
        float centre[3];            // its position after its move
        float passing;              // the largest squared distance within its radius
        std::uint32_t slot;         // its place in world order
        std::uint32_t group;        // the group holding it
        const std::uint32_t* cuts;  // per group, where its foreign scan stops
        double reach;               // how far from centre the grids are searched
    };
    // A group's members in their own grid; grid position k is candidate
    // first + k.
    struct GroupGrid {
        SpatialGrid grid;
        std::uint32_t first = 0;
    };

    void CaptureEntities(const cWorld& world, float elapsed);
    void RankByIdentity();
    bool BuildForeignTables(const cWorld& world);
    void BuildGrids();
    // Which lists the candidates of one Collect call may enter. The runs of
    // a group's grid hold that group alone, so most calls need the tests of
    // one list only.
    enum class Lists { kFlockOnly, kForeignOnly, kBoth };
    // Appends the keys of the candidates that belong in each list.
    template <Lists kLists>
    void Collect(std::uint32_t first, std::uint32_t count, const Query& query,
                 NeighborQueryScratch& scratch) const;
    template <Lists kLists>
    void CollectFromGrid(const GroupGrid& group, const Query& query,
                         NeighborQueryScratch& scratch) const;
    template <bool kSum>
    Vector3 FillList(std::span<std::uint64_t> sorted, std::uint32_t slot,
                     std::vector<NeighborEntry>& list) const;
    std::size_t OrderRunByIdentity(std::span<std::uint64_t> sorted, std::size_t first) const;

    // Per entity, in world order.
    std::vector<cEntity*> entities_;
    std::vector<Candidate> bySlot_;
    std::vector<float> radius_;
    std::vector<std::uint32_t> maskRow_;  // row of cuts_ for the entity's avoidMask
    std::vector<std::uint8_t> planned_;
    // Distinct avoidMasks of the planned entities, and for each mask and group
    // the member index where that group's scan stops (the first member failing
    // the mask test, or the group's size).
    std::vector<std::uint32_t> masks_;
    std::vector<std::uint32_t> cuts_;
    std::uint32_t groupCount_ = 0;
    std::vector<std::uint32_t> groupStart_;  // groupCount_ + 1 slots: where each group begins
    // The grids bin entities by their position before the step; those whose
    // step moves them further than a small bound are kept apart as outsiders
    // and checked by every search.
    std::vector<GroupGrid> groups_;  // at least groupCount_
    // Every entity once: each group's binned members in its grid's cell
    // order, then the outsiders from outsidersFirst_ on. Searches name a
    // candidate by its place here, and lists are filled from here, where
    // the search has just read.
    std::vector<Candidate> candidates_;
    std::vector<EntityHandle> candidateHandle_;  // the entity of each candidate
    std::uint32_t outsidersFirst_ = 0;
    std::vector<Candidate> outsiders_;  // scratch of the capture
    double largestShift_ = 0.0;         // largest move along any axis of a binned entity
    // Scratch of the capture.
    std::vector<float> binned_[3];
    std::vector<std::uint32_t> binnedSlot_;
    std::vector<float> radii_;
    std::vector<Identity> identities_;
    std::vector<std::uint32_t> byIdentity_;
};
