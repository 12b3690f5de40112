#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "entity.h"
#include "step_snapshot.h"

class WorkerPool;
class cWorld;

// The indexed neighbour search of a world step. BeginStep captures the world;
// the lists are then computed ahead of the stepping entities, in chunks of
// consecutive slots, by helper threads and by the stepping thread itself, and
// written straight into each entity's flockNeighbors and foreignNeighbors.
// An entity's step confirms that its lists are ready when it reaches the
// search; until then nothing may read them (behaviours read their own
// entity's lists only).
//
// Only the search moves to other threads, with the sum of each entity's flock
// neighbours' positions that cohesion needs (positions are all known ahead):
// the behaviours still run in the entities' steps, one after another in world
// order, since alignment reads a neighbour's current velocity and cruising
// draws from the shared generator.
//
// A step that leaves the predicted course (an entity that moved otherwise
// than by its velocity, or stepped out of world order) is noticed at the next
// entity's search; the helpers are then stopped, and from there on the step
// falls back to the exhaustive scan, so the lists stay exact whatever an
// entity subclass does to itself.
class NeighborIndex {
public:
    // threads counts the stepping thread: 1 computes every list on it.
    explicit NeighborIndex(int threads);
    ~NeighborIndex();

    int ThreadCount() const { return threads_; }

    // Captures world for a step of elapsed seconds and starts the helpers.
    // False when the step should use the exhaustive scan throughout; then
    // EndStep must not be called. No entity may be added to or removed from
    // the world until EndStep.
    bool BeginStep(const cWorld& world, float elapsed);
    // Called by the base entity step right after the entity moved. Waits
    // until the entity's lists are in place, sets its flockSum, and returns
    // true; returns false when the entity must search for itself.
    bool TakeNeighbors(cEntity& entity);
    // Stops and waits for the helpers. Must follow every successful BeginStep.
    void EndStep();

    NeighborIndex(const NeighborIndex&) = delete;
    NeighborIndex& operator=(const NeighborIndex&) = delete;

private:
    static void HelperJob(void* self, int helper);
    void Help(NeighborQueryScratch& scratch);
    void OrderChunksByCell();
    // Claims the next chunk nobody has claimed and computes it; false when
    // none is left.
    bool ComputeNextChunk(NeighborQueryScratch& scratch);
    void Compute(std::uint32_t chunk, NeighborQueryScratch& scratch);
    void WaitForChunk(std::uint32_t chunk);
    // Moves the cursor to entity, checking that every entity passed since the
    // last call, and the one that called it, stands as predicted; false when
    // entity is not next in the predicted course.
    bool AdvanceTo(const cEntity& entity);
    // Leaves the predicted course: stops the helpers and waits for them.
    void Abandon();

    const int threads_;
    std::unique_ptr<WorkerPool> pool_;           // threads_ - 1 helpers, or none
    std::vector<NeighborQueryScratch> scratch_;  // [0] the stepping thread's
    StepSnapshot snapshot_;
    std::vector<Vector3> flockSum_;           // per slot, with its lists
    std::vector<std::uint32_t> searchOrder_;  // per chunk, its slots in the order searched
    std::vector<std::uint32_t> chunkFill_;    // scratch of OrderChunksByCell
    std::unique_ptr<std::atomic<std::uint8_t>[]> ready_;  // per chunk: lists computed
    std::uint32_t readyCapacity_ = 0;
    std::uint32_t chunkSize_ = 1;
    std::uint32_t chunkCount_ = 0;
    // Shared between the threads, on a cache line of their own, away from
    // the stepping thread's state that changes with every entity.
    alignas(64) std::atomic<std::uint32_t> nextChunk_{0};  // first chunk nobody has claimed
    std::atomic<bool> stopping_{false};
    // The stepping thread's own state.
    alignas(64) bool active_ = false;  // between BeginStep and EndStep, on course
    bool helping_ = false;             // helpers are running
    std::uint32_t cursor_ = 0;         // next slot expected to step
};
