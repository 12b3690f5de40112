#include "platform/ui/host/covered_areas.h"

#include <algorithm>

#include <SDL.h>

namespace {

std::vector<ScreenRect>& Areas() {
    static std::vector<ScreenRect> areas;
    return areas;
}

bool Empty(const ScreenRect& r) {
    return r.max.x <= r.min.x || r.max.y <= r.min.y;
}

// Appends the up to four pieces of piece outside hole: the bands above and
// below it over the whole width, then left and right of it within its rows.
void Subtract(const ScreenRect& piece, const ScreenRect& hole, std::vector<ScreenRect>& out) {
    const float top = std::clamp(hole.min.y, piece.min.y, piece.max.y);
    const float bottom = std::clamp(hole.max.y, piece.min.y, piece.max.y);
    const float left = std::clamp(hole.min.x, piece.min.x, piece.max.x);
    const float right = std::clamp(hole.max.x, piece.min.x, piece.max.x);
    const ScreenRect parts[4] = {
        {piece.min, ImVec2(piece.max.x, top)},
        {ImVec2(piece.min.x, bottom), piece.max},
        {ImVec2(piece.min.x, top), ImVec2(left, bottom)},
        {ImVec2(right, top), ImVec2(piece.max.x, bottom)},
    };
    for (const ScreenRect& part : parts) {
        if (!Empty(part)) {
            out.push_back(part);
        }
    }
}

// glDisable(GL_BLEND), fetched through SDL: the toolkit includes no OpenGL
// header. The interface's renderer enables blending again on the reset
// command that follows.
void DisableBlending(const ImDrawList* /*list*/, const ImDrawCmd* /*command*/) {
    constexpr unsigned kGlBlend = 0x0BE2;
    using DisableFunction = void (*)(unsigned);
    static const auto disable =
        reinterpret_cast<DisableFunction>(SDL_GL_GetProcAddress("glDisable"));
    if (disable != nullptr) {
        disable(kGlBlend);
    }
}

}  // namespace

void CoveredAreas::Reset() {
    Areas().clear();
}

void CoveredAreas::Add(const ScreenRect& area) {
    if (!Empty(area)) {
        Areas().push_back(area);
    }
}

std::vector<ScreenRect> CoveredAreas::Uncovered(const ScreenRect& area) {
    std::vector<ScreenRect> pieces;
    if (!Empty(area)) {
        pieces.push_back(area);
    }
    std::vector<ScreenRect> next;
    for (const ScreenRect& hole : Areas()) {
        next.clear();
        for (const ScreenRect& piece : pieces) {
            Subtract(piece, hole, next);
        }
        pieces.swap(next);
    }
    return pieces;
}

void AddOpaqueImage(ImDrawList* drawList, ImTextureID texture, ImVec2 min, ImVec2 max, ImVec2 uvMin,
                    ImVec2 uvMax) {
    drawList->AddCallback(DisableBlending, nullptr);
    drawList->AddImage(texture, min, max, uvMin, uvMax);
    drawList->AddCallback(ImDrawCallback_ResetRenderState, nullptr);
}
