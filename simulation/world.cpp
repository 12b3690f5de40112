#include "world.h"

#include <algorithm>

#include "group.h"
#include "identity.h"
#include "neighbor_index.h"

cWorld::cWorld() : index_(std::make_unique<NeighborIndex>(1)) {}

cWorld::~cWorld() {
    while (!groups.empty()) {
        cGroup* last = groups.back();
        groups.pop_back();
        delete last;
    }
}

void cWorld::Update(float elapsed) {
    if (index_->ThreadCount() != threads_) {
        index_ = std::make_unique<NeighborIndex>(threads_);
    }
    indexInStep_ = search_ == NeighborSearch::kIndexed && !IsSmallWorld() &&
                   index_->BeginStep(*this, elapsed);
    // Ends the index's step however the groups' updates leave.
    struct StepEnd {
        cWorld& world;
        ~StepEnd() {
            if (world.indexInStep_) {
                world.indexInStep_ = false;
                world.index_->EndStep();
            }
        }
    } stepEnd{*this};
    for (cGroup* group : groups) {
        group->Update(elapsed);
    }
}

void cWorld::Render(IDirect3DDevice9* device) {
    for (cGroup* group : groups) {
        group->Render(device);
    }
}

void cWorld::AddGroup(cGroup* group) {
    InsertByIdentity(groups, group);
}

void cWorld::SetThreadCount(int threads) {
    threads_ = std::clamp(threads, 1, kMaxThreads);
}

bool cWorld::IsSmallWorld() const {
    std::size_t entities = 0;
    for (const cGroup* group : groups) {
        entities += group->members.size();
    }
    return entities < static_cast<std::size_t>(std::max(smallWorldLimit_, 0));
}

void cWorld::Observe(const cEntity* entity) {
    observed_ = entity;
    observation_ = {};
}

bool cWorld::TakeIndexedNeighbors(cEntity& entity) {
    return indexInStep_ && index_->TakeNeighbors(entity);
}
