#include "platform/ui/resources/accelerator_table.h"

#include <utility>

CAcceleratorTable::CAcceleratorTable(std::vector<Accelerator> entries)
    : entries_(std::move(entries)) {}

std::optional<UINT> CAcceleratorTable::Translate(std::uint16_t virtualKey, KeyModifiers held,
                                                 bool sceneHasKeyboard) const {
    for (const Accelerator& entry : entries_) {
        if ((entry.flags & FVIRTKEY) == 0 || entry.key != virtualKey ||
            ((entry.flags & FSCENEONLY) != 0 && !sceneHasKeyboard)) {
            continue;
        }
        const bool shift = (entry.flags & FSHIFT) != 0;
        const bool control = (entry.flags & FCONTROL) != 0;
        const bool alt = (entry.flags & FALT) != 0;
        if (shift == held.shift && control == held.control && alt == held.alt) {
            return entry.command;
        }
    }
    return std::nullopt;
}
