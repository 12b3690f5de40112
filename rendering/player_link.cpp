#include "rendering/player_link.h"

#include "framework/player.h"
#include "simulation/entity.h"

void CopyPlayerPosition(void* context, RenderLib::CPlayer* player, float /*elapsed*/) {
    if (context == nullptr || player == nullptr) {
        return;
    }
    static_cast<cEntity*>(context)->position = player->GetPosition();
}
