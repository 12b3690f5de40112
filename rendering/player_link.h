#pragma once

namespace RenderLib {
class CPlayer;
}

// A player callback that keeps a cPlayerEntity (the context) at the player's
// position, so the fish can flee the viewer. Does nothing when context or
// player is null; elapsed is not used and nothing else of the entity changes.
void CopyPlayerPosition(void* context, RenderLib::CPlayer* player, float elapsed);
