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
//   closes. On a submenu's item Right, Enter or its mnemonic opens the
//   submenu, whose items then take the keys; Left or Esc closes it.
// - Items may show a tick (Commands::checked) and their accelerator's text;
//   a submenu item shows an arrow and opens when pointed at.
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
        std::function<bool(UINT)> checked = {};     // shows a tick; may be empty
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
    int SubmenuIndex() const { return subOpen_; }      // the item whose submenu is open, or -1
    int SubmenuHighlightIndex() const { return subHighlight_; }  // its highlighted item, or -1

    // Draws the bar (inside a window with a menu bar) and the dropped menu.
    void Draw(const Commands& commands);

private:
    void Open(int popup, bool byKeyboard);
    void OpenSubmenu(int item, const Commands& commands);
    bool HandleOpenMenuKey(std::uint16_t virtualKey, const Commands& commands);
    // The items that take the keys (the open submenu's, else the menu's)
    // and their highlight.
    const std::vector<MenuItem>& ActiveItems() const;
    int& ActiveHighlight() { return subOpen_ >= 0 ? subHighlight_ : highlight_; }
    void Choose(const MenuItem& item, int index, const Commands& commands);
    void MoveHighlight(int step, const Commands& commands);
    bool RunMnemonic(char letter, const Commands& commands);
    int TitleWithMnemonic(char letter) const;
    int PopupCount() const { return static_cast<int>(menu_.popups.size()); }

    void DrawTitles();
    void DrawDropDown(const Commands& commands);
    void DrawItems(const Commands& commands);
    void DrawSubmenu(const Commands& commands);
    UINT DrawItemList(const std::vector<MenuItem>& items, bool submenu, const Commands& commands);
    void DrawItemDecorations(const MenuItem& item, ImVec2 at, float width, float indent,
                             bool enabled, const Commands& commands) const;

    MenuTemplate menu_;
    int open_ = -1;
    int selected_ = -1;
    int highlight_ = -1;
    int subOpen_ = -1;
    int subHighlight_ = -1;
    bool subShown_ = false;  // the interface has the submenu's popup open
    float subX_ = 0.0f;      // where the submenu opens, in screen pixels
    float subY_ = 0.0f;
    int shown_ = -1;             // the menu whose drop-down the interface has open
    bool byKeyboard_ = false;    // dropped by a key: its items' mnemonics show
    bool altHeld_ = false;
    std::vector<float> dropX_;   // where each title's menu drops, in screen pixels
    float dropY_ = 0.0f;
};
