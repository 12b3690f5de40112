#include "neighbor_index.h"

#include <algorithm>

#include "worker_pool.h"

// How the chunks move between threads. Chunk c holds slots
// [c × chunkSize_, (c + 1) × chunkSize_), searched in the order
// searchOrder_ gives them. A chunk is claimed once, by advancing nextChunk_,
// and whoever claims it writes its entities' lists and marks it ready; the
// stepping thread reads an entity's lists only after its chunk is ready, and
// helpers touch no entity but those of the chunks they claimed.

namespace {

// Smaller worlds are not worth waking the helpers for.
constexpr std::uint32_t kMinimumParallelEntities = 256;
// Chunks per thread in a step, for balance; within these bounds. A chunk is
// searched in the grids' cell order, so large ones keep one search's
// candidates in the cache for the next.
constexpr std::uint32_t kChunksPerThread = 16;
constexpr std::uint32_t kMinimumChunk = 8;
constexpr std::uint32_t kMaximumChunk = 4096;

}  // namespace

NeighborIndex::NeighborIndex(int threads)
    : threads_(std::max(1, threads)), scratch_(static_cast<std::size_t>(threads_)) {
    if (threads_ > 1) {
        pool_ = std::make_unique<WorkerPool>(threads_ - 1);
    }
}

NeighborIndex::~NeighborIndex() = default;

bool NeighborIndex::BeginStep(const cWorld& world, float elapsed) {
    if (!snapshot_.Capture(world, elapsed)) {
        return false;
    }
    const std::uint32_t count = snapshot_.Size();
    helping_ = pool_ != nullptr && count >= kMinimumParallelEntities;
    const std::uint32_t workers = helping_ ? static_cast<std::uint32_t>(threads_) : 1u;
    chunkSize_ = std::clamp(count / (workers * kChunksPerThread), kMinimumChunk, kMaximumChunk);
    chunkCount_ = (count + chunkSize_ - 1) / chunkSize_;
    flockSum_.resize(count);
    if (readyCapacity_ < chunkCount_) {
        ready_ = std::make_unique<std::atomic<std::uint8_t>[]>(chunkCount_);
        readyCapacity_ = chunkCount_;
    }
    for (std::uint32_t chunk = 0; chunk < chunkCount_; ++chunk) {
        ready_[chunk].store(0, std::memory_order_relaxed);
    }
    OrderChunksByCell();
    nextChunk_.store(0, std::memory_order_relaxed);
    stopping_.store(false, std::memory_order_relaxed);
    cursor_ = 0;
    active_ = true;
    if (helping_) {
        pool_->Start(&HelperJob, this);  // publishes the state above to the helpers
    }
    return true;
}

// Each chunk's slots in the grids' cell order, so that one search finds the
// candidates of the next in the cache; a counting sort of the cell order by
// chunk.
void NeighborIndex::OrderChunksByCell() {
    const std::uint32_t count = snapshot_.Size();
    searchOrder_.resize(count);
    chunkFill_.resize(chunkCount_);
    for (std::uint32_t chunk = 0; chunk < chunkCount_; ++chunk) {
        chunkFill_[chunk] = chunk * chunkSize_;
    }
    for (std::uint32_t position = 0; position < count; ++position) {
        const std::uint32_t slot = snapshot_.SlotInCellOrder(position);
        searchOrder_[chunkFill_[slot / chunkSize_]++] = slot;
    }
}

void NeighborIndex::EndStep() { Abandon(); }

void NeighborIndex::Abandon() {
    active_ = false;
    stopping_.store(true, std::memory_order_release);
    if (helping_) {
        pool_->Wait();
        helping_ = false;
    }
}

bool NeighborIndex::TakeNeighbors(cEntity& entity) {
    if (!active_) {
        return false;
    }
    if (!AdvanceTo(entity)) {
        Abandon();
        return false;
    }
    const std::uint32_t slot = cursor_++;
    if (!snapshot_.IsPlanned(slot)) {
        return false;
    }
    WaitForChunk(slot / chunkSize_);
    entity.flockSum = flockSum_[slot];
    entity.flockSumKnown = true;
    return true;
}

bool NeighborIndex::AdvanceTo(const cEntity& entity) {
    const std::uint32_t count = snapshot_.Size();
    // The entity that took its lists last has finished its step since.
    if (cursor_ > 0 && !snapshot_.StandsAsPredicted(cursor_ - 1)) {
        return false;
    }
    while (cursor_ < count && snapshot_.EntityAt(cursor_) != &entity) {
        if (!snapshot_.StandsAsPredicted(cursor_)) {
            return false;
        }
        ++cursor_;
    }
    return cursor_ < count && snapshot_.StandsAsPredicted(cursor_);
}

// While a helper computes the chunk the step needs, the stepping thread
// computes the next unclaimed chunk instead of idling, so the lists' work is
// shared out rather than left to the helpers.
void NeighborIndex::WaitForChunk(std::uint32_t chunk) {
    while (ready_[chunk].load(std::memory_order_acquire) == 0) {
        if (!ComputeNextChunk(scratch_[0])) {
            ready_[chunk].wait(0, std::memory_order_acquire);  // a helper is on it
        }
    }
}

bool NeighborIndex::ComputeNextChunk(NeighborQueryScratch& scratch) {
    if (nextChunk_.load(std::memory_order_relaxed) >= chunkCount_) {
        return false;
    }
    const std::uint32_t chunk = nextChunk_.fetch_add(1, std::memory_order_acq_rel);
    if (chunk >= chunkCount_) {
        return false;
    }
    Compute(chunk, scratch);
    return true;
}

void NeighborIndex::HelperJob(void* self, int helper) {
    auto* index = static_cast<NeighborIndex*>(self);
    index->Help(index->scratch_[static_cast<std::size_t>(helper) + 1]);
}

void NeighborIndex::Help(NeighborQueryScratch& scratch) {
    while (!stopping_.load(std::memory_order_acquire) && ComputeNextChunk(scratch)) {
    }
}

void NeighborIndex::Compute(std::uint32_t chunk, NeighborQueryScratch& scratch) {
    const std::uint32_t first = chunk * chunkSize_;
    const std::uint32_t last = std::min(first + chunkSize_, snapshot_.Size());
    for (std::uint32_t position = first; position < last; ++position) {
        const std::uint32_t slot = searchOrder_[position];
        if (snapshot_.IsPlanned(slot)) {
            cEntity& entity = *snapshot_.EntityAt(slot);
            snapshot_.ComputeNeighbors(slot, scratch, entity.flockNeighbors,
                                       entity.foreignNeighbors, flockSum_[slot]);
        }
    }
    ready_[chunk].store(1, std::memory_order_release);
    ready_[chunk].notify_all();
}
