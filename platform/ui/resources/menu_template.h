#pragma once

// A menu bar as data: popups of items, each item a command id or a submenu
// of its own items (one level deep). Texts mark their mnemonic letter with
// '&' ("E&xit"); "&&" is a literal ampersand.

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/d3d9_types.h"

struct MenuItem {
    std::string text;  // empty for a separator
    UINT command = 0;  // 0 for a separator or a submenu
    std::vector<MenuItem> items = {};  // a submenu's items; empty for a command
};

struct MenuPopup {
    std::string text;
    std::vector<MenuItem> items;
};

struct MenuTemplate {
    UINT id = 0;
    std::vector<MenuPopup> popups;
};

// The text as shown: mnemonic marks removed, "&&" shown as "&".
std::string StripMnemonic(const std::string& text);
// The mnemonic letter in lower case, if the text marks one.
std::optional<char> MnemonicOf(const std::string& text);
