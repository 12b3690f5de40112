// Drawing of entities: the only part of the simulation that sees the device
// and the drawable interface. It uses them through their virtual operations
// alone (interfaces without a key function), so the simulation library still
// links nothing.

#include "framework/render_object.h"
#include "platform/gfx/d3d9.h"
#include "simulation/entity.h"

void cEntity::Render(IDirect3DDevice9* device) {
    if (model == nullptr) {
        return;
    }
    model->world = TransformFromRotationTranslation(orientation, position);
    device->SetTransform(D3DTS_WORLD, &model->world);
    model->object->Render(device, 1, 1);
}

void cPlayerEntity::Render(IDirect3DDevice9* /*device*/) {}
