#include "group.h"

#include "entity.h"

cGroup::~cGroup() {
    while (!members.empty()) {
        cEntity* last = members.back();
        members.pop_back();
        delete last;
    }
}

void cGroup::Update(float elapsed) {
    for (cEntity* member : members) {
        member->Update(elapsed);
    }
}

void cGroup::Render(IDirect3DDevice9* device) {
    for (cEntity* member : members) {
        member->Render(device);
    }
}

void cGroup::AddEntity(cEntity* entity) {
    InsertByIdentity(members, entity);
    entity->SetGroup(this);
}
