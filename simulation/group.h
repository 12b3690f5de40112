#pragma once

#include <vector>

#include "identity.h"

class cEntity;
class cWorld;
class IDirect3DDevice9;

// One school: the entities that flock with each other. Owns its members.
class cGroup {
public:
    explicit cGroup(cWorld& world) : world(&world) {}
    // Deletes the members, last first.
    virtual ~cGroup();

    // Updates every member in identity order.
    virtual void Update(float elapsed);
    // Draws every member in identity order.
    virtual void Render(IDirect3DDevice9* device);

    // Takes ownership of entity, keeps members in identity order and tells the
    // entity its group.
    void AddEntity(cEntity* entity);

    Identity GetIdentity() const { return identity_; }

    cGroup(const cGroup&) = delete;
    cGroup& operator=(const cGroup&) = delete;

    std::vector<cEntity*> members;  // owned; ascending identity
    cWorld* world;                  // not owned; stored only

private:
    const Identity identity_ = NextIdentity();
};
