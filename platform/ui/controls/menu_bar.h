#pragma once

// CMenuBar: a frame's menu bar, worked by mouse and keyboard as desktop
// users expect.
// - Mouse: a click on a title drops its menu down (again: up); while one is
//   down, pointing at another title drops that one instead; a click on an
//   item runs its command; a click elsewhere closes the menu.
// - Keyboard: Alt+letter drops the menu whose title has that mnemonic (the
//   letter after '&', underlined while Alt is held); F10 selects the bar
//   (Left/Right pick a title, Down/Up/Enter drop it). In a dropped menu,
//   Up/Down move the highlight over the enabled items, Left/Right go to the
//   neighbouring menu, Enter or an item's mnemonic runs it, Esc or F10
//   closes.
// While the bar is selected or a menu is down, every key is the menu's.
// The key handling needs no display, so it is tested on its own.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/resources/accelerator_table.h"
#include "platform/ui/resources/menu_template.h"

struct ImVec2;

class CMenuBar {
public:
    struct Commands {
        std::function<bool(UINT)> enabled;      // may the command run now
        std::function<void(UINT)> run;          // run it (after the menu closed)
        std::function<std::string(UINT)> shortcut;  // "Ctrl+N" or ""
    };

    // The menu shown (copied), or none.
    void SetMenu(const MenuTemplate* menu);
    bool HasMenu() const { return !menu_.popups.empty(); }

    // A key pressed (a virtual-key code) with the modifiers held; true when
    // it was the menu's, and nobody else may see it.
    bool HandleKey(std::uint16_t virtualKey, KeyModifiers held, const Commands& commands);
    // Whether Alt is held now: the titles' mnemonics are underlined.
    void SetAltHeld(bool held) { altHeld_ = held; }
    void Close();

    // The bar is selected or a menu is down: the keyboard is the menu's.
    bool IsActive() const { return open_ >= 0 || selected_ >= 0; }
    int OpenIndex() const { return open_; }          // the dropped menu, or -1
    int SelectedIndex() const { return selected_; }  // the selected title (bar only), or -1
    int HighlightIndex() const { return highlight_; }  // the highlighted item, or -1

    // Draws the bar (inside a window with a menu bar) and the dropped menu.
    void Draw(const Commands& commands);

private:
    void Open(int popup, bool byKeyboard);
    void MoveHighlight(int step, const Commands& commands);
    bool RunMnemonic(char letter, const Commands& commands);
    int TitleWithMnemonic(char letter) const;
    int PopupCount() const { return static_cast<int>(menu_.popups.size()); }

    void DrawTitles();
    void DrawDropDown(const Commands& commands);
    void DrawItems(const Commands& commands);

    MenuTemplate menu_;
    int open_ = -1;
    int selected_ = -1;
    int highlight_ = -1;
    int shown_ = -1;             // the menu whose drop-down the interface has open
    bool byKeyboard_ = false;    // dropped by a key: its items' mnemonics show
    bool altHeld_ = false;
    std::vector<float> dropX_;   // where each title's menu drops, in screen pixels
    float dropY_ = 0.0f;
};
