#include "world.h"

#include "group.h"
#include "identity.h"

cWorld::~cWorld() {
    while (!groups.empty()) {
        cGroup* last = groups.back();
        groups.pop_back();
        delete last;
    }
}

void cWorld::Update(float elapsed) {
    for (cGroup* group : groups) {
        group->Update(elapsed);
    }
}

void cWorld::Render(IDirect3DDevice9* device) {
    for (cGroup* group : groups) {
        group->Render(device);
    }
}

void cWorld::AddGroup(cGroup* group) { InsertByIdentity(groups, group); }
