#pragma once

#include <memory>
#include <vector>

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

    // For the entity step: during Update with the indexed search, puts the
    // entity's lists for this step in place and returns true; otherwise
    // returns false and the entity searches for itself.
    bool TakeIndexedNeighbors(cEntity& entity);

    cWorld(const cWorld&) = delete;
    cWorld& operator=(const cWorld&) = delete;

    std::vector<cGroup*> groups;  // owned; ascending identity

private:
    NeighborSearch search_ = NeighborSearch::kIndexed;
    int threads_ = 1;
    std::unique_ptr<NeighborIndex> index_;  // never null; remade when threads_ changes
    bool indexInStep_ = false;              // index_ serves the step under way
};
