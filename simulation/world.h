#pragma once

#include <vector>

class cGroup;
class IDirect3DDevice9;

// All groups of the simulation. Owns them.
class cWorld {
public:
    cWorld() = default;
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

    cWorld(const cWorld&) = delete;
    cWorld& operator=(const cWorld&) = delete;

    std::vector<cGroup*> groups;  // owned; ascending identity
};
