#pragma once

#include <memory>
#include <vector>

#include "step_observation.h"

class cEntity;
class cGroup;
class IDirect3DDevice9;
class NeighborIndex;

// How entities find their neighbours during a world step. Both give the same
// lists, bit for bit; the exhaustive scan is the reference.
enum class NeighborSearch {
    kExhaustive,  // every entity measures every candidate in its own step
    kIndexed,     // a spatial grid over the whole step, lists computed ahead
};

// All groups of the simulation. Owns them.
class cWorld {
public:
    cWorld();
    // Deletes the groups, last first, and with them every entity.
    virtual ~cWorld();

    // Updates every group in identity order: each entity steps once per call,
    // one after another, seeing the already advanced state of those before it.
    virtual void Update(float elapsed);
    // Draws every group in identity order.
    virtual void Render(IDirect3DDevice9* device);

    // Takes ownership of group and keeps groups in identity order. The group
    // is not told of the world; its world was given to its constructor.
    void AddGroup(cGroup* group);

    // The search of the following steps; indexed unless set otherwise.
    void SetNeighborSearch(NeighborSearch search) { search_ = search; }
    NeighborSearch GetNeighborSearch() const { return search_; }
    // Threads the indexed search may use, the stepping thread included;
    // clamped to 1 .. kMaxThreads and taken up from the next Update on. The
    // default, 1, starts no thread. Results do not depend on it.
    void SetThreadCount(int threads);
    int GetThreadCount() const { return threads_; }
    static constexpr int kMaxThreads = 256;

    // Worlds of fewer entities than this are scanned exhaustively even with
    // the indexed search: at the start-up flock's size setting up the grid
    // costs more than it saves. The lists are the same either way; tests set
    // 0 to index every world.
    void SetSmallWorldLimit(int entities) { smallWorldLimit_ = entities; }
    static constexpr int kDefaultSmallWorldLimit = 64;
    // For the entity step: during Update with the indexed search, puts the
    // entity's lists for this step in place and returns true; otherwise
    // returns false and the entity searches for itself.
    bool TakeIndexedNeighbors(cEntity& entity);

    // Records the steps of entity (null: of none) into Observation() from
    // the next Update on; the record starts empty. The entity must stay
    // observed only while it lives: whoever deletes it observes null first.
    void Observe(const cEntity* entity);
    const cEntity* Observed() const { return observed_; }
    const StepObservation& Observation() const { return observation_; }
    // For the entity step: where to record entity's step, or null when it
    // is not the observed one (the only cost an unobserved step pays).
    StepObservation* ObservationFor(const cEntity& entity) {
        return &entity == observed_ ? &observation_ : nullptr;
    }

    cWorld(const cWorld&) = delete;
    cWorld& operator=(const cWorld&) = delete;

    std::vector<cGroup*> groups;  // owned; ascending identity

private:
    bool IsSmallWorld() const;

    NeighborSearch search_ = NeighborSearch::kIndexed;
    int threads_ = 1;
    int smallWorldLimit_ = kDefaultSmallWorldLimit;
    std::unique_ptr<NeighborIndex> index_;  // never null; remade when threads_ changes
    bool indexInStep_ = false;              // index_ serves the step under way
    const cEntity* observed_ = nullptr;     // not owned; null: nothing observed
    StepObservation observation_;           // of observed_'s last step
};
