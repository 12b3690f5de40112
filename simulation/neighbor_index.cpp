#include "neighbor_index.h"

#include <algorithm>

#include "worker_pool.h"

// How the chunks move between threads. Chunk c holds slots
// [c × chunkSize_, (c + 1) × chunkSize_) and its lists live in
// ring_[c % window_]. A chunk is claimed once, by advancing nextChunk_, and
// whoever claims it computes it and marks it ready. The stepping thread works
// in chunk released_; a helper may claim chunk c only while
// c < released_ + window_, and the stepping thread enters a new chunk only
// once every claimed chunk before it is ready. So chunk c's ring entry is
// never written while chunk c - window_ is still being computed or taken.

namespace {

// Smaller worlds are not worth waking the helpers for.
constexpr std::uint32_t kMinimumParallelEntities = 256;
// Chunks per thread in a step, for balance; within these bounds.
constexpr std::uint32_t kChunksPerThread = 16;
constexpr std::uint32_t kMinimumChunk = 8;
constexpr std::uint32_t kMaximumChunk = 128;
// Chunks each thread may have in flight ahead of the stepping thread.
constexpr std::uint32_t kWindowPerThread = 4;

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
    window_ = helping_ ? workers * kWindowPerThread : 1u;
    if (ring_.size() < window_) {
        ring_.resize(window_);
    }
    for (ChunkLists& lists : ring_) {
        if (lists.flock.size() < chunkSize_) {
            lists.flock.resize(chunkSize_);
            lists.foreign.resize(chunkSize_);
            lists.flockSum.resize(chunkSize_);
        }
    }
    if (readyCapacity_ < chunkCount_) {
        ready_ = std::make_unique<std::atomic<std::uint8_t>[]>(chunkCount_);
        readyCapacity_ = chunkCount_;
    }
    for (std::uint32_t chunk = 0; chunk < chunkCount_; ++chunk) {
        ready_[chunk].store(0, std::memory_order_relaxed);
    }
    nextChunk_.store(0, std::memory_order_relaxed);
    released_.store(0, std::memory_order_relaxed);
    stopping_.store(false, std::memory_order_relaxed);
    cursor_ = 0;
    active_ = true;
    if (helping_) {
        pool_->Start(&HelperJob, this);  // publishes the state above to the helpers
    }
    return true;
}

void NeighborIndex::EndStep() {
    Abandon();
    if (helping_) {
        pool_->Wait();
        helping_ = false;
    }
}

void NeighborIndex::Abandon() {
    active_ = false;
    stopping_.store(true, std::memory_order_release);
    released_.fetch_add(1, std::memory_order_release);  // wakes helpers waiting for room
    released_.notify_all();
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
    const std::uint32_t chunk = slot / chunkSize_;
    EnterChunk(chunk);
    WaitForChunk(chunk);
    ChunkLists& lists = ring_[chunk % window_];
    const std::uint32_t index = slot - chunk * chunkSize_;
    entity.flockNeighbors.swap(lists.flock[index]);
    entity.foreignNeighbors.swap(lists.foreign[index]);
    entity.flockSum = lists.flockSum[index];
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

void NeighborIndex::EnterChunk(std::uint32_t chunk) {
    const std::uint32_t current = released_.load(std::memory_order_relaxed);
    if (chunk == current) {
        return;
    }
    // Chunks before this one that nobody claimed are no longer needed.
    std::uint32_t next = nextChunk_.load(std::memory_order_acquire);
    while (next < chunk &&
           !nextChunk_.compare_exchange_weak(next, chunk, std::memory_order_acq_rel)) {
    }
    const std::uint32_t claimedEnd = std::min(next, chunk);
    for (std::uint32_t passed = current; passed < claimedEnd; ++passed) {
        ready_[passed].wait(0, std::memory_order_acquire);
    }
    released_.store(chunk, std::memory_order_release);
    released_.notify_all();
}

// While a helper computes the chunk the step needs, the stepping thread
// computes the next unclaimed chunk of the window instead of idling, so the
// lists' work is shared out rather than left to the helpers.
void NeighborIndex::WaitForChunk(std::uint32_t chunk) {
    while (ready_[chunk].load(std::memory_order_acquire) == 0) {
        std::uint32_t next = nextChunk_.load(std::memory_order_acquire);
        if (next < chunkCount_ && next < chunk + window_) {
            if (nextChunk_.compare_exchange_weak(next, next + 1, std::memory_order_acq_rel)) {
                Compute(next, scratch_[0]);
            }
        } else {
            ready_[chunk].wait(0, std::memory_order_acquire);  // a helper is on it
        }
    }
}

void NeighborIndex::HelperJob(void* self, int helper) {
    auto* index = static_cast<NeighborIndex*>(self);
    index->Help(index->scratch_[static_cast<std::size_t>(helper) + 1]);
}

void NeighborIndex::Help(NeighborQueryScratch& scratch) {
    for (;;) {
        const std::uint32_t released = released_.load(std::memory_order_acquire);
        std::uint32_t next = nextChunk_.load(std::memory_order_acquire);
        if (stopping_.load(std::memory_order_acquire) || next >= chunkCount_) {
            return;
        }
        if (next >= released + window_) {
            released_.wait(released, std::memory_order_acquire);
            continue;
        }
        if (nextChunk_.compare_exchange_weak(next, next + 1, std::memory_order_acq_rel)) {
            Compute(next, scratch);
        }
    }
}

void NeighborIndex::Compute(std::uint32_t chunk, NeighborQueryScratch& scratch) {
    ChunkLists& lists = ring_[chunk % window_];
    const std::uint32_t first = chunk * chunkSize_;
    const std::uint32_t last = std::min(first + chunkSize_, snapshot_.Size());
    for (std::uint32_t slot = first; slot < last; ++slot) {
        if (snapshot_.IsPlanned(slot)) {
            snapshot_.ComputeNeighbors(slot, scratch, lists.flock[slot - first],
                                       lists.foreign[slot - first], lists.flockSum[slot - first]);
        }
    }
    ready_[chunk].store(1, std::memory_order_release);
    ready_[chunk].notify_all();
}
