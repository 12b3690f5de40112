#pragma once

// Accelerator tables: keys with modifiers that start commands. Entries use
// the classic virtual-key codes and flag bits, so a table given as data reads
// like the design's ("Ctrl+N 57600" is {FVIRTKEY | FCONTROL, 'N', 57600}).

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/d3d9_types.h"

constexpr std::uint8_t FVIRTKEY = 0x01;  // key is a virtual-key code (the only kind supported)
constexpr std::uint8_t FSHIFT = 0x04;
constexpr std::uint8_t FCONTROL = 0x08;
constexpr std::uint8_t FALT = 0x10;
// A key the scene reads: the entry applies only while no window that uses
// keys (a text box, a trackbar) or menu has the keyboard, so that typing a
// space, a digit or a period into a box types it.
constexpr std::uint8_t FSCENEONLY = 0x40;

// Virtual-key codes of keys used in accelerators; letters and digits are
// their upper-case ASCII codes ('A' is 0x41, '0' is 0x30).
constexpr std::uint16_t VK_BACK = 0x08;
constexpr std::uint16_t VK_TAB = 0x09;
constexpr std::uint16_t VK_RETURN = 0x0D;
constexpr std::uint16_t VK_ESCAPE = 0x1B;
constexpr std::uint16_t VK_SPACE = 0x20;
constexpr std::uint16_t VK_INSERT = 0x2D;
constexpr std::uint16_t VK_DELETE = 0x2E;
constexpr std::uint16_t VK_F1 = 0x70;  // VK_F1 + n - 1 is Fn, up to F12
constexpr std::uint16_t VK_F6 = 0x75;
constexpr std::uint16_t VK_F12 = 0x7B;
constexpr std::uint16_t VK_OEM_PERIOD = 0xBE;  // the '.' key

struct Accelerator {
    std::uint8_t flags = FVIRTKEY;  // FVIRTKEY with any of FSHIFT, FCONTROL, FALT, FSCENEONLY
    std::uint16_t key = 0;          // virtual-key code
    std::uint16_t command = 0;
};

// Which modifiers are held with a key.
struct KeyModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

class CAcceleratorTable {
public:
    CAcceleratorTable() = default;
    explicit CAcceleratorTable(std::vector<Accelerator> entries);

    // The command of the first entry for virtualKey whose modifiers are
    // exactly those held; entries without FVIRTKEY never match, nor
    // FSCENEONLY entries unless the scene has the keyboard.
    std::optional<UINT> Translate(std::uint16_t virtualKey, KeyModifiers held,
                                  bool sceneHasKeyboard = true) const;
    const std::vector<Accelerator>& Entries() const { return entries_; }
    bool IsEmpty() const { return entries_.empty(); }

private:
    std::vector<Accelerator> entries_;
};
